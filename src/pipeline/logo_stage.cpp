#include "pipeline/logo_stage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "effects/cpu_features.h"
#include "imaging/arithmetic.h"
#include "imaging/color_value.h"

namespace quillstone {

LogoPosition LogoPlacePosition(LogoPlace place, int W, int H, int w, int h) {
  const int centerX = W / 2 - w / 2;
  const int middleY = H / 2 - h / 2;
  switch (place) {
    case LogoPlace::kTopLeft:
      return {0, 0};
    case LogoPlace::kTopCenter:
      return {centerX, 0};
    case LogoPlace::kTopRight:
      return {W - w, 0};
    case LogoPlace::kMiddleRight:
      return {W - w, middleY};
    case LogoPlace::kBottomRight:
      return {W - w, H - h};
    case LogoPlace::kBottomCenter:
      return {centerX, H - h};
    case LogoPlace::kBottomLeft:
      return {0, H - h};
    case LogoPlace::kMiddleLeft:
      return {0, middleY};
    case LogoPlace::kCenter:
      return {centerX, middleY};
  }
  return {0, 0};
}

namespace {

// A logo pixel's share of the result in 1/25500: the blending percentage times its alpha.
constexpr int kWhole = 100 * 255;

// The paint rule, per byte: dest = add + (scale * source) div divisor. For a byte the logo
// paints, add = (share * logo) div divisor and scale = divisor - share, with share the
// percentage (divisor 100) or percentage x alpha (divisor 25500); for a byte it leaves (a
// channel that is off, a pixel of the transparent colour) add = 0 and scale = divisor,
// which gives the source exactly. The terms depend on the logo alone, so they are worked
// out once per blend and the span loop is plain vector arithmetic.
template <class Scale, unsigned kDivisor>
[[gnu::always_inline]] inline void PaintLoop(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* add,
                                             const Scale* scale, int bytes) {
  for (int i = 0; i < bytes; ++i)
    d[i] = static_cast<std::uint8_t>(add[i] + static_cast<Scale>(scale[i] * s[i]) / kDivisor);
}

// The loop for distinct rows: restrict, so it vectorises without an overlap check.
template <class Scale, unsigned kDivisor>
[[gnu::always_inline]] inline void PaintLoopApart(std::uint8_t* __restrict d,
                                                  const std::uint8_t* __restrict s,
                                                  const std::uint8_t* __restrict add,
                                                  const Scale* __restrict scale, int bytes) {
  PaintLoop<Scale, kDivisor>(d, s, add, scale, bytes);
}

// A row blended in place reads each byte before it writes it.
template <class Scale, unsigned kDivisor>
[[gnu::always_inline]] inline void PaintSpanBody(std::uint8_t* d, const std::uint8_t* s,
                                                 const std::uint8_t* add, const Scale* scale, int bytes) {
  if (d == s) {
    PaintLoop<Scale, kDivisor>(d, d, add, scale, bytes);
  } else {
    PaintLoopApart<Scale, kDivisor>(d, s, add, scale, bytes);
  }
}

template <class Scale, unsigned kDivisor>
using PaintSpanFn = void (*)(std::uint8_t*, const std::uint8_t*, const std::uint8_t*, const Scale*, int);

template <class Scale, unsigned kDivisor>
[[gnu::noinline]] void PaintSpanBaseline(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* add,
                                         const Scale* scale, int bytes) {
  PaintSpanBody<Scale, kDivisor>(d, s, add, scale, bytes);
}

#if defined(__x86_64__) || defined(__i386__)
template <class Scale, unsigned kDivisor>
[[gnu::target("avx2"), gnu::noinline]] void PaintSpanAvx2(std::uint8_t* d, const std::uint8_t* s,
                                                          const std::uint8_t* add, const Scale* scale,
                                                          int bytes) {
  PaintSpanBody<Scale, kDivisor>(d, s, add, scale, bytes);
}
#endif

template <class Scale, unsigned kDivisor>
PaintSpanFn<Scale, kDivisor> PaintSpanFor() {
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) return &PaintSpanAvx2<Scale, kDivisor>;
#endif
  return &PaintSpanBaseline<Scale, kDivisor>;
}

// The colour-neutral rules, per pixel: the logo modulates the image's brightness.
enum class NeutralRule { kPlain, kFree };

template <NeutralRule rule, bool withAlpha>
void NeutralSpan(std::uint8_t* d, const std::uint8_t* src, const std::uint8_t* l, const std::uint8_t* shares,
                 int count, const LogoSettings& s, const std::array<bool, 3>& on) {
  const int a = s.alpha;
  const Rgb key = SplitColor(s.transparentColor);
  const bool useKey = s.useTransparentColor && !withAlpha;
  for (int x = 0; x < count; ++x, l += 3, src += 3, d += 3) {
    if (useKey && l[0] == key.b && l[1] == key.g && l[2] == key.r) continue;
    int sumLogo = l[0] + l[1] + l[2];
    int sumImage = src[0] + src[1] + src[2];
    double ratio;
    if constexpr (rule == NeutralRule::kPlain) {
      // Never brighter than the image: the smaller sum over the larger, 0 counting as 1.
      if (sumLogo == 0) sumLogo = 1;
      if (sumImage == 0) sumImage = 1;
      ratio = static_cast<double>(std::min(sumLogo, sumImage)) / std::max(sumLogo, sumImage);
    } else {
      ratio = sumImage == 0 ? 1.0 : static_cast<double>(sumLogo) / sumImage;
    }
    for (int c = 0; c < 3; ++c) {
      if (!on[c]) {
        d[c] = src[c];
        continue;
      }
      const int n = Clamp255(Trunc(src[c] * ratio));
      if constexpr (withAlpha) {
        const int p = a * shares[x];
        d[c] = static_cast<std::uint8_t>(((kWhole - p) * src[c]) / kWhole + (n * p) / kWhole);
      } else {
        d[c] = static_cast<std::uint8_t>(((100 - a) * src[c]) / 100 + (n * a) / 100);
      }
    }
  }
}

// One logo ready to blend: the rule chosen and, for the paint rule, its per-byte terms
// worked out, so that a span of any logo row blends without testing the settings per pixel.
class LogoBlender {
 public:
  LogoBlender(const RasterImage& logo, const LogoSettings& settings, ChannelMask channels,
              const std::uint8_t* alpha)
      : logo_(logo), settings_(settings), alpha_(alpha), on_{channels.blue, channels.green, channels.red} {
    if (settings.colorNeutral) return;
    const std::size_t bytes =
        static_cast<std::size_t>(logo.Width()) * 3 * static_cast<std::size_t>(logo.Height());
    add_.resize(bytes);
    if (alpha != nullptr) {
      wideScale_.resize(bytes);
      wideSpan_ = PaintSpanFor<std::uint32_t, kWhole>();
    } else {
      scale_.resize(bytes);
      span_ = PaintSpanFor<std::uint16_t, 100>();
    }
    const Rgb key = SplitColor(settings.transparentColor);
    const bool useKey = settings.useTransparentColor && alpha == nullptr;
    std::size_t i = 0;
    for (int y = 0; y < logo.Height(); ++y) {
      const std::uint8_t* l = logo.Row(y);
      for (int x = 0; x < logo.Width(); ++x, l += 3) {
        const bool keyed = useKey && l[0] == key.b && l[1] == key.g && l[2] == key.r;
        const int share = alpha != nullptr
                              ? settings.alpha * alpha[static_cast<std::size_t>(y) * logo.Width() + x]
                              : settings.alpha;
        for (int c = 0; c < 3; ++c, ++i) {
          const bool paints = on_[c] && !keyed;
          if (alpha != nullptr) {
            add_[i] = paints ? static_cast<std::uint8_t>((share * l[c]) / kWhole) : 0;
            wideScale_[i] = static_cast<std::uint32_t>(paints ? kWhole - share : kWhole);
          } else {
            add_[i] = paints ? static_cast<std::uint8_t>((share * l[c]) / 100) : 0;
            scale_[i] = static_cast<std::uint16_t>(paints ? 100 - share : 100);
          }
        }
      }
    }
  }

