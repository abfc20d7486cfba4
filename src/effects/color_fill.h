#pragma once

#include <optional>

#include "effects/effect_sequence.h"
#include "imaging/channel_mask.h"
#include "imaging/color_value.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"

namespace quillstone {

// How a colour is laid over pixels by the overlay, the band gradients and the box.
struct FillParams {
  int blending = 50;  // colour share in percent, 1..100 (values outside are limited to it)
  ColorValue color = colors::kBlue;
  int step = 1;  // only every n-th column (or row for top/bottom), 1..20; below 1 counts as 1
  ChannelMask channels{};
  RandomSource* random = nullptr;  // set: a random colour for every visited pixel
};

// The kinds of ColorBox: the full-colour overlay or a gradient fading in from one side.
enum class ColorBoxKind { kFullColor, kLeft, kRight, kTop, kBottom };

// The side a gradient fades in from: the colour has its full share at that side and none
// at the other end of the gradient.
enum class GradientSide { kLeft, kRight, kTop, kBottom };

// A rectangle of pixels: columns x0 <= x < x1, rows y0 <= y < y1.
struct FillArea {
  int x0 = 0;
  int x1 = 0;
  int y0 = 0;
  int y1 = 0;
  bool Empty() const { return x1 <= x0 || y1 <= y0; }
  friend bool operator==(const FillArea&, const FillArea&) = default;
};

// Where a gradient lies and how its colour share falls. The share at column (left/right)
// or row (top/bottom) t is GradientWeight(side, blending, span, anchor - t).
struct GradientGeometry {
  FillArea area;
  int anchor = 0;  // the column or row the distance is measured from
  int span = 0;    // pixels over which the share runs between the blending and 0; 0 draws nothing
  friend bool operator==(const GradientGeometry&, const GradientGeometry&) = default;
};

// The colour share, in percent, at `distance` pixels from the anchor: with p = span /
// blending in single precision, distance / p for the left and top sides and
// blending - distance / p for the right and bottom sides, kept in single precision.
// span must be at least 1.
float GradientWeight(GradientSide side, int blending, int span, int distance);

// The band along one edge of a width x height image, (width or height) div strength
// pixels deep (strength below 1 counts as 1):
//   left:   columns 0..E-1, E = width div strength, anchor E, span E;
//   right:  columns S..width-1, S = width - width div strength, less 1 when above 0,
//           anchor width-1, span width-1-S;
//   top and bottom: the same with rows.
GradientGeometry BandGeometry(GradientSide side, int width, int height, int strength);

// The colour over the whole image, every step-th column: each channel on in the mask
// becomes PercentBlend(blending, colour, source), the others keep the source value.
void FullColorOverlay(RasterImage& dest, const RasterImage& source, const FillParams& params);

// The full-colour overlay as one blend of every channel value, which FullColorOverlay
// gives; none when it colours only every step-th column or draws random colours.
std::optional<ChannelBlend> UniformOverlay(const FillParams& params);

// A gradient over geometry.area: each coloured pixel (its column, or its row for top and
// bottom, a multiple of the step) becomes, per channel on in the mask,
// Trunc(C f / 100 + (100 - f) S / 100) computed in double precision, f the pixel's
// GradientWeight; channels that are off keep the source value.
void ColorGradient(GradientSide side, RasterImage& dest, const RasterImage& source, const FillParams& params,
                   const GradientGeometry& geometry);

// ColorGradient over the band BandGeometry gives for dest's size.
void ColorBand(GradientSide side, RasterImage& dest, const RasterImage& source, const FillParams& params,
               int strength);

// The rectangle and gradient of a ColorBox on a width x height image. The corners are
// clipped first: x2 becomes width-1 when beyond it, y2 becomes height when beyond it, x1
// and y1 become 0 when negative; the box then covers columns x1..x2 (inclusive) and rows
// y1..y2-1. Gradients are anchored at x2 (left, right) or y2 (top, bottom); their span is
// |x1 - x2| or |y1 - y2| of the clipped corners, except that the top kind uses y1 as given,
// so a box reaching above the image starts partly faded. Coordinates are first limited
// to +-2^24.
GradientGeometry BoxGeometry(ColorBoxKind kind, int width, int height, int x1, int y1, int x2, int y2);

// The box form of the overlay and the gradients, used behind the text block.
void ColorBox(ColorBoxKind kind, RasterImage& dest, const RasterImage& source, const FillParams& params,
              int x1, int y1, int x2, int y2);

}  // namespace quillstone
