#include "pipeline/preview.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// Consecutive taps of one share: all but the partly covered ends of a cell share one.
struct TapRun {
  std::size_t first;  // index into the taps
  std::size_t count;
  std::uint32_t weight;
};

// The taps as runs of at most maxCount taps of the same share, so that a run's values can
// be added up before they are multiplied by its share.
std::vector<TapRun> RunsOf(const std::vector<Tap>& taps, std::size_t maxCount) {
  std::vector<TapRun> runs;
  for (std::size_t k = 0; k < taps.size();) {
    std::size_t end = k + 1;
    while (end < taps.size() && taps[end].weight == taps[k].weight && end - k < maxCount) ++end;
    runs.push_back({k, end - k, taps[k].weight});
    k = end;
  }
  return runs;
}

// The rows of a pass as four pointers, the unused ones repeating the first.
struct FourRows {
  const std::uint8_t* r0;
  const std::uint8_t* r1;
  const std::uint8_t* r2;
  const std::uint8_t* r3;
};

template <int kRows>
FourRows RowsOf(const std::uint8_t* const* rows) {
  return {rows[0], rows[kRows > 1 ? 1 : 0], rows[kRows > 2 ? 2 : 0], rows[kRows > 3 ? 3 : 0]};
}

// s plus byte i of the first kRows rows, in 16 bits (a plain byte add that vectorises).
template <int kRows>
[[gnu::always_inline]] inline std::uint16_t Sum(std::uint16_t s, const FourRows& r, std::size_t i) {
  if constexpr (kRows == 1) return static_cast<std::uint16_t>(s + r.r0[i]);
  if constexpr (kRows == 2) return static_cast<std::uint16_t>(s + r.r0[i] + r.r1[i]);
  if constexpr (kRows == 3) return static_cast<std::uint16_t>(s + r.r0[i] + r.r1[i] + r.r2[i]);
  return static_cast<std::uint16_t>(s + r.r0[i] + r.r1[i] + r.r2[i] + r.r3[i]);
}

// The rows of one pass over the sums (1 to 4) and those of the pass after it.
struct PassRows {
  const std::uint8_t* const* rows;
  const std::uint8_t* const* next;
  std::size_t nextCount;  // 0 to 4
};

// Calls body(from, to) over 0..bytes in chunks, each after asking for the bytes kAhead
// further on in its rows, or at the start of the next pass's rows near the end. A pass
// reads a few rows of some kilobytes each side by side, and the processor would otherwise
// find each row's start only when it is read.
template <int kRows, class Body>
[[gnu::always_inline]] inline void Streamed(const PassRows& pass, std::size_t bytes, Body body) {
  constexpr std::size_t kChunk = 512;
  constexpr std::size_t kAhead = 4096;
  std::size_t i = 0;
  for (; i + kChunk <= bytes; i += kChunk) {
    const std::size_t at = i + kAhead;
    for (std::size_t k = 0; k < 4; ++k) {
      const std::uint8_t* ahead = nullptr;
      if (at < bytes) {
        if (k < kRows) ahead = pass.rows[k] + at;
      } else if (k < pass.nextCount) {
        ahead = pass.next[k] + (at - bytes);
      }
      if (ahead != nullptr) {
        for (std::size_t j = 0; j < kChunk; j += 64) __builtin_prefetch(ahead + j);
      }
    }
    body(i, i + kChunk);
  }
  body(i, bytes);
}

// Adds kRows source rows (1 to 4) into the 16-bit sums, replacing them when kFresh: the
// rows are added in registers, so the sums are read and written once per four rows.
template <int kRows, bool kFresh>
[[gnu::always_inline]] inline void AddRows(const PassRows& pass, std::uint16_t* __restrict sum,
                                           std::size_t bytes) {
  const FourRows r = RowsOf<kRows>(pass.rows);
  Streamed<kRows>(pass, bytes, [=](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) sum[i] = Sum<kRows>(kFresh ? 0 : sum[i], r, i);
  });
}

// The last kRows rows of a run of one share, with the sums of its earlier rows when kSums,
// multiplied by the share into acc (replacing it when kFresh), in the same pass.
template <int kRows, bool kSums, bool kFresh>
[[gnu::always_inline]] inline void AddWeighted(const PassRows& pass, const std::uint16_t* __restrict sum,
                                               std::uint32_t weight, std::uint32_t* __restrict acc,
                                               std::size_t bytes) {
  const FourRows r = RowsOf<kRows>(pass.rows);
  Streamed<kRows>(pass, bytes, [=](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
      acc[i] = (kFresh ? 0u : acc[i]) + Sum<kRows>(kSums ? sum[i] : 0, r, i) * weight;
  });
}

