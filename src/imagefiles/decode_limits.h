#pragma once

#include <cstdint>
#include <string>

#include "imaging/raster_image.h"

namespace quillstone {

// The largest image a decoder accepts, in pixels; a raster never holds more than
// RasterImage::kMaxPixels. Callers that want less (the fuzzers) pass a smaller number.
inline constexpr std::int64_t kDecodeMaxPixels = RasterImage::kMaxPixels;

// Empty when a decoded image of width x height pixels may be allocated, otherwise the
// reason it may not: a side below 1 or above 65535 pixels, or more than maxPixels pixels.
// Takes 64-bit sides so that header values are checked before anything narrows them.
std::string DecodeSizeProblem(std::int64_t width, std::int64_t height, std::int64_t maxPixels);

}  // namespace quillstone
