#include "effects/image_effects.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "effects/cpu_features.h"
#include "effects/effect_sequence.h"
#include "effects/pixel_lanes.h"
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

#pragma GCC diagnostic ignored "-Wpsabi"
using detail::Bytes;
using detail::Lanes;
using detail::Limit;
using detail::PixelPlanes;
using detail::UnsignedLanes;
using detail::WideBytes;

// A contrast or brightness step on channel values: c := clamped(c + k (c - 127)) or
// c := clamped(c + k), k limited to +-255; both as c := clamped(c + scale (c - 127) + add)
// with scale = k, add = 0 or scale = 0, add = k. Scalar and vector forms compute the same.
struct ChannelMap {
  std::int16_t scale = 0;
  std::int16_t add = 0;
};

ChannelMap ContrastMap(std::int16_t k) {
  return {k, 0};
}
ChannelMap BrightnessMap(std::int16_t k) {
  return {0, k};
}

// |k (c - 127)| <= 255 * 128 stays within 16 bits, and one of the two terms is 0.
[[gnu::always_inline]] inline std::uint8_t MapValue(const ChannelMap& map, std::int16_t c) {
  return AddClamped(c, static_cast<std::int16_t>(map.scale * (c - 127) + map.add));
}

[[gnu::always_inline]] inline Lanes MapLanes(const ChannelMap& map, Lanes c) {
  const Lanes t = map.scale * (c - 127) + map.add;
  return Limit(c + Limit(t, -255, 255), 0, 255);
}

// Blocks of 32 bytes; contrast 1, clamped(2c - 127), is done on the bytes themselves.
[[gnu::always_inline]] inline void MapRow(const ChannelMap& map, std::uint8_t* p, int bytes) {
  constexpr int kBlock = sizeof(WideBytes);
  int i = 0;
  if (map.scale == 1 && map.add == 0) {
    const WideBytes middle = WideBytes{} + 127;
    for (; i + kBlock <= bytes; i += kBlock)
      detail::StoreBytes(p + i, detail::AwayFrom(detail::LoadBytes<WideBytes>(p + i), middle));
  } else {
    for (; i + kBlock <= bytes; i += kBlock) {
      const WideBytes v = detail::LoadBytes<WideBytes>(p + i);
      detail::StoreBytes(
          p + i, detail::Narrow(MapLanes(map, detail::WidenFirst(v)), MapLanes(map, detail::WidenSecond(v))));
    }
  }
  for (; i < bytes; ++i) p[i] = MapValue(map, p[i]);
}

