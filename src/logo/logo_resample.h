#pragma once

#include "imaging/raster_image.h"

namespace quillstone {

// The editor's resize percentage, 1..200.
inline constexpr int kMinLogoResizePercent = 1;
inline constexpr int kMaxLogoResizePercent = 200;

struct LogoSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const LogoSize&, const LogoSize&) = default;
};

// The size of the resize preview of a w x h logo at `percent` (1..200): the longer side
// scaled by Trunc(side * percent / 100), the other by the same ratio, both rounded to the
// nearest whole number with halves to even. A logo with pixels never gets a side of 0:
// such a side becomes 1, so that using the preview cannot empty the logo.
LogoSize ResizePreviewSize(int w, int h, int percent);

// Smooth resampling by box averages: target pixel (c, r) is the mean of the source pixels
// whose rows run from RoundHalfUp(y0) to RoundHalfUp(y1) and columns likewise, both ends
// included, where the band edges advance in single precision by h / H' and w / W' (the
// last edge clamped to h - 1 and w - 1), neighbouring targets sharing their boundary
// pixels (an index equal to the size counts the last pixel once more); each channel mean
// is rounded half up. target becomes W' x H'; with an empty
// source or target size it is only resized. source and target must be different rasters.
void BoxResample(const RasterImage& source, int targetWidth, int targetHeight, RasterImage& target);

// Plain nearest-neighbour stretch: target pixel (c, r) is source pixel
// (c * w div W', r * h div H').
void PlainStretch(const RasterImage& source, int targetWidth, int targetHeight, RasterImage& target);

// The editor's "Resized logo": `logo` scaled to ResizePreviewSize at `percent`, with the
// box resampler when `smooth` is on and the plain stretch otherwise.
void MakeResizedLogo(const RasterImage& logo, int percent, bool smooth, RasterImage& resized);

}  // namespace quillstone
