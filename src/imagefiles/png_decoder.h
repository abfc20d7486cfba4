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

// Decodes a PNG held in memory into `out` through libpng: every bit depth and colour type
// (palette, grey, grey with alpha, RGB, RGBA), interlaced or not. Palette and grey images
// become RGB, 16-bit samples are scaled to 8 bits (v * 255 / 65535, rounded), and a tRNS
// chunk counts as an alpha channel. No gamma or colour-profile conversion is done: the
// samples are taken as they are stored. With `alpha`, an image with an alpha channel gives
// its alpha bytes there (one per pixel, rows without padding) and its colours as stored; an
// image without one empties it. Without `alpha`, transparent pixels are composited onto white.
// libpng's first warning (an ancillary chunk with a bad checksum, extra image data) goes to
// `damage` (when given), which is emptied otherwise. A size above the limits (checked before
// any allocation), image data cut short or anything libpng refuses fails; `out` is then empty
// (its memory kept for reuse) and the status holds the reason.
Status DecodePngMemory(const std::uint8_t* bytes, std::size_t size, RasterImage& out,
                       std::vector<std::uint8_t>* alpha = nullptr, std::string* damage = nullptr,
                       std::int64_t maxPixels = kDecodeMaxPixels);

// Empty when the leading bytes of a file are the PNG signature, otherwise the reason.
std::string PngSignatureProblem(std::string_view leading);

}  // namespace quillstone
