#pragma once

#include "imaging/color_value.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The logo editor's pixel effects, each in place on a 24-bit logo. Rasters without pixels
// are left as they are.

// The fixed amounts the editor's commands use.
inline constexpr int kLogoDarkenAmount = 10;
inline constexpr int kLogoLightenAmount = 10;
inline constexpr int kLogoRippleAmount = 5;  // random and sawtooth ripples
inline constexpr int kLogoTriangleRippleAmount = 10;
inline constexpr int kLogoTrianglePatternAmount = 10;

// Every channel c becomes c - (c * amount) div 255, limited to 0..255.
void DarkenLogo(RasterImage& logo, int amount);

// Every channel c becomes c + ((255 - c) * amount) div 255, limited to 0..255.
void LightenLogo(RasterImage& logo, int amount);

// Every pixel becomes grey g = 0.3 red + 0.59 green + 0.11 blue, rounded to the nearest
// whole number with halves to even. The sum is formed exactly ((30 r + 59 g + 11 b) / 100)
// so that true halves are recognised: pure red gives 76 (76.5), pure blue 28.
void WeightedGreyLogo(RasterImage& logo);

// Every channel c becomes 255 - c.
void InvertLogo(RasterImage& logo);

// One pass of the diagonal blur, row by row from the top, in place: each channel becomes
// the mean (truncated) of the four pixels 3 rows and 3 columns away diagonally, read as
// they are stored at that moment (rows above are already blurred). Where a partner row or
// column would fall outside the picture the pixel's own row or column stands in. Pictures
// of 3 pixels or less in either direction are left unchanged.
void DiagonalBlurPass(RasterImage& logo);

// The editor's "Gaussian Blur": two diagonal blur passes.
void BlurLogo(RasterImage& logo);

enum class RippleKind : int {
  kRandom = 0,    // offset 0 at the left of a row, then a random 0..amount-1 per pixel
  kSawtooth = 1,  // offset x mod (amount + 1)
  kTriangle = 2,  // offset 0, 1, .., amount, amount - 1, .., 1, 0, 1, .. (period 2 amount)
};

// Shifts pixels downwards by an offset that varies along each row: for every source row y
// from H - 1 - a up to 0, pixel (x, y) is copied to (x, y + offset). The amount a is
// limited to at most H div 2; a of 0 or less changes nothing. The random ripple draws its
// offsets from `random`.
void RippleLogo(RasterImage& logo, RippleKind kind, int amount, RandomSource& random);

// Turns each row into runs of repeated colours whose lengths follow a triangular rhythm
// from row to row. The amount is raised to at least 5 and made odd (10 becomes 11).
void TrianglePatternLogo(RasterImage& logo, int amount);

// Every pixel whose colour differs from `kept` becomes `replacement`.
void ReplaceOtherColors(RasterImage& logo, ColorValue kept, ColorValue replacement);

// Every pixel of colour `from` becomes `to`.
void ReplaceColor(RasterImage& logo, ColorValue from, ColorValue to);

}  // namespace quillstone