template <bool kSums, bool kFresh>
[[gnu::always_inline]] inline void AddWeightedRows(std::size_t count, const PassRows& rows,
                                                   const std::uint16_t* sum, std::uint32_t weight,
                                                   std::uint32_t* acc, std::size_t bytes) {
  switch (count) {
    case 1:
      AddWeighted<1, kSums, kFresh>(rows, sum, weight, acc, bytes);
      return;
    case 2:
      AddWeighted<2, kSums, kFresh>(rows, sum, weight, acc, bytes);
      return;
    case 3:
      AddWeighted<3, kSums, kFresh>(rows, sum, weight, acc, bytes);
      return;
    default:
      AddWeighted<4, kSums, kFresh>(rows, sum, weight, acc, bytes);
      return;
  }
}

// The source rows of one target row, each with its share, summed into acc. Rows of equal
// share (all but the partly covered ends) are added up in 16 bits, four at a time, and
// multiplied by their share once, together with their last one to four rows; the first
// run written replaces acc, so acc is never cleared and each run adds to it once. `rows`
// holds the target row's source rows (one per tap) and after them up to four rows the
// next target row starts with, which the last pass asks for ahead.
[[gnu::always_inline]] inline void AccumulateBody(const std::vector<const std::uint8_t*>& rows,
                                                  const std::vector<TapRun>& runs,
                                                  std::uint32_t* __restrict acc,
                                                  std::uint16_t* __restrict run, std::size_t bytes) {
  const auto pass = [&rows](std::size_t first, std::size_t count) {
    const std::size_t next = first + count;
    return PassRows{rows.data() + first, rows.data() + next, std::min<std::size_t>(rows.size() - next, 4)};
  };
  bool fresh = true;
  for (const TapRun& r : runs) {
    const std::size_t k = r.first;
    const std::size_t end = r.first + r.count;
    const std::uint32_t w = r.weight;
    const std::size_t last = end - 1 - (end - 1 - k) % 4;  // its last one to four rows
    for (std::size_t t = k; t < last; t += 4) {
      if (t == k) {
        AddRows<4, true>(pass(t, 4), run, bytes);
      } else {
        AddRows<4, false>(pass(t, 4), run, bytes);
      }
    }
    const std::size_t count = end - last;
    const PassRows lastRows = pass(last, count);
    if (last == k) {
      if (fresh) {
        AddWeightedRows<false, true>(count, lastRows, run, w, acc, bytes);
      } else {
        AddWeightedRows<false, false>(count, lastRows, run, w, acc, bytes);
      }
    } else if (fresh) {
      AddWeightedRows<true, true>(count, lastRows, run, w, acc, bytes);
    } else {
      AddWeightedRows<true, false>(count, lastRows, run, w, acc, bytes);
    }
    fresh = false;
  }
}

[[gnu::noinline]] void AccumulateBaseline(const std::vector<const std::uint8_t*>& rows,
                                          const std::vector<TapRun>& runs, std::uint32_t* __restrict acc,
                                          std::uint16_t* __restrict run, std::size_t bytes) {
  AccumulateBody(rows, runs, acc, run, bytes);
}

#if defined(__x86_64__) || defined(__i386__)
// The same with 256-bit vectors, for processors that have them.
[[gnu::target("avx2"), gnu::noinline]] void AccumulateAvx2(const std::vector<const std::uint8_t*>& rows,
                                                           const std::vector<TapRun>& runs,
                                                           std::uint32_t* __restrict acc,
                                                           std::uint16_t* __restrict run, std::size_t bytes) {
  AccumulateBody(rows, runs, acc, run, bytes);
}
#endif

// The sums of the three values of `count` pixels from p, two pixels to a vector (lanes 0..2
// and 3..5; lanes 6 and 7 reach into the next pixel and are not used), an odd last one on
// its own. Runs of at most 512 pixels: each lane adds at most 256 values below 2^24.
using PixelPairSums = std::uint32_t __attribute__((vector_size(32)));

[[gnu::always_inline]] inline void AddPixelRun(const std::uint32_t* p, std::size_t count, std::uint32_t& b,
                                               std::uint32_t& g, std::uint32_t& r) {
  PixelPairSums s0{}, s1{};
  std::size_t k = 0;
  for (; k + 4 <= count; k += 4, p += 12) {
    PixelPairSums v0, v1;
    std::memcpy(&v0, p, sizeof v0);
    std::memcpy(&v1, p + 6, sizeof v1);
    s0 += v0;
    s1 += v1;
  }
  if (k + 2 <= count) {
    PixelPairSums v;
    std::memcpy(&v, p, sizeof v);
    s0 += v;
    k += 2;
    p += 6;
  }
  s0 += s1;
  b = s0[0] + s0[3];
  g = s0[1] + s0[4];
  r = s0[2] + s0[5];
  if (k < count) {
    b += p[0];
    g += p[1];
    r += p[2];
  }
}

// A target pixel of the horizontal reduction: the source pixels first..first+count-1 all
// taken with one share, and those whose share differs (the partly covered ends, the
// rounding remainder) corrected one by one, so that each pixel is one run of additions.
struct Cell {
  std::size_t first;
  std::size_t count;
  std::uint32_t weight;
  std::size_t fixFrom;  // its corrections in the list of all cells'
  std::size_t fixTo;
};