// Applies `map` (channel byte to channel byte) to `bytes` channel bytes. Fixed blocks of 32
// bytes become whole vector operations on bytes.
template <class Map>
[[gnu::always_inline]] inline void MapBytes(std::uint8_t* p, int bytes, Map map) {
  int i = 0;
  for (; i + 32 <= bytes; i += 32) {
    for (int j = 0; j < 32; ++j) p[i + j] = map(p[i + j]);
  }
  for (; i < bytes; ++i) p[i] = map(p[i]);
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

// The fill pattern of a channel-fill mode; false for a mode that changes nothing.
bool FillPattern(int mode, BitPattern& p) {
  const std::uint8_t on = 0xFF;
  switch (static_cast<ChannelFillMode>(mode)) {
    case ChannelFillMode::kFullRed:
      p.set = detail::RepeatPerChannel<std::uint8_t>(0, 0, on);
      return true;
    case ChannelFillMode::kFullGreen:
      p.set = detail::RepeatPerChannel<std::uint8_t>(0, on, 0);
      return true;
    case ChannelFillMode::kFullBlue:
      p.set = detail::RepeatPerChannel<std::uint8_t>(on, 0, 0);
      return true;
    case ChannelFillMode::kJustRed:
      p.keep = detail::RepeatPerChannel<std::uint8_t>(0, 0, on);
      return true;
    case ChannelFillMode::kJustGreen:
      p.keep = detail::RepeatPerChannel<std::uint8_t>(0, on, 0);
      return true;
    case ChannelFillMode::kJustBlue:
      p.keep = detail::RepeatPerChannel<std::uint8_t>(on, 0, 0);
      return true;
    default:
      return false;
  }
}

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

[[gnu::always_inline]] inline void SaturatePixel(std::uint8_t* p, const Saturation& s) {
  const auto m = static_cast<std::int16_t>((p[0] + p[1] + p[2]) / 3);
  for (int c = 0; c < 3; ++c) p[c] = Saturate(p[c], m, s);
}

// Saturation(-1) makes all channels of a pixel its mean m; contrast and brightness steps
// that follow it are applied to m while it is still in a register, so the sequence takes
// one pass. At most kMaxGreyMaps steps are taken along.
constexpr int kMaxGreyMaps = 4;

// Steps of the form clamped(a c + b) applied in turn give, for c within 0..255, one such
// step limited to lo..hi: clamp(scale c + add, lo, hi). `line` holds it when scale c + add
// stays within 16 bits for every c (else the steps are applied one by one).
struct GreyLine {
  std::int16_t scale = 1;
  std::int16_t add = 0;
  std::int16_t lo = 0;
  std::int16_t hi = 255;
};

struct GreyMaps {
  std::array<ChannelMap, kMaxGreyMaps> maps{};
  int count = 0;
  GreyLine line;
  bool lined = true;  // line gives what the maps give
};

[[gnu::always_inline]] inline std::uint8_t MapGrey(const GreyMaps& g, std::int16_t m) {
  for (int i = 0; i < g.count; ++i) m = MapValue(g.maps[static_cast<std::size_t>(i)], m);
  return static_cast<std::uint8_t>(m);
}

// The maps of `g` as one line, checked against the maps for every grey value.
void FoldGreyMaps(GreyMaps& g) {
  std::int64_t scale = 1, add = 0, lo = 0, hi = 255;
  const auto value = [](const ChannelMap& map, std::int64_t c) {
    return std::clamp<std::int64_t>(c + std::clamp<std::int64_t>(map.scale * (c - 127) + map.add, -255, 255),
                                    0, 255);
  };
  for (int i = 0; i < g.count; ++i) {
    // Each map is clamped(c + scale (c - 127) + add) = clamped((1 + scale) c + add - 127 scale),
    // monotonic in c, so the limits of what came before map to the new limits.
    const ChannelMap& map = g.maps[static_cast<std::size_t>(i)];
    const std::int64_t a = 1 + map.scale;
    const std::int64_t b = map.add - 127 * std::int64_t{map.scale};
    const std::int64_t atLo = value(map, lo);
    const std::int64_t atHi = value(map, hi);
    scale *= a;
    add = a * add + b;
    lo = std::min(atLo, atHi);
    hi = std::max(atLo, atHi);
    if (std::abs(scale) * 255 + std::abs(add) > 32767) {
      g.lined = false;
      return;
    }
  }
  g.line = {static_cast<std::int16_t>(scale), static_cast<std::int16_t>(add), static_cast<std::int16_t>(lo),
            static_cast<std::int16_t>(hi)};
  for (int m = 0; m < 256; ++m) {
    const auto folded = std::clamp<std::int64_t>(scale * m + add, lo, hi);
    if (folded != MapGrey(g, static_cast<std::int16_t>(m))) {
      g.lined = false;
      return;
    }
  }
}

// The mean (div 3) of each of 16 pixels, from their channels in 16-bit lanes.
[[gnu::always_inline]] inline Lanes PixelMeans(Lanes blue, Lanes green, Lanes red) {
  return reinterpret_cast<Lanes>(reinterpret_cast<UnsignedLanes>(blue + green + red) / 3);
}

// The means of the pixels of a PixelPlanes, in the lanes WidenFirst and WidenSecond give.
struct PlaneMeans {
  Lanes first;
  Lanes second;
};

[[gnu::always_inline]] inline PlaneMeans Means(const detail::PixelLanes& v) {
  return {PixelMeans(v.first.blue, v.first.green, v.first.red),
          PixelMeans(v.second.blue, v.second.green, v.second.red)};
}

[[gnu::always_inline]] inline PlaneMeans Means(const PixelPlanes& v) {
  using detail::WidenFirst;
  using detail::WidenSecond;
  return {PixelMeans(WidenFirst(v.blue), WidenFirst(v.green), WidenFirst(v.red)),
          PixelMeans(WidenSecond(v.blue), WidenSecond(v.green), WidenSecond(v.red))};
}

[[gnu::always_inline]] inline Lanes SaturateLanes(Lanes c, Lanes m, const Saturation& s) {
  const Lanes d = Limit(c - m, s.negReach, s.reach);
  return Limit(c + Limit(s.k * d, -255, 255), 0, 255);
}

// One channel of 32 pixels (a wide vector) with the means of its pixels.
[[gnu::always_inline]] inline WideBytes SaturateChannel(WideBytes c, const PlaneMeans& m,
                                                        const Saturation& s) {
  return detail::Narrow(SaturateLanes(detail::WidenFirst(c), m.first, s),
                        SaturateLanes(detail::WidenSecond(c), m.second, s));
}

// Saturation(1) of part k of a block: each byte moved away from its pixel's mean.
template <int k>
[[gnu::always_inline]] inline void SaturatePartOnce(std::uint8_t* p, WideBytes means) {
  detail::StorePart(p, k, detail::AwayFrom(detail::LoadPart(p, k), detail::GreyPart<k>(means)));
}

// Rows of a per-pixel effect go in blocks of 32 pixels, each taken apart into its three
// channels; the pixels after the last whole block one by one. kOnce: the factor is 1.
template <bool kOnce>
[[gnu::always_inline]] inline void SaturateRow(std::uint8_t* row, int W, const Saturation& shared) {
  const Saturation s = shared;  // a local copy cannot alias the row
  int x = 0;
  for (; x + detail::kPlanePixels <= W; x += detail::kPlanePixels) {
    std::uint8_t* p = row + 3 * x;
    if constexpr (kOnce) {
      const PlaneMeans m = Means(detail::LoadPixelLanes(p));
      const WideBytes means = detail::Narrow(m.first, m.second);
      SaturatePartOnce<0>(p, means);
      SaturatePartOnce<1>(p, means);
      SaturatePartOnce<2>(p, means);
    } else {
      const PixelPlanes v = detail::LoadPlanes(p);
      const PlaneMeans m = Means(v);
      detail::StorePlanes(
          p, {SaturateChannel(v.blue, m, s), SaturateChannel(v.green, m, s), SaturateChannel(v.red, m, s)});
    }
  }
  for (; x < W; ++x) SaturatePixel(row + 3 * x, s);
}

// The grey pass asks for the bytes this far on in the image (past a row's end, the next
// row's) as it goes: with an emboss after it, it reads a whole row before it writes any of
// it, and would otherwise wait for most of its loads.
constexpr int kGreyAhead = 4096;

// The grey values of a row: `grey` maps the means of 16 pixels to their grey values, and
// `load` gives the channel lanes of a block of 32 pixels; the values of each block go to
// block(x, first, second) in the lanes WidenFirst and WidenSecond give, those of the
// pixels after the last block to one(x, value).
template <class Grey, class Load, class Block, class One>
[[gnu::always_inline]] inline void GreyValues(const std::uint8_t* row, int W, const GreyMaps& g, Grey grey,
                                              Load load, Block block, One one) {
  int x = 0;
  for (; x + detail::kPlanePixels <= W; x += detail::kPlanePixels) {
    __builtin_prefetch(row + 3 * x + kGreyAhead);
    __builtin_prefetch(row + 3 * x + kGreyAhead + 64);
    const PlaneMeans m = Means(load(row + 3 * x));
    block(x, grey(m.first), grey(m.second));
  }
  for (; x < W; ++x) {
    const std::uint8_t* p = row + 3 * x;
    one(x, MapGrey(g, static_cast<std::int16_t>((p[0] + p[1] + p[2]) / 3)));
  }
}

// The grey step's way from means to grey values, for the steps `g` takes along: none, one
// clamped line, or the steps in turn (kMaps is their number, so that their loop unrolls).
template <class Use>
[[gnu::always_inline]] inline void WithGrey(const GreyMaps& g, Use use) {
  if (g.count == 0) {
    use([](Lanes m) __attribute__((always_inline)) { return m; });
  } else if (g.lined) {
    const GreyLine line = g.line;
    use([line](Lanes m)
            __attribute__((always_inline)) { return Limit(line.scale * m + line.add, line.lo, line.hi); });
  } else {
    const auto chain =
        [&g, &use ]<int kMaps>(std::integral_constant<int, kMaps>) __attribute__((always_inline)) {
      use([&g](Lanes m) __attribute__((always_inline)) {
        for (int i = 0; i < kMaps; ++i) m = MapLanes(g.maps[static_cast<std::size_t>(i)], m);
        return m;
      });
    };
    static_assert(kMaxGreyMaps == 4);
    switch (g.count) {
      case 1:
        chain(std::integral_constant<int, 1>{});
        return;
      case 2:
        chain(std::integral_constant<int, 2>{});
        return;
      case 3:
        chain(std::integral_constant<int, 3>{});
        return;
      default:
        chain(std::integral_constant<int, 4>{});
        return;
    }
  }
}

// Solarize of whole bytes: every byte at or below t flipped (255 - c is c with every bit
// flipped).
[[gnu::always_inline]] inline WideBytes SolarizeBytes(WideBytes c, WideBytes t) {
  return c ^ reinterpret_cast<WideBytes>(c <= t);
}

// A channel blend joined to a grey step: a channel of scale 100 becomes add + g, the others
// add + scale * g / 100 with the one scale they share, so the product is taken once per
// pixel. The patterns hold part k's bytes (see StorePart).
struct GreyBlend {
  std::uint16_t scale = 100;
  std::array<WideBytes, 3> add{};
  std::array<WideBytes, 3> keepGrey{};  // 0xFF where the channel's scale is 100
  bool keepsGrey = false;               // some channel's scale is 100
  ChannelBlend terms;                   // for the pixels taken one by one
};

[[gnu::always_inline]] inline std::uint8_t BlendValue(const ChannelBlend& b, int c, std::uint8_t v) {
  const auto i = static_cast<std::size_t>(c);
  return detail::BlendByte(b.add[i], b.scale[i], v);
}

// The grey blend of `b`, when its channels below scale 100 share one scale.
std::optional<GreyBlend> JoinToGrey(const ChannelBlend& b) {
  GreyBlend g;
  g.terms = b;
  for (const std::uint16_t s : b.scale) {
    if (s == 100) continue;
    if (s > 100 || (g.scale != 100 && g.scale != s)) return std::nullopt;
    g.scale = s;
  }
  for (int k = 0; k < 3; ++k) {
    for (int j = 0; j < 2 * detail::kLaneCount; ++j) {
      const auto c = static_cast<std::size_t>((16 * k + j % 16) % 3);
      g.add[static_cast<std::size_t>(k)][j] = b.add[c];
      g.keepGrey[static_cast<std::size_t>(k)][j] = b.scale[c] == 100 ? 0xFF : 0;
    }
  }
  g.keepsGrey = g.scale != 100 && b.scale != std::array<std::uint16_t, 3>{g.scale, g.scale, g.scale};
  return g;
}

// kKeepsGrey: some channels take the grey value itself (else all take the scaled one).
template <int k, bool kKeepsGrey>
[[gnu::always_inline]] inline void StoreBlendedPart(std::uint8_t* p, const GreyBlend& b, WideBytes grey,
                                                    WideBytes scaled) {
  WideBytes v = detail::GreyPart<k>(scaled);
  if constexpr (kKeepsGrey) {
    const WideBytes keep = b.keepGrey[k];
    v = (detail::GreyPart<k>(grey) & keep) | (v & ~keep);
  }
  detail::StorePart(p, k, v + b.add[k]);
}

// A grey row (saturation -1 with the steps it takes along), the solarize before it and the
// emboss after it joined in. Solarize flips the bytes as they are loaded; it leaves the
// first and last pixel alone, whose grey values are then worked out again from their bytes
// as they were. Emboss needs the grey value of each pixel's right neighbour, so the row's
// grey values go to `greys` first and the embossed values are then made from them 32 at a
// time: |g(x) - g(x + 1)| + 128 (low 8 bits) for x in 1..W-2, and g(x) at both ends.
// With `blend` (never with emboss) the grey pixels are written blended.
[[gnu::always_inline]] inline void GreyRowFor(std::uint8_t* row, int W, const GreyMaps& shared, int solarize,
                                              bool emboss, const GreyBlend* blend,
                                              std::uint8_t* __restrict greys) {
  const GreyMaps g = shared;  // a local copy cannot alias the row
  std::array<std::uint8_t, 6> ends{};
  if (solarize >= 0) {
    std::memcpy(ends.data(), row, 3);
    std::memcpy(ends.data() + 3, row + 3 * (W - 1), 3);
  }
  WithGrey(
      g, [&](auto grey) __attribute__((always_inline)) {
        const auto store = [row](int x, Lanes first, Lanes second) __attribute__((always_inline)) {
          detail::StoreGrey(row + 3 * x, detail::Narrow(first, second));
        };
        const auto keep = [greys](int x, Lanes first, Lanes second) __attribute__((always_inline)) {
          detail::StoreBytes(greys + x, detail::Narrow(first, second));
        };
        const auto storeOne = [row](int x, std::uint8_t v) __attribute__((always_inline)) {
          row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
        };
        const GreyBlend b = blend != nullptr ? *blend : GreyBlend{};
        const auto storeOneBlended = [ row, &b ](int x, std::uint8_t v) __attribute__((always_inline)) {
          for (int c = 0; c < 3; ++c) row[3 * x + c] = BlendValue(b.terms, c, v);
        };
        const auto storeBlended = [row, &b]<bool kKeepsGrey>(std::bool_constant<kKeepsGrey>) {
          return [ row, &b ](int x, Lanes first, Lanes second) __attribute__((always_inline)) {
            const auto scale = [&b](Lanes v) __attribute__((always_inline)) {
              return reinterpret_cast<Lanes>(reinterpret_cast<UnsignedLanes>(v) * b.scale / 100);
            };
            const WideBytes grey = kKeepsGrey ? detail::Narrow(first, second) : WideBytes{};
            const WideBytes scaled = detail::Narrow(scale(first), scale(second));
            std::uint8_t* p = row + 3 * x;
            StoreBlendedPart<0, kKeepsGrey>(p, b, grey, scaled);
            StoreBlendedPart<1, kKeepsGrey>(p, b, grey, scaled);
            StoreBlendedPart<2, kKeepsGrey>(p, b, grey, scaled);
          };
        };
        const auto keepOne = [greys](int x, std::uint8_t v) __attribute__((always_inline)) {
          greys[x] = v;
        };
        const auto plain = [&](const std::uint8_t* p) __attribute__((always_inline)) {
          return detail::LoadPixelLanes(p);
        };
        const WideBytes threshold = WideBytes{} + static_cast<std::uint8_t>(std::max(solarize, 0));
        const auto flipped = [threshold](const std::uint8_t* p) __attribute__((always_inline)) {
          return detail::LoadPixelLanes(
              p, [threshold](WideBytes v)
                     __attribute__((always_inline)) { return SolarizeBytes(v, threshold); });
        };
        const auto blended = [&](auto load) __attribute__((always_inline)) {
          if (b.keepsGrey) {
            GreyValues(row, W, g, grey, load, storeBlended(std::true_type{}), storeOneBlended);
          } else {
            GreyValues(row, W, g, grey, load, storeBlended(std::false_type{}), storeOneBlended);
          }
        };
        if (solarize >= 0) {
          // The pixels after the last block are solarized byte by byte first.
          const int rest = W % detail::kPlanePixels;
          for (int i = 3 * (W - rest); i < 3 * W; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] <= threshold[0] ? row[i] ^ 0xFF : row[i]);
          if (emboss) {
            GreyValues(row, W, g, grey, flipped, keep, keepOne);
          } else if (blend != nullptr) {
            blended(flipped);
          } else {
            GreyValues(row, W, g, grey, flipped, store, storeOne);
          }
        } else if (emboss) {
          GreyValues(row, W, g, grey, plain, keep, keepOne);
        } else if (blend != nullptr) {
          blended(plain);
        } else {
          GreyValues(row, W, g, grey, plain, store, storeOne);
        }
      });
  if (solarize >= 0) {
    // The ends as they were before solarize.
    for (int end = 0; end < 2; ++end) {
      const std::uint8_t* p = ends.data() + 3 * end;
      const std::uint8_t v = MapGrey(g, static_cast<std::int16_t>((p[0] + p[1] + p[2]) / 3));
      const int x = end == 0 ? 0 : W - 1;
      if (emboss) {
        greys[x] = v;
      } else if (blend != nullptr) {
        for (int c = 0; c < 3; ++c) row[3 * x + c] = BlendValue(blend->terms, c, v);
      } else {
        row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
      }
    }
  }
  if (!emboss) return;
  const WideBytes middle = WideBytes{} + 128;
  int x = 0;
  for (; x + detail::kPlanePixels + 1 <= W; x += detail::kPlanePixels) {
    const WideBytes a = detail::LoadBytes<WideBytes>(greys + x);
    const WideBytes b = detail::LoadBytes<WideBytes>(greys + x + 1);
    detail::StoreGrey(row + 3 * x, ((a > b ? a : b) - (a < b ? a : b)) + middle);
  }
  for (; x < W - 1; ++x) {
    const std::uint8_t a = greys[x];
    const std::uint8_t b = greys[x + 1];
    const auto v = static_cast<std::uint8_t>((a > b ? a - b : b - a) + 128);
    row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
  }
  // Both ends keep their grey values.
  for (const int end : {0, W - 1}) row[3 * end] = row[3 * end + 1] = row[3 * end + 2] = greys[end];
}

