#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/raster_image.h"

namespace quillstone {

// The largest image a decoder accepts, in pixels; a raster never holds more than
// RasterImage::kMaxPixels. Callers that want less (the fuzzers) pass a smaller number.
inline constexpr std::int64_t kDecodeMaxPixels = RasterImage::kMaxPixels;

// The largest picture file read: a bitmap of 2^28 pixels at 32 bits takes 1 GiB, and no
// sensible JPEG of that many pixels is larger. Anything above is refused before reading.
inline constexpr std::size_t kMaxImageFileBytes = std::size_t{3} << 29;  // 1.5 GiB

// Empty when a decoded image of width x height pixels may be allocated, otherwise the
// reason it may not: a side below 1 or above 65535 pixels, or more than maxPixels pixels.
// Takes 64-bit sides so that header values are checked before anything narrows them.
std::string DecodeSizeProblem(std::int64_t width, std::int64_t height, std::int64_t maxPixels);

}  // namespace quillstone
