#include "effects/color_fill.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "effects/cpu_features.h"
#include "effects/row_blocks.h"
#include "imaging/arithmetic.h"

namespace quillstone {

namespace {

// The fill settings, checked and laid out in pixel byte order (blue, green, red) once per
// call, so the pixel loops neither test nor convert them.
struct Fill {
  int blending = 50;           // 1..100
  std::array<int, 3> color{};  // blue, green, red
  std::array<bool, 3> on{};    // blue, green, red switched on
  int step = 1;                // >= 1
  RandomSource* random = nullptr;
};

Fill Resolve(const FillParams& params) {
  const Rgb c = SplitColor(params.color);
  Fill f;
  f.blending = std::clamp(params.blending, 1, 100);
  f.color = {c.b, c.g, c.r};
  f.on = {params.channels.blue, params.channels.green, params.channels.red};
  f.step = std::max(params.step, 1);
  f.random = params.random;
  return f;
}

// The random colour of one visited pixel, in pixel byte order.
std::array<int, 3> RandomColor(RandomSource& random) {
  const int r = random.Below(256);
  const int g = random.Below(256);
  const int b = random.Below(256);
  return {b, g, r};
}

// The area limited to the pixels both images have.
FillArea ClipToImages(FillArea a, const RasterImage& dest, const RasterImage& source) {
  const int W = std::min(dest.Width(), source.Width());
  const int H = std::min(dest.Height(), source.Height());
  a.x0 = std::max(a.x0, 0);
  a.y0 = std::max(a.y0, 0);
  a.x1 = std::min(a.x1, W);
  a.y1 = std::min(a.y1, H);
  return a;
}

// The first multiple of step at or after t (t >= 0).
int FirstMultiple(int t, int step) {
  return (t + step - 1) / step * step;
}

// The overlay of every pixel of the area's rows: one blend pattern for all.
[[gnu::always_inline]] inline void BlendRowsBody(RasterImage& dest, const RasterImage& source,
                                                 const FillArea& area, const detail::BlendPattern& pattern) {
  for (int y = area.y0; y < area.y1; ++y) {
    detail::ApplyBlendPattern(dest.Row(y) + 3 * area.x0, source.Row(y) + 3 * area.x0, area.x1 - area.x0,
                              pattern);
  }
}

[[gnu::noinline]] void BlendRowsBaseline(RasterImage& dest, const RasterImage& source, const FillArea& area,
                                         const detail::BlendPattern& pattern) {
  BlendRowsBody(dest, source, area, pattern);
}

#if defined(__x86_64__) || defined(__i386__)
// The same with 256-bit vectors, for processors that have them.
[[gnu::target("avx2"), gnu::noinline]] void BlendRowsAvx2(RasterImage& dest, const RasterImage& source,
                                                          const FillArea& area,
                                                          const detail::BlendPattern& pattern) {
  BlendRowsBody(dest, source, area, pattern);
}
#endif

// The overlay of one colour as a blend of each channel value: a coloured channel gets
// add = (a * colour) div 100 and scale = 100 - a, a channel that is off add 0 and scale 100,
// which reproduces the source value.
ChannelBlend OverlayBlend(const Fill& f) {
  ChannelBlend b;
  for (std::size_t c = 0; c < 3; ++c) {
    if (!f.on[c]) continue;
    b.add[c] = static_cast<std::uint8_t>(f.blending * f.color[c] / 100);
    b.scale[c] = static_cast<std::uint16_t>(100 - f.blending);
  }
  return b;
}

bool OverlayByLines(RasterImage& dest, const RasterImage& source, const ChannelBlend& blend,
                    const FillArea& area);

void Overlay(RasterImage& dest, const RasterImage& source, const Fill& f, const FillArea& area) {
  const int a = f.blending;
  if (f.random != nullptr) {
    for (int y = area.y0; y < area.y1; ++y) {
      std::uint8_t* d = dest.Row(y) + 3 * area.x0;
      const std::uint8_t* s = source.Row(y) + 3 * area.x0;
      for (int x = area.x0; x < area.x1; ++x, d += 3, s += 3) {
        const std::array<int, 3> color = RandomColor(*f.random);
        if (x % f.step != 0) continue;
        for (int c = 0; c < 3; ++c) d[c] = f.on[c] ? PercentBlend(a, color[c], s[c]) : s[c];
      }
    }
    return;
  }
  const ChannelBlend blend = OverlayBlend(f);
  const auto& add = blend.add;
  const auto& scale = blend.scale;
  if (f.step == 1) {
    if (OverlayByLines(dest, source, blend, area)) return;
    const detail::BlendPattern pattern{detail::RepeatPerChannel(add[0], add[1], add[2]),
                                       detail::RepeatPerChannel(scale[0], scale[1], scale[2])};
#if defined(__x86_64__) || defined(__i386__)
    if (HasAvx2()) {
      BlendRowsAvx2(dest, source, area, pattern);
      return;
    }
#endif
    BlendRowsBaseline(dest, source, area, pattern);
    return;
  }
  // Every n-th pixel: the blend of each channel from a table of all 256 source values.
  std::array<std::array<std::uint8_t, 256>, 3> luts;
  for (int c = 0; c < 3; ++c)
    for (int v = 0; v < 256; ++v)
      luts[c][v] = detail::BlendByte(add[c], scale[c], static_cast<std::uint8_t>(v));
  const int first = FirstMultiple(area.x0, f.step);
  const std::ptrdiff_t advance = 3 * static_cast<std::ptrdiff_t>(f.step);
  for (int y = area.y0; y < area.y1; ++y) {
    std::uint8_t* d = dest.Row(y) + 3 * first;
    const std::uint8_t* s = source.Row(y) + 3 * first;
    for (int x = first; x < area.x1; x += f.step, d += advance, s += advance) {
      const std::uint8_t b = luts[0][s[0]];
      const std::uint8_t g = luts[1][s[1]];
      const std::uint8_t r = luts[2][s[2]];
      d[0] = b;
      d[1] = g;
      d[2] = r;
    }
  }
}

bool IsColumnSide(GradientSide side) {
  return side == GradientSide::kLeft || side == GradientSide::kRight;
}

// The two terms of a gradient channel value, C f / 100 and (100 - f) S / 100, each in
// double precision exactly as written; the value is their sum truncated.
double ColorTerm(double weight, int color) {
  return color * weight / 100.0;
}
double ImageTerm(double weight, int source) {
  return (100.0 - weight) * source / 100.0;
}
// The sum never leaves 0..255 for a weight within 0..100; the clamp only guards against a
// rounding step past the ends.
std::uint8_t GradientValue(double colorTerm, double imageTerm) {
  return Clamp255(Trunc(colorTerm + imageTerm));
}

// The gradient values of one weight for every source value, per channel (pixel byte
// order); a channel that is off maps every value to itself.
using ChannelLuts = std::array<std::array<std::uint8_t, 256>, 3>;

[[gnu::always_inline]] inline void BuildLuts(float weight, const Fill& f, ChannelLuts& luts) {
  const double w = weight;
  std::array<double, 256> imageTerm;
  for (int s = 0; s < 256; ++s) imageTerm[s] = ImageTerm(w, s);
  for (int c = 0; c < 3; ++c) {
    auto& lut = luts[c];
    if (!f.on[c]) {
      for (int s = 0; s < 256; ++s) lut[s] = static_cast<std::uint8_t>(s);
      continue;
    }
    const double colorTerm = ColorTerm(w, f.color[c]);
    for (int s = 0; s < 256; ++s) lut[s] = GradientValue(colorTerm, imageTerm[s]);
  }
}

inline void ApplyLuts(std::uint8_t* d, const std::uint8_t* s, const ChannelLuts& luts) {
  const std::uint8_t b = luts[0][s[0]];
  const std::uint8_t g = luts[1][s[1]];
  const std::uint8_t r = luts[2][s[2]];
  d[0] = b;
  d[1] = g;
  d[2] = r;
}

// Every visited pixel draws its own colour; the values are computed directly.
void GradientRandom(bool columns, RasterImage& dest, const RasterImage& source, const Fill& f,
                    const FillArea& area, const std::vector<float>& weights) {
  for (int y = area.y0; y < area.y1; ++y) {
    std::uint8_t* d = dest.Row(y) + 3 * area.x0;
    const std::uint8_t* s = source.Row(y) + 3 * area.x0;
    for (int x = area.x0; x < area.x1; ++x, d += 3, s += 3) {
      const std::array<int, 3> color = RandomColor(*f.random);
      const int t = columns ? x : y;
      if (t % f.step != 0) continue;
      const double w = weights[static_cast<std::size_t>(t - (columns ? area.x0 : area.y0))];
      for (int c = 0; c < 3; ++c)
        d[c] = f.on[c] ? GradientValue(ColorTerm(w, color[c]), ImageTerm(w, s[c])) : s[c];
    }
  }
}

// The gradient values of one weight, as a table per channel, are usually a straight line
// in the source value that 16-bit vector lanes can evaluate:
//   table[s] == (add + ((scale * (s << 8)) >> 16)) >> 8   for every s in 0..255,
// that is add in 1/256 plus the slope scale / 65536 times s, truncated to 1/256 first. A
// line is found from the table itself and accepted only when it reproduces all 256 entries,
// so the line gives exactly the table's values; the rare table that no line fits (the
// double arithmetic can land a hair below a whole number at one source value and above it
// at another, and the slope's product is truncated) keeps the table. Unlike a table
// look-up, the line vectorises, and in 16-bit lanes it takes one multiply-high per 16 bytes.
struct LinearMap {
  std::uint16_t add = 0;    // in 1/256
  std::uint16_t scale = 0;  // slope in 1/65536
};

// The slope's product in 1/256: (scale * (s << 8)) >> 16, which is a multiply-high.
[[gnu::always_inline]] inline std::uint16_t SlopeTerm(std::uint16_t scale, std::uint8_t s) {
  return static_cast<std::uint16_t>((std::uint32_t{scale} * (std::uint32_t{s} << 8)) >> 16);
}

// The line's value; add + the slope term never passes 65535 for a line that fits a table.
[[gnu::always_inline]] inline std::uint8_t LineValue(std::uint16_t add, std::uint16_t scale, std::uint8_t s) {
  return static_cast<std::uint8_t>(static_cast<std::uint16_t>(add + SlopeTerm(scale, s)) >> 8);
}

// Maps every value to itself: (255 + 256 s - 1) >> 8 == s for s in 1..255, and 255 >> 8 == 0.
constexpr LinearMap kIdentityMap{255, 65535};

// The line through `lut` with the given slope, if one exists: the add term must keep
// every entry within [lut[s] << 8, (lut[s] + 1) << 8).
[[gnu::always_inline]] inline bool FitWithScale(const std::array<std::uint8_t, 256>& lut, std::int32_t scale,
                                                LinearMap& map) {
  std::int32_t lo = 0;
  std::int32_t hi = 65535;
  for (int s = 0; s < 256; ++s) {
    const std::int32_t base = (std::int32_t{lut[static_cast<std::size_t>(s)]} << 8) - ((scale * s) >> 8);
    lo = std::max(lo, base);
    hi = std::min(hi, base + 255);
  }
  if (lo > hi) return false;
  map = {static_cast<std::uint16_t>(lo), static_cast<std::uint16_t>(scale)};
  return true;
}

// The slope of the gradient is (100 - weight) / 100; its rounded value in 1/65536 fits
// about two tables in three, and the slopes next to it, nearest first, all but a few in a
// thousand of the rest.
constexpr int kSlopeReach = 16;

[[gnu::always_inline]] inline bool FitLinear(const std::array<std::uint8_t, 256>& lut, double weight,
                                             LinearMap& map) {
  const double slope = (100.0 - weight) / 100.0 * 65536.0;
  const auto guess = static_cast<std::int32_t>(std::clamp(slope + 0.5, 0.0, 65535.0));
  if (FitWithScale(lut, guess, map)) return true;
  for (int d = 1; d <= kSlopeReach; ++d) {
    for (const std::int32_t scale : {guess - d, guess + d}) {
      if (scale >= 0 && scale <= 65535 && FitWithScale(lut, scale, map)) return true;
    }
  }
  return false;
}

// The tables of one weight and their channel lines (pixel byte order); false when a
// channel's table has no line. A channel with the colour of an earlier one shares its
// table and line.
[[gnu::always_inline]] inline bool ChannelLinesBody(float weight, const Fill& f, ChannelLuts& luts,
                                                    std::array<LinearMap, 3>& maps) {
  BuildLuts(weight, f, luts);
  for (int c = 0; c < 3; ++c) {
    if (!f.on[c]) {
      maps[c] = kIdentityMap;
      continue;
    }
    int same = 0;
    while (same < c && !(f.on[same] && f.color[same] == f.color[c])) ++same;
    if (same < c) {
      maps[c] = maps[same];
    } else if (!FitLinear(luts[c], weight, maps[c])) {
      return false;
    }
  }
  return true;
}

[[gnu::noinline]] bool ChannelLinesBaseline(float weight, const Fill& f, ChannelLuts& luts,
                                            std::array<LinearMap, 3>& maps) {
  return ChannelLinesBody(weight, f, luts, maps);
}

#if defined(__x86_64__) || defined(__i386__)
// The same with 256-bit vectors. AVX2 brings no fused multiply-add, and every floating
// step is a division or an addition anyway, so each rounds as in the baseline and the
// tables are the same to the bit.
[[gnu::target("avx2"), gnu::noinline]] bool ChannelLinesAvx2(float weight, const Fill& f, ChannelLuts& luts,
                                                             std::array<LinearMap, 3>& maps) {
  return ChannelLinesBody(weight, f, luts, maps);
}

#endif

// The tables of one weight (always) and their channel lines (when every channel has one).
bool ChannelLines(float weight, const Fill& f, ChannelLuts& luts, std::array<LinearMap, 3>& maps) {
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) return ChannelLinesAvx2(weight, f, luts, maps);
#endif
  return ChannelLinesBaseline(weight, f, luts, maps);
}

// out[i] is the line of byte i over `bytes` channel bytes; the line of byte i is entry i of
// the arrays, or entry i mod 48 with kPattern (one 16-pixel block of per-channel lines
// repeated). Fixed blocks become whole vector operations in 16-bit lanes.
template <bool kPattern>
[[gnu::always_inline]] inline void LinearBody(std::uint8_t* dest, const std::uint8_t* source, int bytes,
                                              const std::uint16_t* __restrict add,
                                              const std::uint16_t* __restrict scale) {
  constexpr int kBlock = detail::kBlockBytes;
  int i = 0;
  for (; i + kBlock <= bytes; i += kBlock) {
    const int p = kPattern ? 0 : i;
    for (int j = 0; j < kBlock; ++j) dest[i + j] = LineValue(add[p + j], scale[p + j], source[i + j]);
  }
  for (int j = 0; i + j < bytes; ++j) {
    const int p = kPattern ? j : i + j;
    dest[i + j] = LineValue(add[p], scale[p], source[i + j]);
  }
}

// Dest and source are the same row (in place) or rows that do not overlap; the two cases
// are separate functions so that the compiler knows how they overlap.
template <bool kPattern>
[[gnu::noinline]] void LinearRowInPlace(std::uint8_t* __restrict row, const std::uint8_t*, int bytes,
                                        const std::uint16_t* __restrict add,
                                        const std::uint16_t* __restrict scale) {
  LinearBody<kPattern>(row, row, bytes, add, scale);
}
template <bool kPattern>
[[gnu::noinline]] void LinearRowApart(std::uint8_t* __restrict dest, const std::uint8_t* __restrict source,
                                      int bytes, const std::uint16_t* __restrict add,
                                      const std::uint16_t* __restrict scale) {
  LinearBody<kPattern>(dest, source, bytes, add, scale);
}

#if defined(__x86_64__) || defined(__i386__)
// The same with 256-bit vectors, for processors that have them.
template <bool kPattern>
[[gnu::target("avx2"), gnu::noinline]] void LinearRowInPlaceAvx2(std::uint8_t* __restrict row,
                                                                 const std::uint8_t*, int bytes,
                                                                 const std::uint16_t* __restrict add,
                                                                 const std::uint16_t* __restrict scale) {
  LinearBody<kPattern>(row, row, bytes, add, scale);
}
template <bool kPattern>
[[gnu::target("avx2"), gnu::noinline]] void LinearRowApartAvx2(std::uint8_t* __restrict dest,
                                                               const std::uint8_t* __restrict source,
                                                               int bytes, const std::uint16_t* __restrict add,
                                                               const std::uint16_t* __restrict scale) {
  LinearBody<kPattern>(dest, source, bytes, add, scale);
}
#endif

using LinearRowFunction = void (*)(std::uint8_t*, const std::uint8_t*, int, const std::uint16_t*,
                                   const std::uint16_t*);

// The row function for the processor and for in-place or separate rows.
template <bool kPattern>
LinearRowFunction PickLinearRow(bool inPlace) {
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) return inPlace ? &LinearRowInPlaceAvx2<kPattern> : &LinearRowApartAvx2<kPattern>;
#endif
  return inPlace ? &LinearRowInPlace<kPattern> : &LinearRowApart<kPattern>;
}