// The three pixels of a mosaic run starting at p (its left pixel) get their mean colour.
[[gnu::always_inline]] inline void MosaicRun(std::uint8_t* p) {
  for (int c = 0; c < 3; ++c) {
    const auto mean = static_cast<std::uint8_t>((p[c] + p[c + 3] + p[c + 6]) / 3);
    p[c] = p[c + 3] = p[c + 6] = mean;
  }
}

namespace mosaic {
// Within each half: the lanes of the first, second and third pixel of a run (its first 9
// bytes) as 16-bit lanes 0..2, and the three means (low bytes of lanes 0..2) repeated
// over the 9 bytes of the run.
// Constants, not functions: a call returning a vector from code built without AVX2 to
// code built with it (an unoptimised build makes one) passes it in the wrong place.
template <int kPixel>
constexpr WideBytes kPixelMask = detail::planes::Mask([](int t) {
  return t < 6 && t % 2 == 0 ? 3 * kPixel + t / 2 : 16;
});
constexpr WideBytes kRepeatMeans = detail::planes::Mask([](int t) { return 2 * (t % 3); });
}  // namespace mosaic

// Per row, every step-th pixel from `step` on with its neighbours. Runs of steps from 3 on
// do not overlap and read no pixel another run writes, so two runs at a time are summed in
// the two halves of one vector (each loaded with 16 bytes from its left pixel, so they go
// while those lie within the row) and only their 9 bytes are stored; steps 1 and 2 chain
// each run to the one before, pixel by pixel.
[[gnu::always_inline]] inline void MosaicRow(std::uint8_t* row, int W, int step) {
  int x = step;
  if (step >= 3) {
    const std::ptrdiff_t apart = 3 * static_cast<std::ptrdiff_t>(step);
    // Written so that no sum can overflow for any step.
    for (; x <= W - 2 - step && 3 * (x + step - 1) + detail::kLaneCount <= 3 * W; x += 2 * step) {
      std::uint8_t* p = row + 3 * (x - 1);
      const WideBytes v = detail::Join(detail::LoadBytes(p), detail::LoadBytes(p + apart));
      const auto pixel = [&v](const WideBytes& mask) __attribute__((always_inline)) {
        return reinterpret_cast<UnsignedLanes>(detail::planes::Shuffle(v, WideBytes{}, mask));
      };
      const UnsignedLanes sum =
          pixel(mosaic::kPixelMask<0>) + pixel(mosaic::kPixelMask<1>) + pixel(mosaic::kPixelMask<2>);
      const WideBytes means =
          detail::planes::Shuffle(reinterpret_cast<WideBytes>(sum / 3), mosaic::kRepeatMeans);
      const Bytes first = detail::planes::Part(means, std::make_index_sequence<detail::kLaneCount>{});
      const Bytes second = detail::planes::SecondPart(means, std::make_index_sequence<detail::kLaneCount>{});
      std::memcpy(p, &first, 8);
      p[8] = first[8];
      std::memcpy(p + apart, &second, 8);
      p[apart + 8] = second[8];
    }
  }
  for (; x <= W - 2; x += step) MosaicRun(row + 3 * (x - 1));
}

