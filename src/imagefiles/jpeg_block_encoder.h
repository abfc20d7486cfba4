#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "imaging/raster_image.h"
#include "imaging/rect.h"

namespace quillstone {

// The quantised DCT coefficients of one 8 x 8 block, in natural (row by row) order.
using CoefficientBlock = std::array<std::int16_t, 64>;

// The zigzag order in which a block's coefficients are coded: kZigzag[k] is the natural
// (row by row) index of the k-th.
inline constexpr std::array<int, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// One component of a JPEG picture as its encoder lays it out.
struct BlockComponent {
  int h = 1;  // horizontal and vertical sampling factors
  int v = 1;
  int widthInBlocks = 0;  // blocks that hold picture samples (no padding blocks)
  int heightInBlocks = 0;
  std::array<std::uint16_t, 64> quant{};  // quantisation table, natural order
};

// A JPEG picture's block layout: one component (grey) or three (Y, Cb, Cr), whose sampling
// factors each divide the largest. A unit is the pixels of one interleaved MCU:
// 8 * maxH x 8 * maxV pixels; component c has h x v blocks in each unit.
struct BlockLayout {
  int width = 0;
  int height = 0;
  int maxH = 1;
  int maxV = 1;
  std::vector<BlockComponent> components;

  int UnitWidth() const { return 8 * maxH; }
  int UnitHeight() const { return 8 * maxV; }
  int UnitsAcross() const { return (width + UnitWidth() - 1) / UnitWidth(); }
  int UnitsDown() const { return (height + UnitHeight() - 1) / UnitHeight(); }
  // The pixels of the units `units`, up to the picture's edges.
  Rect UnitPixels(Rect units) const {
    return {units.left * UnitWidth(), units.top * UnitHeight(), std::min(units.right * UnitWidth(), width),
            std::min(units.bottom * UnitHeight(), height)};
  }
};

// Encodes the unit at (unitX, unitY) of `image` (the layout's size) exactly as libjpeg's
// compressor does with its defaults: its fixed-point RGB to YCbCr (or grey) conversion,
// the last column and row repeated past the picture's edge, its box downsampling with the
// alternating rounding bias, the accurate integer forward DCT and rounding to the nearest
// multiple of the quantiser. `blocks` receives each component's h x v blocks, component
// after component, row by row; blocks past the component's edge are left out (the writer
// makes its own padding blocks), so their entries hold nothing meaningful.
void EncodeUnit(const RasterImage& image, const BlockLayout& layout, int unitX, int unitY,
                std::vector<CoefficientBlock>& blocks);

// Sets changed[ux] to 1 for each unit of unit row `unitY` where the two pictures (of the
// layout's size) differ, to 0 for the others; only the units in [firstX, endX) are compared
// (endX -1: to the last).
void FindChangedUnits(const RasterImage& a, const RasterImage& b, const BlockLayout& layout, int unitY,
                      std::vector<std::uint8_t>& changed, int firstX = 0, int endX = -1);

}  // namespace quillstone