// The weight changes from column to column: every column of the area gets its channel
// lines (the identity for columns the step skips), and each row is mapped in one vector
// pass; columns whose tables have no line are then looked up one by one. Columns are
// taken in tiles whose lines stay in the first-level cache while the rows are walked.
void GradientColumns(RasterImage& dest, const RasterImage& source, const Fill& f, const FillArea& area,
                     const std::vector<float>& weights) {
  constexpr int kTileColumns = 1024;
  constexpr int kPrefetchRows = 4;
  const LinearRowFunction row = PickLinearRow<false>(&dest == &source);
  std::vector<std::uint16_t> add;
  std::vector<std::uint16_t> scale;
  std::vector<int> lutColumns;
  std::vector<ChannelLuts> luts;
  ChannelLuts columnLuts;
  for (int t0 = area.x0; t0 < area.x1; t0 += kTileColumns) {
    const int t1 = std::min(t0 + kTileColumns, area.x1);
    add.assign(static_cast<std::size_t>(3 * (t1 - t0)), kIdentityMap.add);
    scale.assign(add.size(), kIdentityMap.scale);
    lutColumns.clear();
    luts.clear();
    for (int x = FirstMultiple(t0, f.step); x < t1; x += f.step) {
      const float weight = weights[static_cast<std::size_t>(x - area.x0)];
      std::array<LinearMap, 3> maps;
      if (!ChannelLines(weight, f, columnLuts, maps)) {
        lutColumns.push_back(x);
        luts.push_back(columnLuts);
        continue;
      }
      for (int c = 0; c < 3; ++c) {
        const auto i = static_cast<std::size_t>(3 * (x - t0) + c);
        add[i] = maps[c].add;
        scale[i] = maps[c].scale;
      }
    }
    for (int y = area.y0; y < area.y1; ++y) {
      std::uint8_t* d = dest.Row(y);
      const std::uint8_t* s = source.Row(y);
      // Only part of each row is read, which the processor does not foresee from row to
      // row; the rows a few steps ahead are asked for now.
      if (y + kPrefetchRows < area.y1) {
        const std::uint8_t* ahead = source.Row(y + kPrefetchRows) + 3 * t0;
        for (int i = 0; i < 3 * (t1 - t0); i += 64) __builtin_prefetch(ahead + i);
      }
      row(d + 3 * t0, s + 3 * t0, 3 * (t1 - t0), add.data(), scale.data());
      // The identity left these columns as the source had them.
      for (std::size_t j = 0; j < lutColumns.size(); ++j) {
        const int x = lutColumns[j];
        ApplyLuts(d + 3 * x, s + 3 * x, luts[j]);
      }
    }
  }
}