  // Blends `count` pixels of logo row ly from column lx into d, reading the image from s.
  void Span(std::uint8_t* d, const std::uint8_t* s, int ly, int lx, int count) const {
    const std::size_t pixel = static_cast<std::size_t>(ly) * logo_.Width() + lx;
    if (!settings_.colorNeutral) {
      if (alpha_ != nullptr) {
        wideSpan_(d, s, add_.data() + 3 * pixel, wideScale_.data() + 3 * pixel, 3 * count);
      } else {
        span_(d, s, add_.data() + 3 * pixel, scale_.data() + 3 * pixel, 3 * count);
      }
      return;
    }
    const std::uint8_t* l = logo_.Row(ly) + 3 * lx;
    const std::uint8_t* shares = alpha_ != nullptr ? alpha_ + pixel : nullptr;
    if (settings_.plain) {
      if (alpha_ != nullptr) {
        NeutralSpan<NeutralRule::kPlain, true>(d, s, l, shares, count, settings_, on_);
      } else {
        NeutralSpan<NeutralRule::kPlain, false>(d, s, l, shares, count, settings_, on_);
      }
    } else if (alpha_ != nullptr) {
      NeutralSpan<NeutralRule::kFree, true>(d, s, l, shares, count, settings_, on_);
    } else {
      NeutralSpan<NeutralRule::kFree, false>(d, s, l, shares, count, settings_, on_);
    }
  }

