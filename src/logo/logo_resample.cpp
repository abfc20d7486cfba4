#include "logo/logo_resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "imagefiles/smooth_resize.h"
#include "imaging/arithmetic.h"

namespace quillstone {

ImageSize ResizePreviewSize(int w, int h, int percent) {
  if (w <= 0 || h <= 0) return {0, 0};
  percent = std::clamp(percent, kMinLogoResizePercent, kMaxLogoResizePercent);
  const int tw = Trunc(static_cast<double>(w) * percent / 100.0);
  const int th = Trunc(static_cast<double>(h) * percent / 100.0);
  const double ratio = h <= w ? static_cast<double>(tw) / w : static_cast<double>(th) / h;
  const int width = static_cast<int>(std::nearbyint(w * ratio));
  const int height = static_cast<int>(std::nearbyint(h * ratio));
  return {std::max(width, 1), std::max(height, 1)};
}

void PlainStretch(const RasterImage& source, int targetWidth, int targetHeight, RasterImage& target) {
  target.Resize(targetWidth, targetHeight);
  const int w = source.Width();
  const int h = source.Height();
  if (source.Empty() || target.Empty()) return;
  std::vector<int> columns(static_cast<std::size_t>(targetWidth));
  for (int c = 0; c < targetWidth; ++c) {
    columns[static_cast<std::size_t>(c)] = static_cast<int>(static_cast<long long>(c) * w / targetWidth);
  }
  for (int r = 0; r < targetHeight; ++r) {
    const std::uint8_t* s = source.Row(static_cast<int>(static_cast<long long>(r) * h / targetHeight));
    std::uint8_t* d = target.Row(r);
    for (const int sx : columns) {
      const std::uint8_t* p = s + 3 * sx;
      d[0] = p[0];
      d[1] = p[1];
      d[2] = p[2];
      d += 3;
    }
  }
}

void MakeResizedLogo(const RasterImage& logo, int percent, bool smooth, RasterImage& resized) {
  const ImageSize size = ResizePreviewSize(logo.Width(), logo.Height(), percent);
  if (smooth) {
    SmoothResize(logo, resized, size.width, size.height);
  } else {
    PlainStretch(logo, size.width, size.height, resized);
  }
}

}  // namespace quillstone