// The lines of the three channels repeated over a block (pixel byte order).
void LinePattern(const std::array<LinearMap, 3>& maps, std::array<std::uint16_t, detail::kBlockBytes>& add,
                 std::array<std::uint16_t, detail::kBlockBytes>& scale) {
  for (int i = 0; i < detail::kBlockBytes; ++i) {
    add[static_cast<std::size_t>(i)] = maps[static_cast<std::size_t>(i % 3)].add;
    scale[static_cast<std::size_t>(i)] = maps[static_cast<std::size_t>(i % 3)].scale;
  }
}

// The weight changes from row to row: each coloured row gets its channel lines, repeated
// over a block, or keeps its tables when they have no line.
void GradientRows(RasterImage& dest, const RasterImage& source, const Fill& f, const FillArea& area,
                  const std::vector<float>& weights) {
  const LinearRowFunction row = PickLinearRow<true>(&dest == &source);
  ChannelLuts luts;
  std::array<std::uint16_t, detail::kBlockBytes> add;
  std::array<std::uint16_t, detail::kBlockBytes> scale;
  for (int y = FirstMultiple(area.y0, f.step); y < area.y1; y += f.step) {
    const float weight = weights[static_cast<std::size_t>(y - area.y0)];
    std::uint8_t* d = dest.Row(y) + 3 * area.x0;
    const std::uint8_t* s = source.Row(y) + 3 * area.x0;
    std::array<LinearMap, 3> maps;
    if (!ChannelLines(weight, f, luts, maps)) {
      for (int x = area.x0; x < area.x1; ++x, d += 3, s += 3) ApplyLuts(d, s, luts);
      continue;
    }
    LinePattern(maps, add, scale);
    row(d, s, 3 * (area.x1 - area.x0), add.data(), scale.data());
  }
}

