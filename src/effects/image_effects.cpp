#include "effects/image_effects.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "effects/row_blocks.h"
#include "imaging/arithmetic.h"

namespace quillstone {

namespace {

using detail::BitPattern;
using Lut = std::array<std::uint8_t, 256>;

// Factors and deltas beyond +-1024 saturate every channel that they move at all, exactly
// as the unbounded value would, so limiting them keeps the arithmetic in int range.
constexpr int kFactorLimit = 1024;

int LimitFactor(int k) {
  return std::clamp(k, -kFactorLimit, kFactorLimit);
}

// A table of the clamped results of f(c) for every channel value c.
template <class F>
Lut MakeLut(F f) {
  Lut lut{};
  for (int c = 0; c < 256; ++c) lut[c] = Clamp255(f(c));
  return lut;
}

// Maps every channel of columns x0..x1-1 of rows y0..y1-1 through lut.
void MapChannels(RasterImage& image, int x0, int x1, int y0, int y1, const Lut& lut) {
  for (int y = y0; y < y1; ++y) {
    std::uint8_t* p = image.Row(y) + 3 * x0;
    std::uint8_t* const end = image.Row(y) + 3 * x1;
    for (; p != end; ++p) *p = lut[*p];
  }
}

// The flip pattern of a channel selector; false when the selector names no channel.
bool FlipPattern(int channels, BitPattern& pattern) {
  const std::uint8_t on = 0xFF;
  switch (channels) {
    case kAllChannels:
      pattern.flip = detail::RepeatPerChannel<std::uint8_t>(on, on, on);
      return true;
    case kRedChannel:
      pattern.flip = detail::RepeatPerChannel<std::uint8_t>(0, 0, on);
      return true;
    case kGreenChannel:
      pattern.flip = detail::RepeatPerChannel<std::uint8_t>(0, on, 0);
      return true;
    case kBlueChannel:
      pattern.flip = detail::RepeatPerChannel<std::uint8_t>(on, 0, 0);
      return true;
    default:
      return false;
  }
}

void ApplyToAllRows(RasterImage& image, const BitPattern& pattern) {
  for (int y = 0; y < image.Height(); ++y) detail::ApplyBitPattern(image.Row(y), image.Width(), pattern);
}

// The stripe period 2w + 1; w is limited to the largest side, beyond which one band
// already covers everything.
int StripePeriod(int bandWidth) {
  return 2 * std::min(bandWidth, RasterImage::kMaxSide) + 1;
}

}  // namespace

void ChannelFillEffect(RasterImage& image, int mode) {
  const std::uint8_t on = 0xFF;
  BitPattern p;
  switch (mode) {
    case 1:
      p.set = detail::RepeatPerChannel<std::uint8_t>(0, 0, on);
      break;
    case 2:
      p.set = detail::RepeatPerChannel<std::uint8_t>(0, on, 0);
      break;
    case 3:
      p.set = detail::RepeatPerChannel<std::uint8_t>(on, 0, 0);
      break;
    case 4:
      p.keep = detail::RepeatPerChannel<std::uint8_t>(0, 0, on);
      break;
    case 5:
      p.keep = detail::RepeatPerChannel<std::uint8_t>(0, on, 0);
      break;
    case 6:
      p.keep = detail::RepeatPerChannel<std::uint8_t>(on, 0, 0);
      break;
    default:
      return;
  }
  ApplyToAllRows(image, p);
}

void InvertEffect(RasterImage& image, int channels) {
  BitPattern p;
  if (!FlipPattern(channels, p)) return;
  ApplyToAllRows(image, p);
}

void ColumnStripeNegative(RasterImage& image, int channels, int bandWidth) {
  BitPattern p;
  if (bandWidth < 0 || !FlipPattern(channels, p)) return;
  const int W = image.Width();
  const int period = StripePeriod(bandWidth);
  const int inverted = std::min(bandWidth, RasterImage::kMaxSide) + 1;
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* row = image.Row(y);
    for (int x = 0; x < W; x += period) detail::ApplyBitPattern(row + 3 * x, std::min(inverted, W - x), p);
  }
}

