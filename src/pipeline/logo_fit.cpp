#include "pipeline/logo_fit.h"

#include <algorithm>
#include <cstdint>

#include "imagefiles/smooth_resize.h"
#include "logo/logo_rotation.h"

namespace quillstone {

namespace {

// a * b / c rounded half up, for non-negative operands.
int ScaleRounded(std::int64_t a, std::int64_t b, std::int64_t c) {
  return static_cast<int>((2 * a * b + c) / (2 * c));
}

// Resizes an alpha channel with the resampler of the pixels, so both stay aligned: the
// channel goes through a grey raster.
void ResizeAlpha(std::span<const std::uint8_t> alpha, int width, int height, ImageSize size,
                 RasterImage& grey, RasterImage& scratch, std::vector<std::uint8_t>& result) {
  grey.Resize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* d = grey.Row(y);
    const std::uint8_t* a = alpha.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x, d += 3) d[0] = d[1] = d[2] = a[x];
  }
  SmoothResize(grey, scratch, size.width, size.height);
  result.resize(static_cast<std::size_t>(size.width) * size.height);
  for (int y = 0; y < size.height; ++y) {
    const std::uint8_t* s = scratch.Row(y);
    std::uint8_t* a = result.data() + static_cast<std::size_t>(y) * size.width;
    for (int x = 0; x < size.width; ++x) a[x] = s[3 * x];
  }
}

// The alpha a logo without one blends by: opaque, transparent at the transparent colour.
void OpaqueAlpha(const RasterImage& logo, const LogoSettings& settings, std::vector<std::uint8_t>& alpha) {
  const Rgb key = SplitColor(settings.transparentColor);
  alpha.resize(static_cast<std::size_t>(logo.Width()) * logo.Height());
  for (int y = 0; y < logo.Height(); ++y) {
    const std::uint8_t* p = logo.Row(y);
    std::uint8_t* a = alpha.data() + static_cast<std::size_t>(y) * logo.Width();
    for (int x = 0; x < logo.Width(); ++x, p += 3) {
      const bool keyed = settings.useTransparentColor && p[0] == key.b && p[1] == key.g && p[2] == key.r;
      a[x] = keyed ? 0 : 255;
    }
  }
}

}  // namespace

ImageSize RelativeLogoSize(int logoWidth, int logoHeight, int imageWidth, int imageHeight, int percent) {
  if (logoWidth <= 0 || logoHeight <= 0) return {};
  const int shorter = std::min(imageWidth, imageHeight);
  const int longSide = std::max(1, ScaleRounded(shorter, std::clamp(percent, 1, 100), 100));
  if (logoWidth >= logoHeight) {
    return {longSide, std::max(1, ScaleRounded(logoHeight, longSide, logoWidth))};
  }
  return {std::max(1, ScaleRounded(logoWidth, longSide, logoHeight)), longSide};
}

Status FitLogo(const RasterImage& logo, std::span<const std::uint8_t> alpha, const LogoSettings& settings,
               int imageWidth, int imageHeight, LogoFitBuffers& buffers, FittedLogo& fitted) {
  const std::size_t pixels = static_cast<std::size_t>(logo.Width()) * static_cast<std::size_t>(logo.Height());
  if (alpha.size() != pixels) alpha = {};
  fitted = {&logo, alpha};
  if (logo.Empty()) return Status::Ok();

  if (settings.relativeSize && imageWidth > 0 && imageHeight > 0) {
    const ImageSize size =
        RelativeLogoSize(logo.Width(), logo.Height(), imageWidth, imageHeight, settings.relativePercent);
    // The resampler is no identity at the same size, so a logo that fits stays untouched.
    if (size != ImageSize{logo.Width(), logo.Height()}) {
      SmoothResize(logo, buffers.sized, size.width, size.height);
      std::span<const std::uint8_t> sizedAlpha;
      if (!alpha.empty()) {
        ResizeAlpha(alpha, logo.Width(), logo.Height(), size, buffers.alphaGrey, buffers.scratch,
                    buffers.sizedAlpha);
        sizedAlpha = buffers.sizedAlpha;
      }
      fitted = {&buffers.sized, sizedAlpha};
    }
  }

  if (settings.tile && settings.tileAngle % 360 != 0) {
    const RasterImage& upright = *fitted.logo;
    std::span<const std::uint8_t> uprightAlpha = fitted.alpha;
    if (uprightAlpha.empty()) {
      OpaqueAlpha(upright, settings, buffers.sizedAlpha);
      uprightAlpha = buffers.sizedAlpha;
    }
    if (Status turned = RotateLogoByAngle(upright, settings.tileAngle, colors::kBlack, buffers.turned);
        !turned)
      return turned;
    if (Status turned = RotateLogoAlphaByAngle(uprightAlpha, upright.Width(), upright.Height(),
                                               settings.tileAngle, buffers.turnedAlpha);
        !turned)
      return turned;
    fitted = {&buffers.turned, buffers.turnedAlpha};
  }
  return Status::Ok();
}

}  // namespace quillstone
