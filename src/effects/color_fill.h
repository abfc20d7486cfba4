#pragma once

#include "imaging/channel_mask.h"
#include "imaging/color_value.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"

namespace quillstone {

// How a colour is laid over pixels by the overlay, the band gradients and the box.
struct FillParams {
  int blending = 50;                 // colour share in percent, 1..100
  ColorValue color = colors::kBlue;
  int step = 1;                      // only every n-th column (or row for top/bottom), 1..20
  ChannelMask channels;
  RandomSource* random = nullptr;    // set: a random colour for every visited pixel
};

// The kinds of ColorBox: the full-colour overlay or a gradient fading in from one side.
enum class ColorBoxKind { kFullColor, kLeft, kRight, kTop, kBottom };

// The colour over the whole image, every step-th column, PercentBlend per channel.
void FullColorOverlay(RasterImage& dest, const RasterImage& source, const FillParams& params);

// The box form of the overlay and the gradients over columns x1..x2 (inclusive) and rows
// y1..y2-1, clipped to the image as the text box needs it.
void ColorBox(ColorBoxKind kind, RasterImage& dest, const RasterImage& source, const FillParams& params, int x1,
              int y1, int x2, int y2);

}  // namespace quillstone
