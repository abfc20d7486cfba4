#include "imagefiles/smooth_resize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quillstone {

namespace {

// The source positions one target column (or row) covers: first..last read from the
// source, plus `extra` positions beyond the last source index that count with `last`.
struct Span {
  int first = 0;
  int last = 0;
  int extra = 0;  // 0 or 1
  int count = 0;  // last - first + 1 + extra
};

// Round half up for the non-negative boundaries (2.5 -> 3). Widening to double first keeps
// the addition exact, so a value just below one half never rounds up.
inline int RoundHalfUp(float v) { return static_cast<int>(std::floor(static_cast<double>(v) + 0.5)); }

// The spans of `to` target cells over `from` source cells. The boundaries are single
// precision values, stepped in single precision exactly as the resampler defines them.
std::vector<Span> Spans(int from, int to) {
  std::vector<Span> spans(static_cast<std::size_t>(to));
  const float step = static_cast<float>(from) / static_cast<float>(to);
  const float limit = static_cast<float>(from);
  const float held = static_cast<float>(from - 1);
  float end = 0.0f;
  for (Span& s : spans) {
    const float start = end;
    end = end + step;
    if (end >= limit) end = held;
    const int hi = RoundHalfUp(end);
    // After the end is held at the last index, the start may round past it when
    // upscaling; the span is then the last index alone instead of nothing.
    const int lo = std::min(RoundHalfUp(start), hi);
    s.first = std::min(lo, from - 1);
    s.last = std::min(hi, from - 1);
    s.count = hi - lo + 1;
    s.extra = s.count - (s.last - s.first + 1);
  }
  return spans;
}

// Sums of the three channels of every source column over the rows of one row span.
// At most 65536 rows of 255 each, so 32 bits suffice.
void SumRows(const RasterImage& source, const Span& rows, std::vector<std::uint32_t>& sums) {
  const std::size_t n = sums.size();
  std::uint32_t* out = sums.data();
  const std::uint8_t* row = source.Row(rows.first);
  for (std::size_t i = 0; i < n; ++i) out[i] = row[i];
  for (int y = rows.first + 1; y <= rows.last; ++y) {
    row = source.Row(y);
    for (std::size_t i = 0; i < n; ++i) out[i] += row[i];
  }
  if (rows.extra > 0) {
    row = source.Row(rows.last);
    for (std::size_t i = 0; i < n; ++i) out[i] += row[i];
  }
}

// round-half-up(sum / count) for non-negative sums, exactly.
inline std::uint8_t RoundedMean(std::uint64_t sum, std::uint64_t twiceCount) {
  return static_cast<std::uint8_t>((2 * sum + twiceCount / 2) / twiceCount);
}

}  // namespace

void SmoothResize(const RasterImage& source, RasterImage& destination, int newWidth, int newHeight) {
  if (source.Empty() || newWidth < 1 || newHeight < 1) {
    destination.Resize(0, 0);
    return;
  }
  destination.Resize(newWidth, newHeight);
  const std::vector<Span> columns = Spans(source.Width(), newWidth);
  const std::vector<Span> rows = Spans(source.Height(), newHeight);
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(source.Width()) * 3);

  const Span* previousRows = nullptr;
  for (int y = 0; y < newHeight; ++y) {
    const Span& r = rows[static_cast<std::size_t>(y)];
    // Upscaling repeats row spans; their column sums are already there.
    if (previousRows == nullptr || previousRows->first != r.first || previousRows->last != r.last ||
        previousRows->extra != r.extra) {
      SumRows(source, r, sums);
    }
    previousRows = &r;

    std::uint8_t* out = destination.Row(y);
    for (const Span& c : columns) {
      std::uint64_t b = 0, g = 0, red = 0;
      const std::uint32_t* p = sums.data() + 3 * static_cast<std::size_t>(c.first);
      for (int x = c.first; x <= c.last; ++x, p += 3) {
        b += p[0];
        g += p[1];
        red += p[2];
      }
      if (c.extra > 0) {
        p -= 3;
        b += p[0];
        g += p[1];
        red += p[2];
      }
      const std::uint64_t twiceCount = 2 * static_cast<std::uint64_t>(c.count) * static_cast<std::uint64_t>(r.count);
      out[0] = RoundedMean(b, twiceCount);
      out[1] = RoundedMean(g, twiceCount);
      out[2] = RoundedMean(red, twiceCount);
      out += 3;
    }
  }
}

}  // namespace quillstone
