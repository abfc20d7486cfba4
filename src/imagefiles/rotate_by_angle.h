#pragma once

#include "imaging/color_value.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Turns source counter-clockwise by angleDegrees about its centre into destination, with
// nearest-neighbour sampling in 16.16 fixed point. The canvas grows to hold the whole
// turned picture; canvas pixels outside it get `fill`. Any angle is accepted and brought
// into 0..360 first.
//
// Whenever the fixed-point sine and cosine are those of a quarter turn (0, 90, 180, 270
// degrees and every angle equal to one of them, such as -270 or 450), the turn is exact:
// every source pixel appears exactly once, width and height swap for 90 and 270.
//
// Sides up to 65535 pixels are handled. Fails, leaving destination untouched, when the
// angle is not a finite number or the turned canvas would exceed the raster limits
// (65535 pixels per side, 2^28 pixels). An empty source gives an empty destination.
// source and destination may be the same raster.
[[nodiscard]] Status RotateByAngle(const RasterImage& source, RasterImage& destination, ColorValue fill,
                                   double angleDegrees);

// Turns source by quarterTurns * 90 degrees counter-clockwise (any integer, negative
// turns clockwise) into destination, exactly. Cannot fail: the pixel count is kept.
// source and destination may be the same raster.
void RotateQuarterTurns(const RasterImage& source, RasterImage& destination, int quarterTurns);

}  // namespace quillstone