// The overlay's blend of every channel value is a line too (the table of every blending of
// every colour fits one): the rows then take the line's multiply-high in 16-bit lanes
// instead of a product and a division by 100. False, with nothing drawn, should a table
// have no line.
bool OverlayByLines(RasterImage& dest, const RasterImage& source, const ChannelBlend& blend,
                    const FillArea& area) {
  std::array<LinearMap, 3> maps;
  for (std::size_t c = 0; c < 3; ++c) {
    std::array<std::uint8_t, 256> lut;
    for (int v = 0; v < 256; ++v)
      lut[static_cast<std::size_t>(v)] =
          detail::BlendByte(blend.add[c], blend.scale[c], static_cast<std::uint8_t>(v));
    // The slope is scale / 100, the gradient's at weight 100 - scale.
    if (!FitLinear(lut, 100.0 - blend.scale[c], maps[c])) return false;
  }
  std::array<std::uint16_t, detail::kBlockBytes> add;
  std::array<std::uint16_t, detail::kBlockBytes> scale;
  LinePattern(maps, add, scale);
  const LinearRowFunction row = PickLinearRow<true>(&dest == &source);
  for (int y = area.y0; y < area.y1; ++y)
    row(dest.Row(y) + 3 * area.x0, source.Row(y) + 3 * area.x0, 3 * (area.x1 - area.x0), add.data(),
        scale.data());
  return true;
}

