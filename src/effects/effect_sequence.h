#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "imaging/raster_image.h"

namespace quillstone {

// The primitives an effect command or colour-style preset is made of (see image_effects.h).
enum class EffectPrimitive {
  kChannelFill,
  kInvert,
  kColumnStripeNegative,
  kRowStripeNegative,
  kContrast,
  kSaturation,
  kSmooth,
  kMosaic,
  kEmboss,
  kSolarize,
  kAverage,
  kBrightness,
};

// The channel-fill modes: one channel becomes 255, or only one channel remains (the other
// two become 0). Effect calls store the mode as its number.
enum class ChannelFillMode : int {
  kFullRed = 1,
  kFullGreen,
  kFullBlue,
  kJustRed,
  kJustGreen,
  kJustBlue,
};

// One call of a primitive with its parameters.
struct EffectCall {
  EffectPrimitive primitive = EffectPrimitive::kSmooth;
  int value = 0;      // mode, channel selector, factor, step, threshold, level or delta
  int bandWidth = 0;  // band width w in pixels, stripe negatives only
  friend bool operator==(const EffectCall&, const EffectCall&) = default;
};

inline constexpr int kMaxEffectCalls = 4;

// A short fixed list of calls, applied in order, each seeing the previous one's result.
struct EffectSequence {
  std::array<EffectCall, kMaxEffectCalls> calls{};
  int count = 0;

  constexpr EffectSequence() = default;
  constexpr EffectSequence(std::initializer_list<EffectCall> list) {
    for (const EffectCall& call : list) calls[count++] = call;
  }
  std::span<const EffectCall> Calls() const { return {calls.data(), static_cast<std::size_t>(count)}; }
  friend bool operator==(const EffectSequence&, const EffectSequence&) = default;
};

void ApplyEffectCall(RasterImage& image, const EffectCall& call);
void ApplyEffectSequence(RasterImage& image, const EffectSequence& sequence);

// Applies the calls in order, each seeing the previous one's result, in one pass over the
// raster (each row takes all calls before the next row; see image_effects.cpp).
void ApplyEffectCalls(RasterImage& image, std::span<const EffectCall> calls);

// ApplyEffectCalls for rows y0 <= y < y1 only (limited to the image): each row gets what
// the whole pass gives it, so bands applied in turn give the whole pass's pixels.
void ApplyEffectCallsToRows(RasterImage& image, std::span<const EffectCall> calls, int y0, int y1);

// A constant colour blended into channel values: value v of channel c (blue, green, red)
// becomes add[c] + scale[c] * v / 100 (integer division, low 8 bits kept), scale within
// 0..100; add 0 with scale 100 keeps v.
struct ChannelBlend {
  std::array<std::uint8_t, 3> add{};
  std::array<std::uint16_t, 3> scale{100, 100, 100};
};

// ApplyEffectCalls, then `blend` on every channel value, in the same pass. After a closing
// greyscale step whose blended channels share one scale, the blend is worked out once per
// pixel from its grey value instead of once per byte.
void ApplyEffectCallsThenBlend(RasterImage& image, std::span<const EffectCall> calls,
                               const ChannelBlend& blend);

// Shorthands for writing sequences as data.
namespace effect_calls {
constexpr EffectCall ChannelFill(ChannelFillMode mode) {
  return {EffectPrimitive::kChannelFill, static_cast<int>(mode)};
}
constexpr EffectCall Invert(int channels) {
  return {EffectPrimitive::kInvert, channels};
}
constexpr EffectCall ColumnStripes(int channels, int w) {
  return {EffectPrimitive::kColumnStripeNegative, channels, w};
}
constexpr EffectCall RowStripes(int channels, int w) {
  return {EffectPrimitive::kRowStripeNegative, channels, w};
}
constexpr EffectCall Contrast(int k) {
  return {EffectPrimitive::kContrast, k};
}
constexpr EffectCall Saturation(int k) {
  return {EffectPrimitive::kSaturation, k};
}
constexpr EffectCall Smooth() {
  return {EffectPrimitive::kSmooth};
}
constexpr EffectCall Mosaic(int step) {
  return {EffectPrimitive::kMosaic, step};
}
constexpr EffectCall Emboss() {
  return {EffectPrimitive::kEmboss};
}
constexpr EffectCall Solarize(int threshold) {
  return {EffectPrimitive::kSolarize, threshold};
}
constexpr EffectCall Average(int level) {
  return {EffectPrimitive::kAverage, level};
}
constexpr EffectCall Brightness(int delta) {
  return {EffectPrimitive::kBrightness, delta};
}
}  // namespace effect_calls

}  // namespace quillstone