// One call, checked and with its patterns and limits worked out once for all rows.
struct PreparedCall {
  EffectPrimitive primitive = EffectPrimitive::kSmooth;
  bool active = true;  // false: the call changes nothing
  BitPattern bits;     // channel fill, inversion and stripes
  int period = 1;      // stripes: 2w + 1
  int inverted = 1;    // stripes: w + 1 inverted columns or rows per period
  // Column stripes: the flip of each byte of a row, so that every row is one XOR pass
  // instead of a pattern per band.
  std::vector<std::uint8_t> columnFlips;
  std::uint8_t threshold = 0;  // solarize
  Saturation saturation{};
  ChannelMap map;                    // contrast, brightness
  GreyMaps grey;                     // saturation -1 with the steps fused into it
  int solarizeBefore = -1;           // saturation -1: the threshold of a solarize joined in before it
  bool embossAfter = false;          // saturation -1: an emboss joined in after it
  const GreyBlend* blend = nullptr;  // saturation -1: a blend joined in after it
  int step = 1;                      // mosaic
  int level = 0;                     // average
  std::uint8_t level8 = 0;           // average: the grey that replaces a bright run
};

// The stripe band width is limited to the largest side, beyond which one band already
// covers everything.
PreparedCall Prepare(const EffectCall& call, int W, int H) {
  PreparedCall p;
  p.primitive = call.primitive;
  switch (call.primitive) {
    case EffectPrimitive::kChannelFill:
      p.active = FillPattern(call.value, p.bits);
      break;
    case EffectPrimitive::kInvert:
      p.active = FlipPattern(call.value, p.bits);
      break;
    case EffectPrimitive::kColumnStripeNegative:
    case EffectPrimitive::kRowStripeNegative: {
      p.active = call.bandWidth >= 0 && FlipPattern(call.value, p.bits);
      const int w = std::min(call.bandWidth, RasterImage::kMaxSide);
      p.period = 2 * w + 1;
      p.inverted = w + 1;
      if (p.active && call.primitive == EffectPrimitive::kColumnStripeNegative) {
        p.columnFlips.assign(static_cast<std::size_t>(W) * 3, 0);
        for (int x = 0; x < W; ++x) {
          if (x % p.period >= p.inverted) continue;
          for (int c = 0; c < 3; ++c) p.columnFlips[3 * static_cast<std::size_t>(x) + c] = p.bits.flip[c];
        }
      }
      break;
    }
    case EffectPrimitive::kContrast:
    case EffectPrimitive::kBrightness:
      p.map = call.primitive == EffectPrimitive::kContrast ? ContrastMap(LimitFactor(call.value))
                                                           : BrightnessMap(LimitFactor(call.value));
      break;
    case EffectPrimitive::kSaturation:
      p.saturation = SaturationFor(LimitFactor(call.value));
      break;
    case EffectPrimitive::kSmooth:
      p.active = W >= 3;
      break;
    case EffectPrimitive::kMosaic:
      p.active = W >= 3 && call.value >= 1;
      p.step = call.value;
      break;
    case EffectPrimitive::kEmboss:
      p.active = W >= 3 && H >= 2;
      break;
    case EffectPrimitive::kSolarize:
      // A threshold below 0 inverts no channel.
      p.active = W >= 3 && H >= 2 && call.value >= 0;
      p.threshold = static_cast<std::uint8_t>(std::min(call.value, 255));
      break;
    case EffectPrimitive::kAverage:
      p.active = W >= 3;
      p.level = call.value;
      p.level8 = Clamp255(call.value);
      break;
  }
  return p;
}

