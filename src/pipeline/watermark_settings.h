#pragma once

#include "decor/frame_settings.h"
#include "decor/texture_settings.h"
#include "imaging/channel_mask.h"
#include "pipeline/color_effect_settings.h"
#include "pipeline/logo_settings.h"
#include "text/text_settings.h"

namespace quillstone {

// Which stages run and in which order: A runs the single active action, the others
// name the stages left to right (L logo, T text, C colour effect).
// clang-format off
enum class CombinationOrder : int {
  kActive = 0, kLT, kTL, kLC, kCL, kTC, kCT, kLTC, kLCT, kCLT, kCTL, kTLC, kTCL,
};
// clang-format on
inline constexpr int kCombinationCount = 13;

// The single stage used when the combination is "A".
enum class WatermarkAction : int { kPlaceLogo = 0, kUseColor = 1, kUseText = 2 };

// Every option the render reads. Member defaults are the window's initial values; each
// stage receives only its own part.
struct WatermarkSettings {
  CombinationOrder combination = CombinationOrder::kActive;
  WatermarkAction action = WatermarkAction::kPlaceLogo;
  ChannelMask channels;
  LogoSettings logo;
  ColorEffectSettings color;
  TextSettings text;
  FrameSettings frame;
  TextureSettings texture;
  friend bool operator==(const WatermarkSettings&, const WatermarkSettings&) = default;
};

}  // namespace quillstone
