#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "imagefiles/decode_limits.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Decodes a still WebP picture (lossy or lossless, with or without alpha) held in memory
// into `out` through libwebp, straight into the raster's BGR rows when it has no alpha.
// With `alpha`, a picture with an alpha channel gives its alpha bytes there (one per pixel,
// rows without padding) and its colours; one without empties it. Without `alpha`,
// transparent pixels are composited onto white. An animation, a size above the limits
// (checked before any allocation) or data libwebp cannot decode (a file cut short among
// them) fails; `out` is then empty (its memory kept for reuse) and the status holds the
// reason. `damage` is emptied: libwebp decodes a picture whole or not at all.
Status DecodeWebpMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                        std::vector<std::uint8_t>* alpha = nullptr, std::string* damage = nullptr,
                        std::int64_t maxPixels = kDecodeMaxPixels);

// Empty when the leading bytes of a file may start a WebP ("RIFF", a size, "WEBP"),
// otherwise the reason.
std::string WebpSignatureProblem(std::string_view leading);

}  // namespace quillstone