struct Fix {
  std::size_t index;   // source pixel
  std::int64_t delta;  // its share less the cell's
};

void CellsOf(const std::vector<std::vector<Tap>>& taps, std::vector<Cell>& cells, std::vector<Fix>& fixes) {
  for (const std::vector<Tap>& list : taps) {
    Cell cell{static_cast<std::size_t>(list.front().index),
              static_cast<std::size_t>(list.back().index - list.front().index + 1),
              list[list.size() / 2].weight, fixes.size(), 0};
    std::size_t k = 0;
    for (std::size_t i = cell.first; i < cell.first + cell.count; ++i) {
      std::int64_t weight = 0;
      if (k < list.size() && static_cast<std::size_t>(list[k].index) == i) weight = list[k++].weight;
      if (weight != cell.weight) fixes.push_back({i, weight - std::int64_t{cell.weight}});
    }
    cell.fixTo = fixes.size();
    cells.push_back(cell);
  }
}

// One target row from the accumulator row.
[[gnu::always_inline]] inline void ReduceRowBody(const std::uint32_t* acc, const std::vector<Cell>& cells,
                                                 const std::vector<Fix>& fixes, std::uint8_t* out) {
  // At most 512 pixels to a run, so that no lane of its sums passes 2^32.
  constexpr std::size_t kMaxRun = 512;
  for (std::size_t tx = 0; tx < cells.size(); ++tx) {
    const Cell& cell = cells[tx];
    std::uint64_t b = 0, g = 0, r = 0;
    for (std::size_t k = 0; k < cell.count; k += kMaxRun) {
      std::uint32_t sb, sg, sr;
      AddPixelRun(acc + 3 * (cell.first + k), std::min(kMaxRun, cell.count - k), sb, sg, sr);
      b += sb;
      g += sg;
      r += sr;
    }
    b *= cell.weight;
    g *= cell.weight;
    r *= cell.weight;
    for (std::size_t f = cell.fixFrom; f < cell.fixTo; ++f) {
      const std::uint32_t* p = acc + 3 * fixes[f].index;
      const auto delta = static_cast<std::uint64_t>(fixes[f].delta);  // wraps back in the sums
      b += delta * p[0];
      g += delta * p[1];
      r += delta * p[2];
    }
    // Both shares sum to 2^16, so the total weight is 2^32; round to nearest.
    constexpr std::uint64_t kHalf = std::uint64_t{1} << 31;
    out[3 * tx] = static_cast<std::uint8_t>((b + kHalf) >> 32);
    out[3 * tx + 1] = static_cast<std::uint8_t>((g + kHalf) >> 32);
    out[3 * tx + 2] = static_cast<std::uint8_t>((r + kHalf) >> 32);
  }
}

[[gnu::noinline]] void ReduceRowBaseline(const std::uint32_t* acc, const std::vector<Cell>& cells,
                                         const std::vector<Fix>& fixes, std::uint8_t* out) {
  ReduceRowBody(acc, cells, fixes, out);
}

#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("avx2"), gnu::noinline]] void ReduceRowAvx2(const std::uint32_t* acc,
                                                          const std::vector<Cell>& cells,
                                                          const std::vector<Fix>& fixes, std::uint8_t* out) {
  ReduceRowBody(acc, cells, fixes, out);
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
  // Two values more than the row: the horizontal sums load eight values per two pixels.
  std::vector<std::uint32_t> acc(rowBytes + 2);
  std::vector<std::uint16_t> run(rowBytes);
  std::vector<const std::uint8_t*> rows;
  auto accumulate = &AccumulateBaseline;
  auto reduce = &ReduceRowBaseline;
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) {
    accumulate = &AccumulateAvx2;
    reduce = &ReduceRowAvx2;
  }
#endif
  // A run of equal shares is added up before it is multiplied: 16-bit row sums of at most
  // 257 rows; the accumulator values are below 2^24.
  std::vector<std::vector<TapRun>> yRuns;
  for (const auto& taps : yTaps) yRuns.push_back(RunsOf(taps, 257));
  std::vector<Cell> cells;
  std::vector<Fix> fixes;
  CellsOf(xTaps, cells, fixes);
  for (int ty = 0; ty < height; ++ty) {
    const auto& taps = yTaps[static_cast<std::size_t>(ty)];
    rows.clear();
    for (const Tap& tap : taps) rows.push_back(source.Row(tap.index));
    if (ty + 1 < height) {
      const auto& next = yTaps[static_cast<std::size_t>(ty) + 1];
      for (std::size_t k = 0; k < next.size() && k < 4; ++k) rows.push_back(source.Row(next[k].index));
    }
    accumulate(rows, yRuns[static_cast<std::size_t>(ty)], acc.data(), run.data(), rowBytes);
    reduce(acc.data(), cells, fixes, target.Row(ty));
  }
}

}  // namespace quillstone