void RowStripeNegative(RasterImage& image, int channels, int bandWidth) {
  BitPattern p;
  if (bandWidth < 0 || !FlipPattern(channels, p)) return;
  const int period = StripePeriod(bandWidth);
  for (int y = 0; y < image.Height(); ++y) {
    if (y % period <= bandWidth) detail::ApplyBitPattern(image.Row(y), image.Width(), p);
  }
}

void ContrastEffect(RasterImage& image, int factor) {
  const int k = LimitFactor(factor);
  MapChannels(image, 0, image.Width(), 0, image.Height(), MakeLut([k](int c) { return c + k * (c - 127); }));
}

void SaturationEffect(RasterImage& image, int factor) {
  const int k = LimitFactor(factor);
  const int W = image.Width();
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* p = image.Row(y);
    for (int x = 0; x < W; ++x, p += 3) {
      const int m = (p[0] + p[1] + p[2]) / 3;
      for (int c = 0; c < 3; ++c) p[c] = Clamp255(p[c] + k * (p[c] - m));
    }
  }
}

void SmoothEffect(RasterImage& image) {
  const int W = image.Width();
  if (W < 3) return;
  for (int y = 0; y < image.Height(); ++y) {
    // Stored left to right in place: the left neighbour is the value just written.
    std::uint8_t* p = image.Row(y) + 3;
    for (int x = 1; x <= W - 2; ++x, p += 3) {
      for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c - 3] + p[c] + p[c + 3]) / 3);
    }
  }
}

void MosaicEffect(RasterImage& image, int step) {
  const int W = image.Width();
  if (W < 3 || step < 1) return;
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* row = image.Row(y);
    for (int x = step; x <= W - 2; x += step) {
      std::uint8_t* p = row + 3 * x;
      for (int c = 0; c < 3; ++c) {
        const auto mean = static_cast<std::uint8_t>((p[c - 3] + p[c] + p[c + 3]) / 3);
        p[c - 3] = p[c] = p[c + 3] = mean;
      }
    }
  }
}

void EmbossEffect(RasterImage& image) {
  const int W = image.Width();
  const int H = image.Height();
  if (W < 3 || H < 2) return;
  // Byte-wise over columns 1..W-2: each byte with the same channel of the next pixel,
  // which this pass has not yet rewritten.
  const int bytes = 3 * (W - 2);
  for (int y = 0; y <= H - 2; ++y) {
    std::uint8_t* p = image.Row(y) + 3;
    int i = 0;
    for (; i + detail::kBlockBytes <= bytes; i += detail::kBlockBytes, p += detail::kBlockBytes) {
      for (int j = 0; j < detail::kBlockBytes; ++j)
        p[j] = static_cast<std::uint8_t>(std::abs(p[j] - p[j + 3]) + 128);
    }
    for (int j = 0; j < bytes - i; ++j) p[j] = static_cast<std::uint8_t>(std::abs(p[j] - p[j + 3]) + 128);
  }
}

void SolarizeEffect(RasterImage& image, int threshold) {
  const int W = image.Width();
  const int H = image.Height();
  if (W < 3 || H < 2) return;
  MapChannels(image, 1, W - 1, 0, H - 1,
              MakeLut([threshold](int c) { return c <= threshold ? 255 - c : c; }));
}

void AverageEffect(RasterImage& image, int level) {
  const int W = image.Width();
  if (W < 3) return;
  const std::uint8_t grey = Clamp255(level);
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* p = image.Row(y) + 3;
    for (int x = 1; x <= W - 2; ++x, p += 3) {
      // Blue is the first byte of a pixel; only blue decides.
      if ((p[-3] + p[0] + p[3]) / 3 > level) std::fill(p - 3, p + 6, grey);
    }
  }
}

void BrightnessEffect(RasterImage& image, int delta) {
  const int d = LimitFactor(delta);
  MapChannels(image, 0, image.Width(), 0, image.Height(), MakeLut([d](int c) { return c + d; }));
}

}  // namespace quillstone