void Gradient(GradientSide side, RasterImage& dest, const RasterImage& source, const Fill& f,
              const GradientGeometry& g) {
  const FillArea area = ClipToImages(g.area, dest, source);
  if (g.span <= 0 || area.Empty()) return;
  const bool columns = IsColumnSide(side);
  const int from = columns ? area.x0 : area.y0;
  const int to = columns ? area.x1 : area.y1;
  std::vector<float> weights(static_cast<std::size_t>(to - from));
  for (int t = from; t < to; ++t)
    weights[static_cast<std::size_t>(t - from)] = GradientWeight(side, f.blending, g.span, g.anchor - t);
  if (f.random != nullptr) {
    GradientRandom(columns, dest, source, f, area, weights);
  } else if (columns) {
    GradientColumns(dest, source, f, area, weights);
  } else {
    GradientRows(dest, source, f, area, weights);
  }
}

GradientSide SideOf(ColorBoxKind kind) {
  switch (kind) {
    case ColorBoxKind::kLeft:
      return GradientSide::kLeft;
    case ColorBoxKind::kRight:
      return GradientSide::kRight;
    case ColorBoxKind::kTop:
      return GradientSide::kTop;
    case ColorBoxKind::kBottom:
    case ColorBoxKind::kFullColor:
      break;
  }
  return GradientSide::kBottom;
}

}  // namespace

