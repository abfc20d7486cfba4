#pragma once

#include "imaging/color_value.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The shapes of the paper styles: "Paper 1" rectangles on every 10th line, "Paper 2"
// rounded rectangles on the left edge and rectangles elsewhere on every 3rd line, "Paper 3"
// ellipses on every line.
enum class PaperStyle { kRectangles, kRoundedLeft, kEllipses };

// Ragged paper edges: the random source is reseeded, then four passes (left, right, top,
// bottom) each draw one shape in `color` for every t in -1..H (left, right) or -1..W (top,
// bottom) that is a multiple of the style's interval, its corners pushed inwards by
// random amounts below `strength` (1..25):
//   left   (-5, t) .. (R + 5, t + R + 5)
//   right  (W + 4, t) .. (W - R - 5, t + R + 5)
//   top    (t, -5) .. (t + R + 5, R + 5)
//   bottom (t, H - R - 5) .. (t + R + 5, H + 5)
// where each R is a fresh draw, in the order the corners are listed. Shapes are clipped.
void PaperEdges(RasterImage& image, PaperStyle style, ColorValue color, int strength, RandomSource& random);

}  // namespace quillstone