// Applies one prepared call to row y of a W x H raster. Every effect computes a row from
// that row's own values (and its index) alone.
[[gnu::always_inline]] inline void ApplyToRow(const PreparedCall& call, std::uint8_t* row, int y, int W,
                                              int H, std::uint8_t* greys) {
  switch (call.primitive) {
    case EffectPrimitive::kChannelFill:
    case EffectPrimitive::kInvert:
      detail::ApplyBitPattern(row, W, call.bits);
      return;
    case EffectPrimitive::kColumnStripeNegative: {
      const std::uint8_t* __restrict flips = call.columnFlips.data();
      std::uint8_t* __restrict p = row;
      for (int i = 0; i < 3 * W; ++i) p[i] ^= flips[i];
      return;
    }
    case EffectPrimitive::kRowStripeNegative:
      if (y % call.period < call.inverted) detail::ApplyBitPattern(row, W, call.bits);
      return;
    case EffectPrimitive::kContrast:
    case EffectPrimitive::kBrightness:
      MapRow(call.map, row, 3 * W);
      return;
    case EffectPrimitive::kSaturation:
      if (call.saturation.k == -1) {
        // Solarize and emboss leave the last row alone.
        const bool inner = y <= H - 2;
        GreyRowFor(row, W, call.grey, inner ? call.solarizeBefore : -1, inner && call.embossAfter, call.blend,
                   greys);
      } else if (call.saturation.k == 1) {
        SaturateRow<true>(row, W, call.saturation);
      } else if (call.saturation.k == 0) {
        return;
      } else {
        SaturateRow<false>(row, W, call.saturation);
      }
      return;
    case EffectPrimitive::kSmooth: {
      // Stored left to right in place: the left neighbour is the value just written.
      std::uint8_t* p = row + 3;
      for (int x = 1; x <= W - 2; ++x, p += 3) {
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((p[c - 3] + p[c] + p[c + 3]) / 3);
      }
      return;
    }
    case EffectPrimitive::kMosaic:
      MosaicRow(row, W, call.step);
      return;
    case EffectPrimitive::kEmboss: {
      if (y > H - 2) return;
      // Byte-wise over columns 1..W-2: each byte with the same channel of the next pixel,
      // which this pass has not yet rewritten.
      const int bytes = 3 * (W - 2);
      std::uint8_t* p = row + 3;
      int i = 0;
      // The difference in bytes: the larger less the smaller.
      const auto emboss = [](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>((a > b ? a - b : b - a) + 128);
      };
      for (; i + detail::kBlockBytes <= bytes; i += detail::kBlockBytes, p += detail::kBlockBytes) {
        for (int j = 0; j < detail::kBlockBytes; ++j) p[j] = emboss(p[j], p[j + 3]);
      }
      for (int j = 0; j < bytes - i; ++j) p[j] = emboss(p[j], p[j + 3]);
      return;
    }
    case EffectPrimitive::kSolarize: {
      if (y > H - 2) return;
      // 255 - c is c with every bit flipped.
      const std::uint8_t t = call.threshold;
      MapBytes(row + 3, 3 * (W - 2),
               [t](std::uint8_t c) { return static_cast<std::uint8_t>(c <= t ? c ^ 0xFF : c); });
      return;
    }
    case EffectPrimitive::kAverage: {
      std::uint8_t* p = row + 3;
      for (int x = 1; x <= W - 2; ++x, p += 3) {
        // Blue is the first byte of a pixel; only blue decides.
        if ((p[-3] + p[0] + p[3]) / 3 > call.level) std::fill(p - 3, p + 6, call.level8);
      }
      return;
    }
  }
}