float GradientWeight(GradientSide side, int blending, int span, int distance) {
  const float p = static_cast<float>(span) / static_cast<float>(blending);
  if (side == GradientSide::kLeft || side == GradientSide::kTop) return static_cast<float>(distance) / p;
  return static_cast<float>(blending - static_cast<double>(distance) / static_cast<double>(p));
}

GradientGeometry BandGeometry(GradientSide side, int width, int height, int strength) {
  const int s = std::max(strength, 1);
  const int length = IsColumnSide(side) ? width : height;
  const int depth = length / s;
  GradientGeometry g;
  int from = 0;
  int to = 0;
  if (side == GradientSide::kLeft || side == GradientSide::kTop) {
    to = std::min(depth, length);
    g.anchor = to;
    g.span = to;
  } else {
    from = length - depth;
    if (from > 0) --from;
    to = length;
    g.anchor = length - 1;
    g.span = std::max(length - 1 - from, 0);
  }
  g.area = IsColumnSide(side) ? FillArea{from, to, 0, height} : FillArea{0, width, from, to};
  return g;
}

std::optional<ChannelBlend> UniformOverlay(const FillParams& params) {
  const Fill f = Resolve(params);
  if (f.random != nullptr || f.step != 1) return std::nullopt;
  return OverlayBlend(f);
}

