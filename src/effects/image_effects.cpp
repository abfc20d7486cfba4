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

// Factors and deltas beyond +-255 saturate every channel that they move at all, exactly as
// the unbounded value would (a channel moved by 255 or more in either direction ends at 0
// or 255), so limiting them keeps the arithmetic within 16 bits.
constexpr int kFactorLimit = 255;

std::int16_t LimitFactor(int k) {
  return static_cast<std::int16_t>(std::clamp(k, -kFactorLimit, kFactorLimit));
}

// Limits written with min and max, which become single vector instructions.
[[gnu::always_inline]] inline std::uint8_t ClampByte(std::int16_t v) {
  v = std::max<std::int16_t>(v, 0);
  v = std::min<std::int16_t>(v, 255);
  return static_cast<std::uint8_t>(v);
}

// c + t with t limited to +-255 first: the same clamped result as the unlimited sum.
[[gnu::always_inline]] inline std::uint8_t AddClamped(std::int16_t c, std::int16_t t) {
  t = std::max<std::int16_t>(t, -255);
  t = std::min<std::int16_t>(t, 255);
  return ClampByte(static_cast<std::int16_t>(c + t));
}

// Applies `map` (channel value to channel value, in 16-bit arithmetic) to `bytes` channel
// bytes. Fixed blocks of 16 bytes become whole vector operations.
template <class Map>
void MapBytes(std::uint8_t* p, int bytes, Map map) {
  int i = 0;
  for (; i + 16 <= bytes; i += 16) {
    for (int j = 0; j < 16; ++j) p[i + j] = map(static_cast<std::int16_t>(p[i + j]));
  }
  for (; i < bytes; ++i) p[i] = map(static_cast<std::int16_t>(p[i]));
}

// Maps every channel of columns x0..x1-1 of rows y0..y1-1.
template <class Map>
void MapChannels(RasterImage& image, int x0, int x1, int y0, int y1, Map map) {
  for (int y = y0; y < y1; ++y) MapBytes(image.Row(y) + 3 * x0, 3 * (x1 - x0), map);
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
  // |k (c - 127)| <= 255 * 128 stays within 16 bits.
  const std::int16_t k = LimitFactor(factor);
  MapChannels(image, 0, image.Width(), 0, image.Height(),
              [k](std::int16_t c) { return AddClamped(c, static_cast<std::int16_t>(k * (c - 127))); });
}

namespace {

// A channel's distance d from its pixel's mean lies within +-170. For |k| >= 2 a distance
// beyond +-128 moves the channel by more than 255 and saturates it, as +-128 itself does,
// so the distance is limited to `reach` = 128 then and k * d stays within 16 bits.
struct Saturation {
  std::int16_t k;      // factor, -255..255
  std::int16_t reach;  // largest distance that matters, 128 or 255
  std::int16_t negReach;
};

Saturation SaturationFor(std::int16_t k) {
  const std::int16_t reach = k >= 2 || k <= -2 ? 128 : 255;
  return {k, reach, static_cast<std::int16_t>(-reach)};
}

[[gnu::always_inline]] inline std::uint8_t Saturate(std::int16_t c, std::int16_t m, const Saturation& s) {
  std::int16_t d = static_cast<std::int16_t>(c - m);
  d = std::max(d, s.negReach);
  d = std::min(d, s.reach);
  return AddClamped(c, static_cast<std::int16_t>(s.k * d));
}

void SaturatePixel(std::uint8_t* p, const Saturation& s) {
  const auto m = static_cast<std::int16_t>((p[0] + p[1] + p[2]) / 3);
  for (int c = 0; c < 3; ++c) p[c] = Saturate(p[c], m, s);
}

// Which neighbours of a byte belong to its pixel, for the three byte positions of a pixel
// repeated over a block: byte i of a pixel at position r sums bytes i - r .. i - r + 2.
constexpr auto kTwoBack = detail::RepeatPerChannel<std::uint8_t>(0, 0, 0xFF);
constexpr auto kOneBack = detail::RepeatPerChannel<std::uint8_t>(0, 0xFF, 0xFF);
constexpr auto kOneAhead = detail::RepeatPerChannel<std::uint8_t>(0xFF, 0xFF, 0);
constexpr auto kTwoAhead = detail::RepeatPerChannel<std::uint8_t>(0xFF, 0, 0);

// One block of 16 pixels. Each byte's pixel sum is gathered from its masked neighbours, so
// the whole block runs byte-wise in vector lanes. Reads two bytes either side of the block
// (masked off, but they must exist).
void SaturateBlock(std::uint8_t* p, const Saturation& shared) {
  const Saturation s = shared;
  std::int16_t mean[detail::kBlockBytes];  // the pixel mean of every byte
  for (int i = 0; i < detail::kBlockBytes; ++i) {
    const auto sum = static_cast<std::uint16_t>((p[i - 2] & kTwoBack[i]) + (p[i - 1] & kOneBack[i]) + p[i] +
                                                (p[i + 1] & kOneAhead[i]) + (p[i + 2] & kTwoAhead[i]));
    mean[i] = static_cast<std::int16_t>(sum / 3);
  }
  for (int i = 0; i < detail::kBlockBytes; ++i) p[i] = Saturate(p[i], mean[i], s);
}

}  // namespace

void SaturationEffect(RasterImage& image, int factor) {
  const Saturation s = SaturationFor(LimitFactor(factor));
  const int W = image.Width();
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* row = image.Row(y);
    int x = 0;
    if (W > 0) SaturatePixel(row, s);
    // Blocks start at pixel 1 and end before the last pixel, so the bytes read either
    // side of a block lie within the row.
    for (x = 1; x + detail::kBlockPixels < W; x += detail::kBlockPixels) SaturateBlock(row + 3 * x, s);
    for (x = std::max(x, 1); x < W; ++x) SaturatePixel(row + 3 * x, s);
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
  const auto t = static_cast<std::int16_t>(std::clamp(threshold, -1, 255));
  MapChannels(image, 1, W - 1, 0, H - 1,
              [t](std::int16_t c) { return static_cast<std::uint8_t>(c <= t ? 255 - c : c); });
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
  const std::int16_t d = LimitFactor(delta);
  MapChannels(image, 0, image.Width(), 0, image.Height(), [d](std::int16_t c) { return AddClamped(c, d); });
}

}  // namespace quillstone
