#pragma once

#include "imagefiles/fit_into_box.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The editor's resize percentage, 1..200.
inline constexpr int kMinLogoResizePercent = 1;
inline constexpr int kMaxLogoResizePercent = 200;

// The size of the resize preview of a w x h logo at `percent` (1..200): the longer side
// scaled by Trunc(side * percent / 100), the other by the same ratio, both rounded to the
// nearest whole number with halves to even. A logo with pixels never gets a side of 0:
// such a side becomes 1, so that using the preview cannot empty the logo.
ImageSize ResizePreviewSize(int w, int h, int percent);

// Plain nearest-neighbour stretch: target pixel (c, r) is source pixel
// (c * w div W', r * h div H').
void PlainStretch(const RasterImage& source, int targetWidth, int targetHeight, RasterImage& target);

// The editor's "Resized logo": `logo` scaled to ResizePreviewSize at `percent`, with the
// area-averaging resampler of the size presets (SmoothResize) when `smooth` is on and the
// plain stretch otherwise.
void MakeResizedLogo(const RasterImage& logo, int percent, bool smooth, RasterImage& resized);

}  // namespace quillstone
