#include "logo/logo_resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "imaging/arithmetic.h"

namespace quillstone {

namespace {

// Trunc(v), plus 1 when the fractional part of a non-negative v is at least 0.5.
int RoundHalfUp(float v) {
  const int t = Trunc(v);
  return v >= 0.0f && v - static_cast<float>(t) >= 0.5f ? t + 1 : t;
}

struct Span {
  int first = 0;  // first source index, included
  int last = 0;   // last source index, included; may equal the size (see below)
};

// The source bands of `count` targets over `size` source pixels.
std::vector<Span> BoxSpans(int size, int count) {
  std::vector<Span> spans(static_cast<std::size_t>(count));
  const float step = static_cast<float>(size) / static_cast<float>(count);
  float from = 0.0f;
  for (int i = 0; i < count; ++i) {
    float to = from + step;
    if (to >= static_cast<float>(size)) to = static_cast<float>(size - 1);
    // After the clamp the end can fall below the start (a start within half a pixel of
    // the size); the band then runs from the end to the start, never empty.
    const int a = RoundHalfUp(from);
    const int b = RoundHalfUp(to);
    spans[static_cast<std::size_t>(i)] = {std::min(a, b), std::max(a, b)};
    from = to;
  }
  return spans;
}

// An index equal to the size stands for the last pixel, counted once more.
int Clip(int index, int size) {
  return std::min(index, size - 1);
}

}  // namespace

LogoSize ResizePreviewSize(int w, int h, int percent) {
  if (w <= 0 || h <= 0) return {0, 0};
  percent = std::clamp(percent, kMinLogoResizePercent, kMaxLogoResizePercent);
  const int tw = Trunc(static_cast<double>(w) * percent / 100.0);
  const int th = Trunc(static_cast<double>(h) * percent / 100.0);
  const double ratio = h <= w ? static_cast<double>(tw) / w : static_cast<double>(th) / h;
  const int width = static_cast<int>(std::nearbyint(w * ratio));
  const int height = static_cast<int>(std::nearbyint(h * ratio));
  return {std::max(width, 1), std::max(height, 1)};
}

void BoxResample(const RasterImage& source, int targetWidth, int targetHeight, RasterImage& target) {
  target.Resize(targetWidth, targetHeight);
  const int w = source.Width();
  const int h = source.Height();
  if (source.Empty() || target.Empty()) return;
  const std::vector<Span> columns = BoxSpans(w, targetWidth);
  const std::vector<Span> rows = BoxSpans(h, targetHeight);
  std::vector<std::int64_t> sums(static_cast<std::size_t>(targetWidth) * 3);
  for (int r = 0; r < targetHeight; ++r) {
    const Span rowSpan = rows[static_cast<std::size_t>(r)];
    std::fill(sums.begin(), sums.end(), 0);
    for (int sy = rowSpan.first; sy <= rowSpan.last; ++sy) {
      const std::uint8_t* s = source.Row(Clip(sy, h));
      for (int c = 0; c < targetWidth; ++c) {
        const Span colSpan = columns[static_cast<std::size_t>(c)];
        std::int64_t* sum = &sums[static_cast<std::size_t>(c) * 3];
        for (int sx = colSpan.first; sx <= colSpan.last; ++sx) {
          const std::uint8_t* p = s + 3 * Clip(sx, w);
          sum[0] += p[0];
          sum[1] += p[1];
          sum[2] += p[2];
        }
      }
    }
    const int rowCount = rowSpan.last - rowSpan.first + 1;
    std::uint8_t* d = target.Row(r);
    for (int c = 0; c < targetWidth; ++c, d += 3) {
      const Span colSpan = columns[static_cast<std::size_t>(c)];
      const std::int64_t count = std::int64_t{rowCount} * (colSpan.last - colSpan.first + 1);
      const std::int64_t* sum = &sums[static_cast<std::size_t>(c) * 3];
      // The mean rounded half up: (2 sum + count) div (2 count).
      for (int k = 0; k < 3; ++k) d[k] = static_cast<std::uint8_t>((2 * sum[k] + count) / (2 * count));
    }
  }
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
  const LogoSize size = ResizePreviewSize(logo.Width(), logo.Height(), percent);
  if (smooth) {
    BoxResample(logo, size.width, size.height, resized);
  } else {
    PlainStretch(logo, size.width, size.height, resized);
  }
}

}  // namespace quillstone
