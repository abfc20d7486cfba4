#include "effects/convolve3x3.h"

#include <cstdint>

#include "imaging/arithmetic.h"

namespace quillstone {

namespace {

// floor(v / d) for any sign of v and d (d != 0).
inline int FloorDiv(int v, int d) {
  int q = v / d;
  if ((v % d != 0) && ((v < 0) != (d < 0))) --q;
  return q;
}

}  // namespace

void Convolve3x3(const RasterImage& source, RasterImage& target, const Kernel3x3& kernel, int offset) {
  const int W = source.Width();
  const int H = source.Height();
  if (W < 3 || H < 3) {
    target.Resize(0, 0);
    return;
  }
  int sum = 0;
  for (const auto& row : kernel)
    for (int k : row) sum += k;
  const int d = sum == 0 ? 1 : sum;
  target.Resize(W - 2, H - 2);
  // Truncating the clamped value of v / d + offset equals clamping floor(v / d) + offset,
  // which keeps the whole filter in exact integer arithmetic.
  for (int y = 1; y < H - 1; ++y) {
    const std::uint8_t* rows[3] = {source.Row(y - 1), source.Row(y), source.Row(y + 1)};
    std::uint8_t* out = target.Row(y - 1);
    for (int x = 1; x < W - 1; ++x) {
      const int base = 3 * (x - 1);
      for (int c = 0; c < 3; ++c) {
        int v = 0;
        for (int ky = 0; ky < 3; ++ky) {
          const std::uint8_t* p = rows[ky] + base + c;
          v += kernel[ky][0] * p[0] + kernel[ky][1] * p[3] + kernel[ky][2] * p[6];
        }
        const int q = d == 1 ? v : FloorDiv(v, d);
        out[base + c] = Clamp255(q + offset);
      }
    }
  }
}

}  // namespace quillstone
