#include "imagefiles/smooth_resize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "imaging/rounding.h"

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

// Row accumulation in fixed blocks: a block of constant length with non-aliasing
// pointers is vectorised even where the compiler would not version an open loop.
constexpr std::size_t kBlock = 32;

void WidenRow(std::uint32_t* __restrict out, const std::uint8_t* __restrict in, std::size_t n) {
  std::size_t i = 0;
  for (; i + kBlock <= n; i += kBlock)
    for (std::size_t k = 0; k < kBlock; ++k) out[i + k] = in[i + k];
  for (; i < n; ++i) out[i] = in[i];
}

void AddRow(std::uint32_t* __restrict out, const std::uint8_t* __restrict in, std::size_t n) {
  std::size_t i = 0;
  for (; i + kBlock <= n; i += kBlock)
    for (std::size_t k = 0; k < kBlock; ++k) out[i + k] += in[i + k];
  for (; i < n; ++i) out[i] += in[i];
}

// Sums of the three channels of every source column over the rows of one row span.
// At most 65536 rows of 255 each, so 32 bits suffice.
void SumRows(const RasterImage& source, const Span& rows, std::vector<std::uint32_t>& sums) {
  const std::size_t n = sums.size();
  WidenRow(sums.data(), source.Row(rows.first), n);
  for (int y = rows.first + 1; y <= rows.last; ++y) AddRow(sums.data(), source.Row(y), n);
  if (rows.extra > 0) AddRow(sums.data(), source.Row(rows.last), n);
}

// One target column's reads from the running sums of a row: the channel sums over its span
// are prefix[end + c] - prefix[begin + c], plus `extra` times the last column's own sums
// (prefix[end + c] - prefix[end - 3 + c]).
struct ColumnTap {
  std::size_t begin = 0;   // 3 * first
  std::size_t end = 0;     // 3 * (last + 1)
  std::int64_t extra = 0;  // 0 or 1
  std::int64_t count = 0;
};

inline std::int64_t SpanSum(const std::int64_t* prefix, const ColumnTap& t, std::size_t c) {
  return prefix[t.end + c] - prefix[t.begin + c] + t.extra * (prefix[t.end + c] - prefix[t.end - 3 + c]);
}

// Each channel of a target pixel is round-half-up(sum / count) = floor((2 sum + count) /
// (2 count)), computed exactly in one of two ways, chosen per row.
//
// Up to kSmallCount positions: multiply by m = ceil(2^32 / (2 count)) and shift. With a
// numerator n <= 511 count, n m / 2^32 exceeds n / (2 count) by less than n / 2^32, which
// is below 1 / (2 count), the least distance of the true quotient from the next integer,
// as long as count^2 < 2^32 / 1022, that is count <= 2049.
constexpr std::int64_t kSmallCount = 2048;

inline std::uint32_t MeanMultiplier(std::int64_t count) {
  const std::uint64_t twiceCount = 2 * static_cast<std::uint64_t>(count);
  return static_cast<std::uint32_t>(((std::uint64_t{1} << 32) + twiceCount - 1) / twiceCount);
}

void WriteRowSmallCounts(const std::int64_t* prefix, const std::vector<ColumnTap>& taps,
                         const std::vector<std::uint32_t>& multipliers, std::int64_t rowCount,
                         std::uint8_t* out) {
  for (std::size_t i = 0; i < taps.size(); ++i, out += 3) {
    const ColumnTap& t = taps[i];
    const std::uint64_t count = static_cast<std::uint64_t>(t.count * rowCount);
    const std::uint64_t m = multipliers[i];
    for (std::size_t c = 0; c < 3; ++c) {
      const auto numerator = 2 * static_cast<std::uint64_t>(SpanSum(prefix, t, c)) + count;
      out[c] = static_cast<std::uint8_t>((numerator * m) >> 32);
    }
  }
}

// Larger areas: estimate with the double reciprocal of 2 count, then correct by one step
// either way; exact because the numerator stays below 2^43 and the estimate is off by far
// less than 1.
void WriteRowLargeCounts(const std::int64_t* prefix, const std::vector<ColumnTap>& taps,
                         std::int64_t rowCount, std::uint8_t* out) {
  for (const ColumnTap& t : taps) {
    const std::int64_t count = t.count * rowCount;
    const std::int64_t twiceCount = 2 * count;
    const double reciprocal = 1.0 / static_cast<double>(twiceCount);
    for (std::size_t c = 0; c < 3; ++c) {
      const std::int64_t numerator = 2 * SpanSum(prefix, t, c) + count;
      auto q = static_cast<std::int64_t>(static_cast<double>(numerator) * reciprocal);
      const std::int64_t remainder = numerator - q * twiceCount;
      q += (remainder >= twiceCount) - (remainder < 0);
      out[c] = static_cast<std::uint8_t>(q);
    }
    out += 3;
  }
}

}  // namespace

void SmoothResize(const RasterImage& source, RasterImage& destination, int newWidth, int newHeight) {
  if (source.Empty() || newWidth < 1 || newHeight < 1) {
    destination.Resize(0, 0);
    return;
  }
  destination.Resize(newWidth, newHeight);
  const std::vector<Span> rows = Spans(source.Height(), newHeight);
  std::vector<ColumnTap> taps;
  taps.reserve(static_cast<std::size_t>(newWidth));
  std::int64_t largestTapCount = 0;
  for (const Span& c : Spans(source.Width(), newWidth)) {
    taps.push_back({3 * static_cast<std::size_t>(c.first), 3 * (static_cast<std::size_t>(c.last) + 1),
                    c.extra, c.count});
    largestTapCount = std::max<std::int64_t>(largestTapCount, c.count);
  }
  // The multipliers of the small-count path for the row count they were made for.
  std::vector<std::uint32_t> multipliers(taps.size());
  std::int64_t multipliersRowCount = 0;

  const std::size_t n = static_cast<std::size_t>(source.Width()) * 3;
  // Column sums over the current row span, and their running sums along the row:
  // prefix[3 * i + c] is the sum of channel c over columns 0..i-1 (up to 255 * 65536 *
  // 65536, so 64 bits).
  std::vector<std::uint32_t> sums(n);
  std::vector<std::int64_t> prefix(n + 3);

  const Span* previousRows = nullptr;
  for (int y = 0; y < newHeight; ++y) {
    const Span& r = rows[static_cast<std::size_t>(y)];
    // Upscaling repeats row spans; their sums are already there.
    if (previousRows == nullptr || previousRows->first != r.first || previousRows->last != r.last ||
        previousRows->extra != r.extra) {
      SumRows(source, r, sums);
      std::int64_t b = 0, g = 0, red = 0;
      for (std::size_t i = 0; i < n; i += 3) {
        b += sums[i];
        g += sums[i + 1];
        red += sums[i + 2];
        prefix[i + 3] = b;
        prefix[i + 4] = g;
        prefix[i + 5] = red;
      }
    }
    previousRows = &r;

    std::uint8_t* out = destination.Row(y);
    if (largestTapCount * r.count <= kSmallCount) {
      if (multipliersRowCount != r.count) {
        for (std::size_t i = 0; i < taps.size(); ++i)
          multipliers[i] = MeanMultiplier(taps[i].count * r.count);
        multipliersRowCount = r.count;
      }
      WriteRowSmallCounts(prefix.data(), taps, multipliers, r.count, out);
    } else {
      WriteRowLargeCounts(prefix.data(), taps, r.count, out);
    }
  }
}

}  // namespace quillstone
