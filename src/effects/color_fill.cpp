#include "effects/color_fill.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

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
  // A channel that is off gets add 0 and scale 100, which reproduces the source value.
  std::array<std::uint8_t, 3> add{};
  std::array<std::uint16_t, 3> scale{};
  for (int c = 0; c < 3; ++c) {
    add[c] = f.on[c] ? static_cast<std::uint8_t>(a * f.color[c] / 100) : 0;
    scale[c] = static_cast<std::uint16_t>(f.on[c] ? 100 - a : 100);
  }
  if (f.step == 1) {
    const detail::BlendPattern pattern{detail::RepeatPerChannel(add[0], add[1], add[2]),
                                       detail::RepeatPerChannel(scale[0], scale[1], scale[2])};
    for (int y = area.y0; y < area.y1; ++y) {
      detail::ApplyBlendPattern(dest.Row(y) + 3 * area.x0, source.Row(y) + 3 * area.x0, area.x1 - area.x0,
                                pattern);
    }
    return;
  }
  // Every n-th pixel: the blend of each channel from a table of all 256 source values.
  std::array<std::array<std::uint8_t, 256>, 3> luts;
  for (int c = 0; c < 3; ++c)
    for (int v = 0; v < 256; ++v) luts[c][v] = static_cast<std::uint8_t>(add[c] + scale[c] * v / 100);
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

void BuildLuts(float weight, const Fill& f, ChannelLuts& luts) {
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

// The weight changes from column to column: columns are taken in tiles whose tables stay
// in the first-level cache while the rows are walked.
void GradientColumns(RasterImage& dest, const RasterImage& source, const Fill& f, const FillArea& area,
                     const std::vector<float>& weights) {
  constexpr int kTileColumns = 32;
  std::vector<int> columns;
  for (int x = FirstMultiple(area.x0, f.step); x < area.x1; x += f.step) columns.push_back(x);
  std::vector<ChannelLuts> luts(std::min<std::size_t>(kTileColumns, columns.size()));
  for (std::size_t t0 = 0; t0 < columns.size(); t0 += kTileColumns) {
    const std::size_t n = std::min<std::size_t>(kTileColumns, columns.size() - t0);
    for (std::size_t j = 0; j < n; ++j)
      BuildLuts(weights[static_cast<std::size_t>(columns[t0 + j] - area.x0)], f, luts[j]);
    for (int y = area.y0; y < area.y1; ++y) {
      std::uint8_t* d = dest.Row(y);
      const std::uint8_t* s = source.Row(y);
      for (std::size_t j = 0; j < n; ++j) {
        const int x = columns[t0 + j];
        ApplyLuts(d + 3 * x, s + 3 * x, luts[j]);
      }
    }
  }
}

// The weight changes from row to row: one table per coloured row.
void GradientRows(RasterImage& dest, const RasterImage& source, const Fill& f, const FillArea& area,
                  const std::vector<float>& weights) {
  ChannelLuts luts;
  for (int y = FirstMultiple(area.y0, f.step); y < area.y1; y += f.step) {
    BuildLuts(weights[static_cast<std::size_t>(y - area.y0)], f, luts);
    std::uint8_t* d = dest.Row(y) + 3 * area.x0;
    const std::uint8_t* s = source.Row(y) + 3 * area.x0;
    for (int x = area.x0; x < area.x1; ++x, d += 3, s += 3) ApplyLuts(d, s, luts);
  }
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
