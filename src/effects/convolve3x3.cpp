#include "effects/convolve3x3.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "effects/cpu_features.h"
#include "imaging/arithmetic.h"

namespace quillstone {

namespace {

// floor(v / d) for any sign of v and d (d != 0).
inline int FloorDiv(int v, int d) {
  int q = v / d;
  if ((v % d != 0) && ((v < 0) != (d < 0))) --q;
  return q;
}

// Truncating the clamped value of v / d + offset equals clamping floor(v / d) + offset
// (offset is whole), so the filter stays in exact integer arithmetic. The divisor is
// taken apart once: a sign and a shift for powers of two (the kernels of the colour
// styles have divisors -4, -1 and 1), a floor division otherwise.
struct Plan {
  int k[9];  // kernel values, row by row
  int divisor;
  int offset;
};

// The filter of one channel byte. Bytes t[0], t[3], t[6] are the same channel of the pixel
// above-left, above and above-right; m[...] and b[...] likewise for the middle row and the
// row below. Narrow kernels (every sum within +-2^14) run in 16-bit lanes with the divisor
// as a compile-time shift (kShift >= 0, negated when kNegate); everything else in 32 bits
// with a floor division (kShift < 0).
template <bool kNegate, int kShift>
struct ByteFilter {
  static constexpr bool kNarrow = kShift >= 0;
  using Acc = std::conditional_t<kNarrow, std::int16_t, std::int32_t>;
  using Sum = std::conditional_t<kNarrow, std::int16_t, std::int64_t>;

  explicit ByteFilter(const Plan& plan) : divisor(plan.divisor), offset(static_cast<Sum>(plan.offset)) {
    for (int i = 0; i < 9; ++i) k[i] = static_cast<Acc>(plan.k[i]);
  }

  std::uint8_t operator()(const std::uint8_t* t, const std::uint8_t* m, const std::uint8_t* b) const {
    const Acc v = static_cast<Acc>(k[0] * t[0] + k[1] * t[3] + k[2] * t[6] + k[3] * m[0] + k[4] * m[3] +
                                   k[5] * m[6] + k[6] * b[0] + k[7] * b[3] + k[8] * b[6]);
    Acc q;
    if constexpr (kNarrow) {
      q = static_cast<Acc>((kNegate ? static_cast<Acc>(-v) : v) >> kShift);
    } else {
      q = static_cast<Acc>(FloorDiv(v, divisor));
    }
    const Sum r = static_cast<Sum>(q + offset);
    return static_cast<std::uint8_t>(std::min<Sum>(std::max<Sum>(r, 0), 255));
  }

  Acc k[9];
  int divisor;
  Sum offset;
};

// One output row of `bytes` channel bytes. Fixed blocks of 32 bytes become whole vector
// operations (two or one per step, depending on the vector width the caller is built
// for); the rest goes byte by byte.
template <bool kNegate, int kShift>
[[gnu::always_inline]] inline void FilterRowBody(const std::uint8_t* __restrict top,
                                                 const std::uint8_t* __restrict mid,
                                                 const std::uint8_t* __restrict bottom,
                                                 std::uint8_t* __restrict out, int bytes,
                                                 const ByteFilter<kNegate, kShift>& shared) {
  const ByteFilter<kNegate, kShift> filter = shared;  // a local copy cannot alias the output row
  constexpr int kBlock = 32;
  int i = 0;
  for (; i + kBlock <= bytes; i += kBlock) {
    for (int j = 0; j < kBlock; ++j) out[i + j] = filter(top + i + j, mid + i + j, bottom + i + j);
  }
  for (; i < bytes; ++i) out[i] = filter(top + i, mid + i, bottom + i);
}

// The row functions are kept out of line: the compiler relies on their restrict-qualified
// parameters to know that the rows do not overlap.
template <bool kNegate, int kShift>
[[gnu::noinline]] void FilterRowBaseline(const std::uint8_t* __restrict top,
                                         const std::uint8_t* __restrict mid,
                                         const std::uint8_t* __restrict bottom, std::uint8_t* __restrict out,
                                         int bytes, const ByteFilter<kNegate, kShift>& filter) {
  FilterRowBody(top, mid, bottom, out, bytes, filter);
}

#if defined(__x86_64__) || defined(__i386__)
// The same with 256-bit vectors, for processors that have them.
template <bool kNegate, int kShift>
[[gnu::target("avx2"), gnu::noinline]] void FilterRowAvx2(const std::uint8_t* __restrict top,
                                                          const std::uint8_t* __restrict mid,
                                                          const std::uint8_t* __restrict bottom,
                                                          std::uint8_t* __restrict out, int bytes,
                                                          const ByteFilter<kNegate, kShift>& filter) {
  FilterRowBody(top, mid, bottom, out, bytes, filter);
}

#endif

template <bool kNegate, int kShift>
void Filter(const RasterImage& source, RasterImage& target, const Plan& plan) {
  const ByteFilter<kNegate, kShift> filter(plan);
  auto row = &FilterRowBaseline<kNegate, kShift>;
#if defined(__x86_64__) || defined(__i386__)
  if (kShift >= 0 && HasAvx2()) row = &FilterRowAvx2<kNegate, kShift>;
#endif
  const int bytes = 3 * target.Width();
  for (int y = 0; y < target.Height(); ++y) {
    row(source.Row(y), source.Row(y + 1), source.Row(y + 2), target.Row(y), bytes, filter);
  }
}

// Picks the instantiation for the divisor.
template <bool kNegate>
void FilterShifted(const RasterImage& source, RasterImage& target, const Plan& plan, int shift) {
  switch (shift) {
    case 0:
      Filter<kNegate, 0>(source, target, plan);
      break;
    case 1:
      Filter<kNegate, 1>(source, target, plan);
      break;
    case 2:
      Filter<kNegate, 2>(source, target, plan);
      break;
    case 3:
      Filter<kNegate, 3>(source, target, plan);
      break;
    default:
      Filter<false, -1>(source, target, plan);
      break;
  }
}

}  // namespace

void Convolve3x3(const RasterImage& source, RasterImage& target, const Kernel3x3& kernel, int offset) {
  const int W = source.Width();
  const int H = source.Height();
  if (W < 3 || H < 3) {
    target.Resize(0, 0);
    return;
  }
  if (&source == &target) {
    const RasterImage copy = source;
    Convolve3x3(copy, target, kernel, offset);
    return;
  }
  // Kernel values are limited to +-2^19 so that no sum can overflow 32 bits
  // (255 * 9 * 2^19 < 2^31); no filter in use comes near that.
  constexpr int kKernelLimit = 1 << 19;
  Plan plan{};
  int sum = 0;
  int absSum = 0;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const int k = std::clamp(kernel[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)],
                               -kKernelLimit, kKernelLimit);
      plan.k[3 * r + c] = k;
      sum += k;
      absSum += std::abs(k);
    }
  }
  plan.divisor = sum == 0 ? 1 : sum;
  plan.offset = offset;
  target.Resize(W - 2, H - 2);

  // 16-bit lanes hold every sum, its negation and the offset when these stay below 2^14.
  const bool narrow = 255 * absSum < (1 << 14) && offset > -(1 << 14) && offset < (1 << 14);
  const int magnitude = std::abs(plan.divisor);
  int shift = 0;
  while ((1 << shift) < magnitude) ++shift;
  if (!narrow || (1 << shift) != magnitude) shift = -1;
  if (plan.divisor > 0) {
    FilterShifted<false>(source, target, plan, shift);
  } else {
    FilterShifted<true>(source, target, plan, shift);
  }
}

}  // namespace quillstone
