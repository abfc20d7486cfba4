#include "imagefiles/jpeg_block_encoder.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace quillstone {

namespace {

// Fixed-point colour conversion: coefficients scaled by 2^16 and rounded, as libjpeg's
// tables hold them. Cb and Cr round with one half minus one unit, so that no sum reaches 256.
constexpr int kScaleBits = 16;
constexpr std::int32_t Fix(double x) {
  return static_cast<std::int32_t>(x * (1 << kScaleBits) + 0.5);
}
constexpr std::int32_t kHalf = std::int32_t{1} << (kScaleBits - 1);
constexpr std::int32_t kChromaOffset = (std::int32_t{128} << kScaleBits) + kHalf - 1;

int Luma(int r, int g, int b) {
  return (Fix(0.29900) * r + Fix(0.58700) * g + Fix(0.11400) * b + kHalf) >> kScaleBits;
}
int BlueDifference(int r, int g, int b) {
  return (-Fix(0.16874) * r - Fix(0.33126) * g + Fix(0.50000) * b + kChromaOffset) >> kScaleBits;
}
int RedDifference(int r, int g, int b) {
  return (Fix(0.50000) * r - Fix(0.41869) * g - Fix(0.08131) * b + kChromaOffset) >> kScaleBits;
}

// The accurate integer DCT: 13-bit constants, two extra bits of precision between the
// passes, results scaled up by 8.
constexpr int kConstBits = 13;
constexpr int kPass1Bits = 2;
constexpr std::int32_t k0_298631336 = 2446;
constexpr std::int32_t k0_390180644 = 3196;
constexpr std::int32_t k0_541196100 = 4433;
constexpr std::int32_t k0_765366865 = 6270;
constexpr std::int32_t k0_899976223 = 7373;
constexpr std::int32_t k1_175875602 = 9633;
constexpr std::int32_t k1_501321110 = 12299;
constexpr std::int32_t k1_847759065 = 15137;
constexpr std::int32_t k1_961570560 = 16069;
constexpr std::int32_t k2_053119869 = 16819;
constexpr std::int32_t k2_562915447 = 20995;
constexpr std::int32_t k3_072711026 = 25172;

constexpr std::int32_t Descale(std::int32_t x, int n) {
  return (x + (std::int32_t{1} << (n - 1))) >> n;
}

// One 8-point transform over data[0], data[step], ... data[7 * step]. The even outputs
// 0 and 4 are shifted by `evenShift` (left when positive, descaled when negative); the
// others are descaled by `oddBits`.
void Transform8(std::int32_t* data, std::ptrdiff_t step, int evenShift, int oddBits) {
  std::int32_t* d = data;
  const auto at = [&](int i) -> std::int32_t& { return d[i * step]; };
  const std::int32_t tmp0 = at(0) + at(7);
  std::int32_t tmp7 = at(0) - at(7);
  const std::int32_t tmp1 = at(1) + at(6);
  std::int32_t tmp6 = at(1) - at(6);
  const std::int32_t tmp2 = at(2) + at(5);
  std::int32_t tmp5 = at(2) - at(5);
  const std::int32_t tmp3 = at(3) + at(4);
  std::int32_t tmp4 = at(3) - at(4);

  const std::int32_t tmp10 = tmp0 + tmp3;
  const std::int32_t tmp13 = tmp0 - tmp3;
  const std::int32_t tmp11 = tmp1 + tmp2;
  const std::int32_t tmp12 = tmp1 - tmp2;
  if (evenShift > 0) {
    at(0) = (tmp10 + tmp11) * (1 << evenShift);
    at(4) = (tmp10 - tmp11) * (1 << evenShift);
  } else {
    at(0) = Descale(tmp10 + tmp11, -evenShift);
    at(4) = Descale(tmp10 - tmp11, -evenShift);
  }
  std::int32_t z1 = (tmp12 + tmp13) * k0_541196100;
  at(2) = Descale(z1 + tmp13 * k0_765366865, oddBits);
  at(6) = Descale(z1 - tmp12 * k1_847759065, oddBits);

  z1 = tmp4 + tmp7;
  std::int32_t z2 = tmp5 + tmp6;
  std::int32_t z3 = tmp4 + tmp6;
  std::int32_t z4 = tmp5 + tmp7;
  const std::int32_t z5 = (z3 + z4) * k1_175875602;
  tmp4 *= k0_298631336;
  tmp5 *= k2_053119869;
  tmp6 *= k3_072711026;
  tmp7 *= k1_501321110;
  z1 *= -k0_899976223;
  z2 *= -k2_562915447;
  z3 = z3 * -k1_961570560 + z5;
  z4 = z4 * -k0_390180644 + z5;
  at(7) = Descale(tmp4 + z1 + z3, oddBits);
  at(5) = Descale(tmp5 + z2 + z4, oddBits);
  at(3) = Descale(tmp6 + z2 + z3, oddBits);
  at(1) = Descale(tmp7 + z1 + z4, oddBits);
}

// Transforms the centred samples and quantises each coefficient: |x| / (8 q) rounded half
// up, the sign kept.
void TransformAndQuantise(std::array<std::int32_t, 64>& data, const std::array<std::uint16_t, 64>& quant,
                          CoefficientBlock& out) {
  for (int row = 0; row < 8; ++row) Transform8(&data[8 * row], 1, kPass1Bits, kConstBits - kPass1Bits);
  for (int col = 0; col < 8; ++col) Transform8(&data[col], 8, -kPass1Bits, kConstBits + kPass1Bits);
  for (int i = 0; i < 64; ++i) {
    const std::int32_t divisor = std::int32_t{quant[i]} << 3;
    const std::int32_t magnitude = (std::abs(data[i]) + (divisor >> 1)) / divisor;
    out[i] = static_cast<std::int16_t>(data[i] < 0 ? -magnitude : magnitude);
  }
}

}  // namespace

