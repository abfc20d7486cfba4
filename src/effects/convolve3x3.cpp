#include "effects/convolve3x3.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <type_traits>

#include "imaging/arithmetic.h"

namespace quillstone {

namespace {

// floor(v / d) for any sign of v and d (d != 0).
inline int FloorDiv(int v, int d) {
  int q = v / d;
  if ((v % d != 0) && ((v < 0) != (d < 0))) --q;
  return q;
}

// How v / d is taken. Truncating the clamped value of v / d + offset equals clamping
// floor(v / d) + offset (offset is whole), so the filter stays in exact integer
// arithmetic: a shift for divisors that are powers of two (negated for negative ones),
// an integer floor division otherwise.
enum class Division { kShift, kNegatedShift, kGeneral };

struct Plan {
  int k[9];  // kernel values, row by row
  int divisor;
  int shift;  // log2 |divisor| for the shift divisions
  int offset;
};

// The filter of one channel byte: bytes t[0], t[3], t[6] of the row above (the same channel
// of the pixel and its two right neighbours), m[...] of the middle row, b[...] of the row
// below. Acc is the accumulator: 16-bit lanes when every possible sum fits them, 32-bit
// otherwise; Sum holds q + offset.
template <class Acc, Division kDivision>
struct ByteFilter {
  using Sum = std::conditional_t<std::is_same_v<Acc, std::int16_t>, std::int16_t, std::int64_t>;

  explicit ByteFilter(const Plan& plan)
      : k0(static_cast<Acc>(plan.k[0])),
        k1(static_cast<Acc>(plan.k[1])),
        k2(static_cast<Acc>(plan.k[2])),
        k3(static_cast<Acc>(plan.k[3])),
        k4(static_cast<Acc>(plan.k[4])),
        k5(static_cast<Acc>(plan.k[5])),
        k6(static_cast<Acc>(plan.k[6])),
        k7(static_cast<Acc>(plan.k[7])),
        k8(static_cast<Acc>(plan.k[8])),
        shift(plan.shift),
        divisor(plan.divisor),
        offset(static_cast<Sum>(plan.offset)) {}

  std::uint8_t operator()(const std::uint8_t* t, const std::uint8_t* m, const std::uint8_t* b) const {
    const Acc v = static_cast<Acc>(k0 * t[0] + k1 * t[3] + k2 * t[6] + k3 * m[0] + k4 * m[3] + k5 * m[6] +
                                   k6 * b[0] + k7 * b[3] + k8 * b[6]);
    Acc q;
    if constexpr (kDivision == Division::kShift) {
      q = static_cast<Acc>(v >> shift);
    } else if constexpr (kDivision == Division::kNegatedShift) {
      q = static_cast<Acc>(static_cast<Acc>(-v) >> shift);
    } else {
      q = static_cast<Acc>(FloorDiv(v, divisor));
    }
    const Sum r = static_cast<Sum>(q + offset);
    return static_cast<std::uint8_t>(r < 0 ? 0 : (r > 255 ? 255 : r));
  }

  Acc k0, k1, k2, k3, k4, k5, k6, k7, k8;
  int shift;
  int divisor;
  Sum offset;
};

// One output row of `bytes` channel bytes. Fixed blocks of 16 bytes become whole vector
// operations; the rest goes byte by byte. Kept out of line so that the compiler keeps
// the promise that the rows do not overlap.
template <class Acc, Division kDivision>
[[gnu::noinline]] void FilterRow(const std::uint8_t* __restrict top, const std::uint8_t* __restrict mid,
                                 const std::uint8_t* __restrict bottom, std::uint8_t* __restrict out,
                                 int bytes, const Plan& plan) {
  const ByteFilter<Acc, kDivision> filter(plan);
  constexpr int kBlock = 16;
  int i = 0;
  for (; i + kBlock <= bytes; i += kBlock) {
    for (int j = 0; j < kBlock; ++j) out[i + j] = filter(top + i + j, mid + i + j, bottom + i + j);
  }
  for (; i < bytes; ++i) out[i] = filter(top + i, mid + i, bottom + i);
}

template <class Acc, Division kDivision>
void FilterImage(const RasterImage& source, RasterImage& target, const Plan& plan) {
  const int bytes = 3 * target.Width();
  for (int y = 0; y < target.Height(); ++y) {
    FilterRow<Acc, kDivision>(source.Row(y), source.Row(y + 1), source.Row(y + 2), target.Row(y), bytes,
                              plan);
  }
}

template <class Acc>
void FilterWith(const RasterImage& source, RasterImage& target, const Plan& plan, Division division) {
  switch (division) {
    case Division::kShift:
      FilterImage<Acc, Division::kShift>(source, target, plan);
      break;
    case Division::kNegatedShift:
      FilterImage<Acc, Division::kNegatedShift>(source, target, plan);
      break;
    case Division::kGeneral:
      FilterImage<Acc, Division::kGeneral>(source, target, plan);
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
  long long sum = 0;
  long long absSum = 0;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const int k = std::clamp(kernel[r][c], -kKernelLimit, kKernelLimit);
      plan.k[3 * r + c] = k;
      sum += k;
      absSum += std::abs(k);
    }
  }
  plan.divisor = sum == 0 ? 1 : static_cast<int>(sum);
  plan.offset = offset;

  const unsigned magnitude = static_cast<unsigned>(std::abs(plan.divisor));
  Division division = Division::kGeneral;
  if ((magnitude & (magnitude - 1)) == 0) {
    division = plan.divisor > 0 ? Division::kShift : Division::kNegatedShift;
    while ((1u << plan.shift) < magnitude) ++plan.shift;
  }

  target.Resize(W - 2, H - 2);
  // 16-bit lanes hold every sum, its negation and the offset when these stay below 2^14.
  const bool narrow = 255 * absSum < (1 << 14) && plan.offset > -(1 << 14) && plan.offset < (1 << 14);
  if (narrow) {
    FilterWith<std::int16_t>(source, target, plan, division);
  } else {
    FilterWith<std::int32_t>(source, target, plan, division);
  }
}

}  // namespace quillstone