void FullColorOverlay(RasterImage& dest, const RasterImage& source, const FillParams& params) {
  const FillArea area = ClipToImages({0, dest.Width(), 0, dest.Height()}, dest, source);
  if (area.Empty()) return;
  Overlay(dest, source, Resolve(params), area);
}

void ColorGradient(GradientSide side, RasterImage& dest, const RasterImage& source, const FillParams& params,
                   const GradientGeometry& geometry) {
  Gradient(side, dest, source, Resolve(params), geometry);
}

void ColorBand(GradientSide side, RasterImage& dest, const RasterImage& source, const FillParams& params,
               int strength) {
  Gradient(side, dest, source, Resolve(params), BandGeometry(side, dest.Width(), dest.Height(), strength));
}

GradientGeometry BoxGeometry(ColorBoxKind kind, int width, int height, int x1, int y1, int x2, int y2) {
  constexpr int kLimit = 1 << 24;
  x1 = std::clamp(x1, -kLimit, kLimit);
  y1 = std::clamp(y1, -kLimit, kLimit);
  x2 = std::clamp(x2, -kLimit, kLimit);
  y2 = std::clamp(y2, -kLimit, kLimit);
  const int topY1 = y1;
  if (x2 >= width) x2 = width - 1;
  if (y2 >= height) y2 = height;
  if (x1 < 0) x1 = 0;
  if (y1 < 0) y1 = 0;
  GradientGeometry g;
  g.area = {x1, x2 + 1, y1, y2};
  switch (kind) {
    case ColorBoxKind::kFullColor:
      break;
    case ColorBoxKind::kLeft:
    case ColorBoxKind::kRight:
      g.anchor = x2;
      g.span = std::abs(x1 - x2);
      break;
    case ColorBoxKind::kTop:
      g.anchor = y2;
      g.span = std::abs(topY1 - y2);
      break;
    case ColorBoxKind::kBottom:
      g.anchor = y2;
      g.span = std::abs(y1 - y2);
      break;
  }
  return g;
}

void ColorBox(ColorBoxKind kind, RasterImage& dest, const RasterImage& source, const FillParams& params,
              int x1, int y1, int x2, int y2) {
  const GradientGeometry g = BoxGeometry(kind, dest.Width(), dest.Height(), x1, y1, x2, y2);
  const Fill f = Resolve(params);
  if (kind == ColorBoxKind::kFullColor) {
    const FillArea area = ClipToImages(g.area, dest, source);
    if (!area.Empty()) Overlay(dest, source, f, area);
    return;
  }
  Gradient(SideOf(kind), dest, source, f, g);
}

}  // namespace quillstone
