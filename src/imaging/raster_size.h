#pragma once

#include <cstdint>
#include <string>

namespace quillstone {

// Empty when a raster of width x height pixels (both at least 0) is within the limits of
// RasterImage, else why not: "exceeds 65535 pixels per side" or "exceeds 2^28 pixels".
// Takes 64-bit sides so that a size is checked before anything narrows it.
std::string RasterSizeProblem(std::int64_t width, std::int64_t height);

}  // namespace quillstone
