#include "logo/logo_effects.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "imaging/arithmetic.h"

namespace quillstone {

namespace {

using ChannelTable = std::array<std::uint8_t, 256>;

// Applies a per-channel table to every byte of every pixel.
void MapChannels(RasterImage& logo, const ChannelTable& table) {
  const int bytes = logo.Width() * 3;
  for (int y = 0; y < logo.Height(); ++y) {
    std::uint8_t* p = logo.Row(y);
    for (int i = 0; i < bytes; ++i) p[i] = table[p[i]];
  }
}

template <typename F>
ChannelTable MakeTable(F f) {
  ChannelTable table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = Clamp255(f(c));
  return table;
}

bool SameColor(const std::uint8_t* p, Rgb c) {
  return p[0] == c.b && p[1] == c.g && p[2] == c.r;
}

void SetColor(std::uint8_t* p, Rgb c) {
  p[0] = c.b;
  p[1] = c.g;
  p[2] = c.r;
}

// Partner index at distance d: index - d or index + d, the index itself where that falls
// outside 0 .. size - 1.
std::vector<int> Partners(int size, int offset) {
  std::vector<int> partner(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) {
    const int j = i + offset;
    partner[static_cast<std::size_t>(i)] = j >= 0 && j < size ? j : i;
  }
  return partner;
}

constexpr int kBlurDistance = 3;

}  // namespace

void DarkenLogo(RasterImage& logo, int amount) {
  MapChannels(logo, MakeTable([amount](int c) { return c - (c * amount) / 255; }));
}

void LightenLogo(RasterImage& logo, int amount) {
  MapChannels(logo, MakeTable([amount](int c) { return c + ((255 - c) * amount) / 255; }));
}

void InvertLogo(RasterImage& logo) {
  MapChannels(logo, MakeTable([](int c) { return 255 - c; }));
}

void WeightedGreyLogo(RasterImage& logo) {
  for (int y = 0; y < logo.Height(); ++y) {
    std::uint8_t* p = logo.Row(y);
    for (int x = 0; x < logo.Width(); ++x, p += 3) {
      const int weighted = 30 * p[2] + 59 * p[1] + 11 * p[0];  // hundredths
      int g = weighted / 100;
      const int rest = weighted % 100;
      if (rest > 50 || (rest == 50 && (g & 1) != 0)) ++g;
      p[0] = p[1] = p[2] = static_cast<std::uint8_t>(g);
    }
  }
}

void DiagonalBlurPass(RasterImage& logo) {
  const int W = logo.Width();
  const int H = logo.Height();
  if (W <= kBlurDistance || H <= kBlurDistance) return;
  const std::vector<int> left = Partners(W, -kBlurDistance);
  const std::vector<int> right = Partners(W, kBlurDistance);
  const std::vector<int> up = Partners(H, -kBlurDistance);
  const std::vector<int> down = Partners(H, kBlurDistance);
  for (int y = 0; y < H; ++y) {
    // The partner rows may be this very row; reads then see the pixels already blurred
    // to the left, as the pass works in place.
    const std::uint8_t* upper = logo.Row(up[static_cast<std::size_t>(y)]);
    const std::uint8_t* lower = logo.Row(down[static_cast<std::size_t>(y)]);
    std::uint8_t* row = logo.Row(y);
    for (int x = 0; x < W; ++x) {
      const int l = 3 * left[static_cast<std::size_t>(x)];
      const int r = 3 * right[static_cast<std::size_t>(x)];
      for (int k = 0; k < 3; ++k) {
        row[3 * x + k] =
            static_cast<std::uint8_t>((upper[l + k] + lower[l + k] + upper[r + k] + lower[r + k]) / 4);
      }
    }
  }
}

void BlurLogo(RasterImage& logo) {
  DiagonalBlurPass(logo);
  DiagonalBlurPass(logo);
}

void RippleLogo(RasterImage& logo, RippleKind kind, int amount, RandomSource& random) {
  const int W = logo.Width();
  const int H = logo.Height();
  const int a = std::min(amount, H / 2);
  if (a <= 0 || W <= 0) return;
  // The offsets of one row; the same for every row except for the random ripple.
  std::vector<int> offset(static_cast<std::size_t>(W));
  const auto fillOffsets = [&] {
    for (int x = 0; x < W; ++x) {
      int k = 0;
      switch (kind) {
        case RippleKind::kSawtooth:
          k = x % (a + 1);
          break;
        case RippleKind::kTriangle: {
          k = x % (2 * a);
          if (k > a) k = 2 * a - k;
          break;
        }
        case RippleKind::kRandom:
          k = x == 0 ? 0 : random.Below(a);
          break;
      }
      offset[static_cast<std::size_t>(x)] = k;
    }
  };
  fillOffsets();
  // Bottom to top: a row is read before anything is copied onto it, since copies only go
  // downwards, onto rows already read.
  for (int y = H - 1 - a; y >= 0; --y) {
    if (kind == RippleKind::kRandom && y != H - 1 - a) fillOffsets();
    const std::uint8_t* source = logo.Row(y);
    for (int x = 0; x < W; ++x) {
      const int k = offset[static_cast<std::size_t>(x)];
      std::uint8_t* d = logo.Row(y + k) + 3 * x;
      const std::uint8_t* s = source + 3 * x;
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
    }
  }
}

void TrianglePatternLogo(RasterImage& logo, int amount) {
  if (logo.Empty()) return;
  const int a = (std::max(amount, 5) / 2) * 2 + 1;
  const int h = a / 2;
  for (int y = 0; y < logo.Height(); ++y) {
    int t = y % (a - 1);
    if (t > h) t = 2 * h - t;
    if (t == 0) t = a;
    const int m = std::abs(h - y % a) + h;
    std::uint8_t* p = logo.Row(y);
    std::uint8_t held[3] = {p[0], p[1], p[2]};
    for (int x = 0; x < logo.Width(); ++x, p += 3) {
      if (x % t == 0 || x % m == 1) {
        held[0] = p[0];
        held[1] = p[1];
        held[2] = p[2];
      }
      p[0] = held[0];
      p[1] = held[1];
      p[2] = held[2];
    }
  }
}

void ReplaceOtherColors(RasterImage& logo, ColorValue kept, ColorValue replacement) {
  const Rgb keep = SplitColor(kept);
  const Rgb to = SplitColor(replacement);
  for (int y = 0; y < logo.Height(); ++y) {
    std::uint8_t* p = logo.Row(y);
    for (int x = 0; x < logo.Width(); ++x, p += 3) {
      if (!SameColor(p, keep)) SetColor(p, to);
    }
  }
}

void ReplaceColor(RasterImage& logo, ColorValue from, ColorValue to) {
  const Rgb match = SplitColor(from);
  const Rgb with = SplitColor(to);
  for (int y = 0; y < logo.Height(); ++y) {
    std::uint8_t* p = logo.Row(y);
    for (int x = 0; x < logo.Width(); ++x, p += 3) {
      if (SameColor(p, match)) SetColor(p, with);
    }
  }
}

}  // namespace quillstone
