#include "effects/color_style_presets.h"

#include <array>

#include "effects/image_effects.h"

namespace quillstone {

namespace {

using namespace effect_calls;

constexpr EffectSequence kBlackAndWhite{Saturation(-1), Contrast(-10), Contrast(-2)};

constexpr int kPresetCount = ColorStyleIndex(kLastPresetStyle) - ColorStyleIndex(kFirstPresetStyle) + 1;

constexpr std::array<EffectSequence, kPresetCount> kPresets = {{
    {Invert(kRedChannel)},                                            // kInvertRed
    {Invert(kGreenChannel)},                                          // kInvertGreen
    {Invert(kBlueChannel)},                                           // kInvertBlue
    {Invert(kAllChannels)},                                           // kInvertAll
    kBlackAndWhite,                                                   // kBlackAndWhite
    {Solarize(128)},                                                  // kSolarize
    {Contrast(1)},                                                    // kEnhance1
    {Saturation(1)},                                                  // kEnhance2
    {Mosaic(5)},                                                      // kSmallMosaic
    {Saturation(-1), Emboss()},                                       // kEmbossBlackAndWhite
    {ChannelFill(ChannelFillMode::kJustRed)},                         // kJustRed
    {ChannelFill(ChannelFillMode::kJustGreen)},                       // kJustGreen
    {ChannelFill(ChannelFillMode::kJustBlue)},                        // kJustBlue
    {ColumnStripes(kAllChannels, 20)},                                // kNegative20Columns
    {ColumnStripes(kAllChannels, 40)},                                // kNegative40Columns
    {ColumnStripes(kAllChannels, 60)},                                // kNegative60Columns
    {RowStripes(kAllChannels, 20)},                                   // kNegative20Rows
    {RowStripes(kAllChannels, 40)},                                   // kNegative40Rows
    {RowStripes(kAllChannels, 60)},                                   // kNegative60Rows
    {RowStripes(kAllChannels, 20), ColumnStripes(kAllChannels, 20)},  // kNegative20Grid
    {RowStripes(kAllChannels, 40), ColumnStripes(kAllChannels, 40)},  // kNegative40Grid
    {RowStripes(kAllChannels, 60), ColumnStripes(kAllChannels, 60)},  // kNegative60Grid
    kBlackAndWhite,                                                   // kBlackAndWhiteFullColor
    {Solarize(64), Saturation(-1), Contrast(-10), Contrast(-2)},      // kSolarizeBlackAndWhite
}};

}  // namespace

const EffectSequence* ColorStylePreset(ColorStyle style) {
  if (style < kFirstPresetStyle || style > kLastPresetStyle) return nullptr;
  return &kPresets[static_cast<std::size_t>(ColorStyleIndex(style) - ColorStyleIndex(kFirstPresetStyle))];
}

}  // namespace quillstone
