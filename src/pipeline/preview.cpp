#include "pipeline/preview.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "effects/cpu_features.h"

namespace quillstone {

ImageSize PreviewSizeFor(int width, int height, int boxWidth, int boxHeight) {
  if (width <= 0 || height <= 0 || boxWidth < 1 || boxHeight < 1) return {};
  return FitIntoBox(width, height, boxWidth, boxHeight);
}

std::string SizeLabel(const RasterImage& image) {
  return std::to_string(image.Width()) + "x" + std::to_string(image.Height());
}

namespace {

// One source index and its share of a target pixel, in 1/65536 of the target pixel.
struct Tap {
  int index;
  std::uint32_t weight;
};

// For each of `to` target cells, the source cells of 0..from-1 it covers and their shares.
// The shares of one target cell sum to exactly 65536.
std::vector<std::vector<Tap>> AreaTaps(int from, int to) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
  const double scale = static_cast<double>(from) / to;
  for (int t = 0; t < to; ++t) {
    const double begin = t * scale;
    const double end = (t + 1) * scale;
    auto& list = taps[static_cast<std::size_t>(t)];
    std::uint32_t total = 0;
    for (int s = static_cast<int>(begin); s < from && s < end; ++s) {
      const double lo = s > begin ? s : begin;
      const double hi = s + 1 < end ? s + 1 : end;
      const auto w = static_cast<std::uint32_t>((hi - lo) / scale * 65536.0 + 0.5);
      if (w == 0) continue;
      list.push_back({s, w});
      total += w;
    }
    if (list.empty())
      list.push_back({static_cast<int>(begin) < from ? static_cast<int>(begin) : from - 1, 0});
    list.back().weight += 65536 - total;  // rounding remainder to the last tap
  }
  return taps;
}

// Adds four source rows (or one) into the 16-bit sums, replacing them when kFresh: the rows
// are added in registers, so the sums are read and written once per four rows.
template <bool kFresh>
[[gnu::always_inline]] inline void AddFourRows(const std::uint8_t* r0, const std::uint8_t* r1,
                                               const std::uint8_t* r2, const std::uint8_t* r3,
                                               std::uint16_t* __restrict sum, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) {
    sum[i] = static_cast<std::uint16_t>((kFresh ? 0 : sum[i]) + r0[i] + r1[i] + r2[i] + r3[i]);
  }
}

template <bool kFresh>
[[gnu::always_inline]] inline void AddOneRow(const std::uint8_t* r0, std::uint16_t* __restrict sum,
                                             std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) sum[i] = static_cast<std::uint16_t>((kFresh ? 0 : sum[i]) + r0[i]);
}

// The source rows of one target row, each with its share, summed into acc (cleared
// first). Rows of equal share (all but the partly covered ends) are first added up in 16
// bits, a plain byte add that vectorises, and multiplied by their share once.
[[gnu::always_inline]] inline void AccumulateBody(const RasterImage& source, const std::vector<Tap>& taps,
                                                  std::uint32_t* __restrict acc,
                                                  std::uint16_t* __restrict run, std::size_t bytes) {
  std::fill(acc, acc + bytes, 0);
  std::size_t k = 0;
  while (k < taps.size()) {
    // A run of taps with the same share, at most 257 rows so 16 bits cannot overflow.
    const std::uint32_t w = taps[k].weight;
    std::size_t end = k + 1;
    while (end < taps.size() && taps[end].weight == w && end - k < 257) ++end;
    if (end - k == 1) {
      const std::uint8_t* row = source.Row(taps[k].index);
      for (std::size_t i = 0; i < bytes; ++i) acc[i] += row[i] * w;
    } else {
      const Tap* t = taps.data() + k;
      const Tap* const last = taps.data() + end;
      const auto row = [&source](const Tap* tap) { return source.Row(tap->index); };
      if (last - t >= 4) {
        AddFourRows<true>(row(t), row(t + 1), row(t + 2), row(t + 3), run, bytes);
        t += 4;
      } else {
        AddOneRow<true>(row(t++), run, bytes);
      }
      for (; last - t >= 4; t += 4)
        AddFourRows<false>(row(t), row(t + 1), row(t + 2), row(t + 3), run, bytes);
      for (; t < last; ++t) AddOneRow<false>(row(t), run, bytes);
      for (std::size_t i = 0; i < bytes; ++i) acc[i] += run[i] * w;
    }
    k = end;
  }
}

[[gnu::noinline]] void AccumulateBaseline(const RasterImage& source, const std::vector<Tap>& taps,
                                          std::uint32_t* __restrict acc, std::uint16_t* __restrict run,
                                          std::size_t bytes) {
  AccumulateBody(source, taps, acc, run, bytes);
}

#if defined(__x86_64__) || defined(__i386__)
// The same with 256-bit vectors, for processors that have them.
[[gnu::target("avx2"), gnu::noinline]] void AccumulateAvx2(const RasterImage& source,
                                                           const std::vector<Tap>& taps,
                                                           std::uint32_t* __restrict acc,
                                                           std::uint16_t* __restrict run, std::size_t bytes) {
  AccumulateBody(source, taps, acc, run, bytes);
}
#endif

}  // namespace

void AreaAverageResize(const RasterImage& source, int width, int height, RasterImage& target) {
  if (source.Empty() || width <= 0 || height <= 0) {
    target.Resize(0, 0);
    return;
  }
  target.Resize(width, height);
  const auto xTaps = AreaTaps(source.Width(), width);
  const auto yTaps = AreaTaps(source.Height(), height);
  // Vertical first: the source rows a target row covers are summed with their shares into
  // one accumulator row, which is then reduced horizontally; every source byte is read
  // about once.
  const std::size_t rowBytes = static_cast<std::size_t>(source.Width()) * 3;
  std::vector<std::uint32_t> acc(rowBytes);
  std::vector<std::uint16_t> run(rowBytes);
  auto accumulate = &AccumulateBaseline;
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) accumulate = &AccumulateAvx2;
#endif
  for (int ty = 0; ty < height; ++ty) {
    accumulate(source, yTaps[static_cast<std::size_t>(ty)], acc.data(), run.data(), rowBytes);
    std::uint8_t* out = target.Row(ty);
    for (int tx = 0; tx < width; ++tx) {
      std::uint64_t b = 0, g = 0, r = 0;
      for (const Tap& vx : xTaps[static_cast<std::size_t>(tx)]) {
        const std::uint32_t* p = acc.data() + 3 * static_cast<std::size_t>(vx.index);
        b += std::uint64_t{p[0]} * vx.weight;
        g += std::uint64_t{p[1]} * vx.weight;
        r += std::uint64_t{p[2]} * vx.weight;
      }
      // Both shares sum to 2^16, so the total weight is 2^32; round to nearest.
      constexpr std::uint64_t kHalf = std::uint64_t{1} << 31;
      out[3 * tx] = static_cast<std::uint8_t>((b + kHalf) >> 32);
      out[3 * tx + 1] = static_cast<std::uint8_t>((g + kHalf) >> 32);
      out[3 * tx + 2] = static_cast<std::uint8_t>((r + kHalf) >> 32);
    }
  }
}

}  // namespace quillstone
