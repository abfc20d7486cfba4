#include "pipeline/logo_stage.h"

#include <algorithm>
#include <cstdint>

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

// The per-pixel rules, chosen once per blend so the row loop does not branch on them.
enum class BlendRule { kPaint, kNeutralPlain, kNeutralFree };

// A logo pixel's share of the result in 1/25500: the blending percentage times its alpha.
constexpr int kWhole = 100 * 255;

template <BlendRule rule, bool withAlpha>
void BlendRows(RasterImage& dest, const RasterImage& logo, const RasterImage& source, int x0, int y0,
               const LogoSettings& s, ChannelMask channels, const std::uint8_t* alpha) {
  const int a = s.alpha;
  const Rgb key = SplitColor(s.transparentColor);
  const bool useKey = s.useTransparentColor && !withAlpha;
  // Byte order in a pixel is blue, green, red.
  const bool on[3] = {channels.blue, channels.green, channels.red};
  const int w = logo.Width();
  for (int ly = 0; ly < logo.Height(); ++ly) {
    const std::uint8_t* l = logo.Row(ly);
    const std::uint8_t* src = source.Row(y0 + ly) + 3 * x0;
    std::uint8_t* d = dest.Row(y0 + ly) + 3 * x0;
    const std::uint8_t* shares = withAlpha ? alpha + static_cast<std::size_t>(ly) * w : nullptr;
    for (int x = 0; x < w; ++x, l += 3, src += 3, d += 3) {
      if (useKey && l[0] == key.b && l[1] == key.g && l[2] == key.r) continue;
      [[maybe_unused]] int p = 0;
      if constexpr (withAlpha) p = a * shares[x];
      if constexpr (rule == BlendRule::kPaint) {
        if constexpr (withAlpha) {
          for (int c = 0; c < 3; ++c)
            d[c] = on[c] ? static_cast<std::uint8_t>((p * l[c]) / kWhole + ((kWhole - p) * src[c]) / kWhole)
                         : src[c];
        } else {
          for (int c = 0; c < 3; ++c) d[c] = on[c] ? PercentBlend(a, l[c], src[c]) : src[c];
        }
      } else {
        int sumLogo = l[0] + l[1] + l[2];
        int sumImage = src[0] + src[1] + src[2];
        double ratio;
        if constexpr (rule == BlendRule::kNeutralPlain) {
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
            d[c] = static_cast<std::uint8_t>(((kWhole - p) * src[c]) / kWhole + (n * p) / kWhole);
          } else {
            d[c] = static_cast<std::uint8_t>(((100 - a) * src[c]) / 100 + (n * a) / 100);
          }
        }
      }
    }
  }
}

template <bool withAlpha>
void BlendByRule(RasterImage& dest, const RasterImage& logo, const RasterImage& source, int x0, int y0,
                 const LogoSettings& settings, ChannelMask channels, const std::uint8_t* alpha) {
  if (!settings.colorNeutral) {
    BlendRows<BlendRule::kPaint, withAlpha>(dest, logo, source, x0, y0, settings, channels, alpha);
  } else if (settings.plain) {
    BlendRows<BlendRule::kNeutralPlain, withAlpha>(dest, logo, source, x0, y0, settings, channels, alpha);
  } else {
    BlendRows<BlendRule::kNeutralFree, withAlpha>(dest, logo, source, x0, y0, settings, channels, alpha);
  }
}

}  // namespace

void BlendLogo(RasterImage& dest, const RasterImage& logo, const RasterImage& source, int x0, int y0,
               const LogoSettings& settings, ChannelMask channels, const std::uint8_t* alpha) {
  if (logo.Empty()) return;
  if (alpha != nullptr) {
    BlendByRule<true>(dest, logo, source, x0, y0, settings, channels, alpha);
  } else {
    BlendByRule<false>(dest, logo, source, x0, y0, settings, channels, nullptr);
  }
}

bool BlendLogoAtPlaces(RasterImage& dest, const RasterImage& logo, const RasterImage& source,
                       const LogoSettings& settings, ChannelMask channels, const std::uint8_t* alpha) {
  if (logo.Width() > source.Width() || logo.Height() > source.Height()) return false;
  if (logo.Empty()) return true;
  for (int i = 0; i < kLogoPlaceCount; ++i) {
    if (!settings.places[i]) continue;
    const LogoPosition p = LogoPlacePosition(static_cast<LogoPlace>(i), source.Width(), source.Height(),
                                             logo.Width(), logo.Height());
    BlendLogo(dest, logo, source, p.x0, p.y0, settings, channels, alpha);
  }
  return true;
}

}  // namespace quillstone