// `after`, when given, is blended into each row once its calls are done.
[[gnu::always_inline]] inline void ApplyByRowBody(RasterImage& image, const std::vector<PreparedCall>& calls,
                                                  int y0, int y1, const detail::BlendPattern* after) {
  const int W = image.Width();
  const int H = image.Height();
  std::vector<std::uint8_t> greys(static_cast<std::size_t>(W));
  for (int y = y0; y < y1; ++y) {
    std::uint8_t* row = image.Row(y);
    for (const PreparedCall& call : calls) ApplyToRow(call, row, y, W, H, greys.data());
    if (after != nullptr) detail::ApplyBlendPattern(row, row, W, *after);
  }
}

[[gnu::noinline]] void ApplyByRowBaseline(RasterImage& image, const std::vector<PreparedCall>& calls, int y0,
                                          int y1, const detail::BlendPattern* after) {
  ApplyByRowBody(image, calls, y0, y1, after);
}

#if defined(__x86_64__) || defined(__i386__)
// The same with 256-bit vectors, for processors that have them.
[[gnu::target("avx2"), gnu::noinline]] void ApplyByRowAvx2(RasterImage& image,
                                                           const std::vector<PreparedCall>& calls, int y0,
                                                           int y1, const detail::BlendPattern* after) {
  ApplyByRowBody(image, calls, y0, y1, after);
}

