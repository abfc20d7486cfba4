#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "imagefiles/decode_limits.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Decodes a JPEG stream held in memory into `out` at full size with the accurate integer
// inverse DCT and libjpeg's default (fancy) upsampling, straight into the raster's BGR rows.
// Greyscale images come out with B = G = R; CMYK and YCCK images are taken as Adobe-style
// inverted CMYK and shown as R = C*K/255, G = M*K/255, B = Y*K/255 (rounded). Damaged entropy
// data is decoded as far as libjpeg recovers it, as libjpeg does, and `damage` (when given)
// receives libjpeg's first warning ("Premature end of JPEG file", "Corrupt JPEG data: ...");
// it is emptied for an undamaged stream. A stream libjpeg gives up on, a size above the
// limits (checked before any allocation) or more than 1000 scans is refused. On failure
// `out` is empty (its memory kept for reuse) and the status holds the reason, e.g. "Not a
// JPEG file: starts with 0x42 0x4d".
Status DecodeJpegMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                        std::string* damage = nullptr, std::int64_t maxPixels = kDecodeMaxPixels);

// Empty when the leading bytes of a file may start a JPEG stream (the start-of-image
// marker), otherwise the reason, worded as libjpeg words it.
std::string JpegSignatureProblem(std::string_view leading);

}  // namespace quillstone
