#pragma once

#include <cstdint>

namespace quillstone {

// Puts one row of straight (not premultiplied) blue, green, red, alpha pixels into a raster
// row. With `alpha`, the colours go in as they are and each pixel's alpha byte into `alpha`
// (one byte per pixel); without, each pixel is composited onto white:
// (c * a + 255 * (255 - a)) / 255, rounded.
void StoreBgraRow(const std::uint8_t* bgra, int width, std::uint8_t* bgr, std::uint8_t* alpha);

}  // namespace quillstone