#endif

void ApplyByRow(RasterImage& image, const std::vector<PreparedCall>& calls, int y0, int y1,
                const detail::BlendPattern* after) {
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) {
    ApplyByRowAvx2(image, calls, y0, y1, after);
    return;
  }
#endif
  ApplyByRowBaseline(image, calls, y0, y1, after);
}

// The calls checked, with their patterns worked out once for all rows, and with the steps
// that join the one before them joined to it.
std::vector<PreparedCall> PrepareCalls(std::span<const EffectCall> calls, int W, int H) {
  std::vector<PreparedCall> prepared;
  for (const EffectCall& call : calls) {
    PreparedCall p = Prepare(call, W, H);
    if (!p.active) continue;
    // Contrast and brightness right after a greyscale step join it, and so do a solarize
    // right before it and an emboss after it (after which no step joins).
    const bool isGrey = p.primitive == EffectPrimitive::kSaturation && p.saturation.k == -1;
    if (!prepared.empty()) {
      PreparedCall& last = prepared.back();
      const bool isMap =
          p.primitive == EffectPrimitive::kContrast || p.primitive == EffectPrimitive::kBrightness;
      const bool afterGrey =
          last.primitive == EffectPrimitive::kSaturation && last.saturation.k == -1 && !last.embossAfter;
      if (isMap && afterGrey && last.grey.count < kMaxGreyMaps) {
        last.grey.maps[static_cast<std::size_t>(last.grey.count++)] = p.map;
        continue;
      }
      if (p.primitive == EffectPrimitive::kEmboss && afterGrey) {
        last.embossAfter = true;
        continue;
      }
      if (isGrey && last.primitive == EffectPrimitive::kSolarize) {
        p.solarizeBefore = last.threshold;
        prepared.back() = p;
        continue;
      }
    }
    prepared.push_back(p);
  }
  for (PreparedCall& p : prepared) {
    if (p.primitive == EffectPrimitive::kSaturation) FoldGreyMaps(p.grey);
  }
  return prepared;
}

