#pragma once

#include <optional>

#include "imagefiles/fit_into_box.h"
#include "imagefiles/resize_settings.h"
#include "imaging/raster_image.h"

namespace quillstone {

// The size a width x height image gets from the preset, before any sharpening; nullopt
// when the image keeps its size ("Original size", or an empty image).
//
// The preset gives a target (w, h): a fixed box, a percentage of the image (truncated),
// twice the image, or the image fitted into the custom box (FitIntoBox; custom sides are
// held to 10..2000). Both target sides are clamped to 1..2000. The scale factor then
// follows the width for landscape and square images (w / width) and the height for
// portrait images (h / height); both sides are scaled by it and rounded to the nearest
// integer, ties to even, and kept at least 1 pixel. So a 1000 x 1000 image with "320x240"
// becomes 320 x 320.
std::optional<ImageSize> SizePresetTarget(const ResizeSettings& settings, int width, int height);

// Resizes a freshly loaded and oriented source image in place as the preset asks: the
// smooth resize (then the sharpen filter, 2 pixels smaller each way, when `sharpen` is on)
// or the plain stretch. scratch is a work buffer the caller keeps between loads; its
// pixels are unspecified afterwards. "Original size" and an empty image change nothing.
void ApplySizePreset(RasterImage& image, const ResizeSettings& settings, RasterImage& scratch);

}  // namespace quillstone