void EncodeUnit(const RasterImage& image, const BlockLayout& layout, int unitX, int unitY,
                std::vector<CoefficientBlock>& blocks) {
  const int unitWidth = layout.UnitWidth();
  const int unitHeight = layout.UnitHeight();
  const int x0 = unitX * unitWidth;
  const int y0 = unitY * unitHeight;
  const std::size_t planeSize = static_cast<std::size_t>(unitWidth) * unitHeight;
  const bool colour = layout.components.size() == 3;

  // The unit's pixels converted, the last column and row repeated past the edge.
  std::vector<std::uint8_t> planes(planeSize * layout.components.size());
  for (int j = 0; j < unitHeight; ++j) {
    const std::uint8_t* row = image.Row(std::min(y0 + j, layout.height - 1));
    for (int i = 0; i < unitWidth; ++i) {
      const std::uint8_t* p = row + 3 * std::min(x0 + i, layout.width - 1);
      const std::size_t at = static_cast<std::size_t>(j) * unitWidth + i;
      planes[at] = static_cast<std::uint8_t>(Luma(p[2], p[1], p[0]));
      if (!colour) continue;
      planes[planeSize + at] = static_cast<std::uint8_t>(BlueDifference(p[2], p[1], p[0]));
      planes[2 * planeSize + at] = static_cast<std::uint8_t>(RedDifference(p[2], p[1], p[0]));
    }
  }

  std::size_t total = 0;
  for (const BlockComponent& c : layout.components) total += static_cast<std::size_t>(c.h) * c.v;
  blocks.resize(total);
  std::size_t next = 0;
  std::array<std::int32_t, 64> data{};
  for (std::size_t ci = 0; ci < layout.components.size(); ++ci) {
    const BlockComponent& c = layout.components[ci];
    const std::uint8_t* plane = planes.data() + ci * planeSize;
    const int hx = layout.maxH / c.h;  // pixels per sample across and down
    const int vx = layout.maxV / c.v;
    // Sample rows the downsampler makes before the last one is repeated: whole row groups.
    const int rowsMade = (layout.height + layout.maxV - 1) / layout.maxV * c.v;
    for (int by = 0; by < c.v; ++by) {
      for (int bx = 0; bx < c.h; ++bx, ++next) {
        const int blockX = unitX * c.h + bx;
        const int blockY = unitY * c.v + by;
        if (blockX >= c.widthInBlocks || blockY >= c.heightInBlocks) continue;
        for (int sy = 0; sy < 8; ++sy) {
          const int sampleRow = std::min(blockY * 8 + sy, rowsMade - 1);
          const int localRow = sampleRow * vx - y0;
          for (int sx = 0; sx < 8; ++sx) {
            const int localCol = (blockX * 8 + sx) * hx - x0;
            int sum = 0;
            for (int k = 0; k < vx; ++k) {
              const std::uint8_t* in = plane + static_cast<std::size_t>(localRow + k) * unitWidth + localCol;
              for (int m = 0; m < hx; ++m) sum += in[m];
            }
            // Two pixels round down and up by turns, four by one and two by turns, so
            // that the rounding does not drift; other ratios round half up.
            const int count = hx * vx;
            const int column = blockX * 8 + sx;
            int bias = count / 2;
            if (hx == 2 && vx == 1) bias = column & 1;
            if (hx == 2 && vx == 2) bias = 1 + (column & 1);
            data[8 * sy + sx] = (count == 1 ? sum : (sum + bias) / count) - 128;
          }
        }
        TransformAndQuantise(data, c.quant, blocks[next]);
      }
    }
  }
}

void FindChangedUnits(const RasterImage& a, const RasterImage& b, const BlockLayout& layout, int unitY,
                      std::vector<std::uint8_t>& changed, int firstX, int endX) {
  changed.assign(static_cast<std::size_t>(layout.UnitsAcross()), 0);
  const int firstRow = unitY * layout.UnitHeight();
  const int endRow = std::min(firstRow + layout.UnitHeight(), layout.height);
  for (int y = firstRow; y < endRow; ++y) {
    const std::uint8_t* rowA = a.Row(y);
    const std::uint8_t* rowB = b.Row(y);
    for (int ux = firstX; ux < (endX < 0 ? layout.UnitsAcross() : endX); ++ux) {
      if (changed[static_cast<std::size_t>(ux)]) continue;
      const int x0 = ux * layout.UnitWidth();
      const int width = std::min(layout.UnitWidth(), layout.width - x0);
      changed[static_cast<std::size_t>(ux)] =
          std::memcmp(rowA + 3 * x0, rowB + 3 * x0, 3 * static_cast<std::size_t>(width)) != 0;
    }
  }
}

}  // namespace quillstone
