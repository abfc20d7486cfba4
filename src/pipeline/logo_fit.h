#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "logo/logo_resample.h"
#include "pipeline/logo_settings.h"

namespace quillstone {

// The size of a logoWidth x logoHeight logo whose longer side takes `percent` of the shorter
// side of an imageWidth x imageHeight image: the longer side is round(shorter * percent /
// 100), the other keeps the logo's proportion, both rounded half up and at least 1.
ImageSize RelativeLogoSize(int logoWidth, int logoHeight, int imageWidth, int imageHeight, int percent);

// The logo as one image is marked with it, and its alpha (empty: none).
struct FittedLogo {
  const RasterImage* logo = nullptr;
  std::span<const std::uint8_t> alpha;
};

// Working memory of FitLogo, kept between renders.
struct LogoFitBuffers {
  RasterImage sized;
  std::vector<std::uint8_t> sizedAlpha;
  RasterImage turned;
  std::vector<std::uint8_t> turnedAlpha;
  RasterImage alphaGrey;  // the alpha as a grey picture, to resize it like the pixels
  RasterImage scratch;
};

// The logo fitted to an imageWidth x imageHeight image: scaled to its relative size with the
// area-averaging resampler when the settings ask (its alpha alike), then, when tiled at an
// angle, turned by that angle with the corners the turn adds transparent. A logo without
// alpha that is turned gets one: opaque, and transparent where the transparent colour is
// used, so the turned logo blends as the upright one did. When nothing applies the result
// refers to `logo` and `alpha` themselves. Fails only when a turned logo would be too large.
Status FitLogo(const RasterImage& logo, std::span<const std::uint8_t> alpha, const LogoSettings& settings,
               int imageWidth, int imageHeight, LogoFitBuffers& buffers, FittedLogo& fitted);

}  // namespace quillstone
