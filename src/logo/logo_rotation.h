#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/color_value.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Turns the reference logo by a whole-degree angle (positive turns counter-clockwise on
// screen, so 90 degrees equals RotateLogoQuarter) onto a bounding box in the fill colour,
// nearest neighbour, and writes the result into `result`.
// The angle is taken in single precision (pi/180 as 0.017453292f); when it is so small
// that |angle in radians| x max(W, H) <= 1 the result is an exact copy (1 degree leaves
// logos of at most 57 pixels a side unchanged). The box is |round(H sin)| + |round(W cos)|
// wide and |round(W sin)| + |round(H cos)| high, rounding halves to even.
// An empty reference gives an empty result. A box beyond the raster limits is refused
// with an error and result is left untouched. reference and result may be the same raster.
Status RotateLogoByAngle(const RasterImage& reference, int angle, ColorValue fill, RasterImage& result);

// Turns a logo's alpha channel (one byte per pixel of a width x height logo, row by row)
// exactly as RotateLogoByAngle turns the logo's pixels; the corners the turn adds are
// transparent. Empty alpha gives empty alpha.
Status RotateLogoAlphaByAngle(std::span<const std::uint8_t> alpha, int width, int height, int angle,
                              std::vector<std::uint8_t>& result);

}  // namespace quillstone