void ApplyOne(RasterImage& image, const EffectCall& call) {
  ApplyEffectCalls(image, std::span<const EffectCall>(&call, 1));
}

}  // namespace

// Every effect computes each row from that row's own values, so a sequence gives the same
// pixels when all its calls are applied to one row before the next row is taken; the
// raster is then read and written once instead of once per call.
void ApplyEffectCalls(RasterImage& image, std::span<const EffectCall> calls) {
  ApplyEffectCallsToRows(image, calls, 0, image.Height());
}

void ApplyEffectCallsToRows(RasterImage& image, std::span<const EffectCall> calls, int y0, int y1) {
  y0 = std::max(y0, 0);
  y1 = std::min(y1, image.Height());
  if (image.Empty() || y0 >= y1) return;
  const std::vector<PreparedCall> prepared = PrepareCalls(calls, image.Width(), image.Height());
  if (!prepared.empty()) ApplyByRow(image, prepared, y0, y1, nullptr);
}

void ApplyEffectCallsThenBlend(RasterImage& image, std::span<const EffectCall> calls,
                               const ChannelBlend& blend) {
  if (image.Empty()) return;
  std::vector<PreparedCall> prepared = PrepareCalls(calls, image.Width(), image.Height());
  PreparedCall* last = prepared.empty() ? nullptr : &prepared.back();
  if (last != nullptr && last->primitive == EffectPrimitive::kSaturation && last->saturation.k == -1 &&
      !last->embossAfter) {
    if (const std::optional<GreyBlend> joined = JoinToGrey(blend)) {
      last->blend = &*joined;
      ApplyByRow(image, prepared, 0, image.Height(), nullptr);
      return;
    }
  }
  const detail::BlendPattern after{detail::RepeatPerChannel(blend.add[0], blend.add[1], blend.add[2]),
                                   detail::RepeatPerChannel(blend.scale[0], blend.scale[1], blend.scale[2])};
  ApplyByRow(image, prepared, 0, image.Height(), &after);
}

void ChannelFillEffect(RasterImage& image, ChannelFillMode mode) {
  ApplyOne(image, effect_calls::ChannelFill(mode));
}

void InvertEffect(RasterImage& image, int channels) {
  ApplyOne(image, effect_calls::Invert(channels));
}

void ColumnStripeNegative(RasterImage& image, int channels, int bandWidth) {
  ApplyOne(image, effect_calls::ColumnStripes(channels, bandWidth));
}

void RowStripeNegative(RasterImage& image, int channels, int bandWidth) {
  ApplyOne(image, effect_calls::RowStripes(channels, bandWidth));
}

void ContrastEffect(RasterImage& image, int factor) {
  ApplyOne(image, effect_calls::Contrast(factor));
}

void SaturationEffect(RasterImage& image, int factor) {
  ApplyOne(image, effect_calls::Saturation(factor));
}

void SmoothEffect(RasterImage& image) {
  ApplyOne(image, effect_calls::Smooth());
}

void MosaicEffect(RasterImage& image, int step) {
  ApplyOne(image, effect_calls::Mosaic(step));
}

void EmbossEffect(RasterImage& image) {
  ApplyOne(image, effect_calls::Emboss());
}

void SolarizeEffect(RasterImage& image, int threshold) {
  ApplyOne(image, effect_calls::Solarize(threshold));
}

void AverageEffect(RasterImage& image, int level) {
  ApplyOne(image, effect_calls::Average(level));
}

void BrightnessEffect(RasterImage& image, int delta) {
  ApplyOne(image, effect_calls::Brightness(delta));
}

}  // namespace quillstone
