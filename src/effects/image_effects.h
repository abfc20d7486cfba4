#pragma once

#include "effects/effect_sequence.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The in-place pixel effects of the effect window and of the fixed-sequence colour styles. Each is
// one pass over the raster in row order, rows from the top, pixels from the left; none
// allocates a second raster. "Clamped" means computed as a signed integer and limited to
// 0..255. An empty raster is left unchanged by every effect.

// Channel selectors of InvertEffect and the stripe negatives.
inline constexpr int kAllChannels = 0;
inline constexpr int kRedChannel = 1;
inline constexpr int kGreenChannel = 2;
inline constexpr int kBlueChannel = 3;

// kFullRed, kFullGreen, kFullBlue: that channel becomes 255; kJustRed, kJustGreen,
// kJustBlue: only that channel remains (the other two become 0). A number outside the
// modes changes nothing.
void ChannelFillEffect(RasterImage& image, ChannelFillMode mode);

// Each selected channel c becomes 255 - c. A selector outside 0..3 changes nothing.
void InvertEffect(RasterImage& image, int channels);

// In every row the columns whose index modulo (2w + 1) is at most w are inverted: bands of
// w + 1 inverted columns alternate with bands of w unchanged ones, starting at the left.
void ColumnStripeNegative(RasterImage& image, int channels, int bandWidth);

// The same with rows: every row whose index modulo (2w + 1) is at most w is inverted.
void RowStripeNegative(RasterImage& image, int channels, int bandWidth);

// Every channel c := clamped(c + factor * (c - 127)).
void ContrastEffect(RasterImage& image, int factor);

// Every channel c := clamped(c + factor * (c - m)), m = (r + g + b) div 3 of the pixel
// before it changes; factor -1 gives grey.
void SaturationEffect(RasterImage& image, int factor);

// Per row, for x = 1..W-2 from the left, each channel := (left + centre + right) div 3,
// where left is the value this pass has already stored at x - 1.
void SmoothEffect(RasterImage& image);

// Per row, for every x in 1..W-2 that is a multiple of step: the three pixels x-1, x, x+1
// get their mean colour (div 3 per channel, from the values stored at that moment).
// A step below 1 changes nothing.
void MosaicEffect(RasterImage& image, int step);

// Rows 0..H-2, x = 1..W-2 from the left: each channel := |c(x) - c(x+1)| + 128, of which
// the low 8 bits are stored (differences above 127 wrap).
void EmbossEffect(RasterImage& image);

// Rows 0..H-2, columns 1..W-2: each channel c <= threshold becomes 255 - c.
void SolarizeEffect(RasterImage& image, int threshold);

// Per row, for x = 1..W-2 from the left: when the mean (div 3) of the blue values of
// pixels x-1, x, x+1 as stored at that moment exceeds level, those three pixels become
// grey (level, level, level).
void AverageEffect(RasterImage& image, int level);

// Every channel c := clamped(c + delta).
void BrightnessEffect(RasterImage& image, int delta);

}  // namespace quillstone