  // The whole logo with its top-left corner at (x0, y0).
  void At(RasterImage& dest, const RasterImage& source, int x0, int y0) const {
    for (int ly = 0; ly < logo_.Height(); ++ly) {
      Span(dest.Row(y0 + ly) + 3 * x0, source.Row(y0 + ly) + 3 * x0, ly, 0, logo_.Width());
    }
  }

 private:
  const RasterImage& logo_;
  const LogoSettings& settings_;
  const std::uint8_t* alpha_;
  std::array<bool, 3> on_;  // blue, green, red, in pixel byte order
  std::vector<std::uint8_t> add_;
  std::vector<std::uint16_t> scale_;
  std::vector<std::uint32_t> wideScale_;
  PaintSpanFn<std::uint16_t, 100> span_ = nullptr;
  PaintSpanFn<std::uint32_t, kWhole> wideSpan_ = nullptr;
};

// floor(a / b) for b > 0.
int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

void BlendLogo(RasterImage& dest, const RasterImage& logo, const RasterImage& source, int x0, int y0,
               const LogoSettings& settings, ChannelMask channels, const std::uint8_t* alpha) {
  if (logo.Empty()) return;
  LogoBlender(logo, settings, channels, alpha).At(dest, source, x0, y0);
}

bool BlendLogoAtPlaces(RasterImage& dest, const RasterImage& logo, const RasterImage& source,
                       const LogoSettings& settings, ChannelMask channels, const std::uint8_t* alpha) {
  if (logo.Width() > source.Width() || logo.Height() > source.Height()) return false;
  if (logo.Empty()) return true;
  const LogoBlender blender(logo, settings, channels, alpha);
  for (int i = 0; i < kLogoPlaceCount; ++i) {
    if (!settings.places[i]) continue;
    const LogoPosition p = LogoPlacePosition(static_cast<LogoPlace>(i), source.Width(), source.Height(),
                                             logo.Width(), logo.Height());
    blender.At(dest, source, p.x0, p.y0);
  }
  return true;
}

TileGrid TileGridFor(int imageWidth, int imageHeight, int logoWidth, int logoHeight, int spacingPercent) {
  const int spacing = std::clamp(spacingPercent, 0, kMaxTileSpacing);
  TileGrid grid;
  grid.stepX = std::max(1, logoWidth + logoWidth * spacing / 100);
  grid.stepY = std::max(1, logoHeight + logoHeight * spacing / 100);
  const LogoPosition center =
      LogoPlacePosition(LogoPlace::kCenter, imageWidth, imageHeight, logoWidth, logoHeight);
  grid.x0 = center.x0;
  grid.y0 = center.y0;
  return grid;
}

void BlendLogoTiled(RasterImage& dest, const RasterImage& logo, const RasterImage& source,
                    const LogoSettings& settings, ChannelMask channels, const std::uint8_t* alpha) {
  if (logo.Empty()) return;
  const int W = std::min(dest.Width(), source.Width());
  const int H = std::min(dest.Height(), source.Height());
  const int w = logo.Width();
  const int h = logo.Height();
  const TileGrid grid = TileGridFor(W, H, w, h, settings.tileSpacing);
  const LogoBlender blender(logo, settings, channels, alpha);
  for (int y = 0; y < H; ++y) {
    const int row = FloorDiv(y - grid.y0, grid.stepY);
    const int ly = y - grid.y0 - row * grid.stepY;
    if (ly >= h) continue;  // between two rows of tiles
    // Every other row is shifted by half a step; the first tile is the leftmost that
    // reaches into the image.
    int left = grid.x0 + ((row & 1) != 0 ? grid.stepX / 2 : 0);
    left -= FloorDiv(left, grid.stepX) * grid.stepX;
    if (left > 0 && left - grid.stepX + w > 0) left -= grid.stepX;
    std::uint8_t* d = dest.Row(y);
    const std::uint8_t* s = source.Row(y);
    for (int x = left; x < W; x += grid.stepX) {
      const int from = std::max(x, 0);
      const int to = std::min(x + w, W);
      if (to > from) blender.Span(d + 3 * from, s + 3 * from, ly, from - x, to - from);
    }
  }
}

}  // namespace quillstone
