#include "effects/color_style_presets.h"

#include <array>

#include "effects/image_effects.h"

namespace quillstone {

namespace {

using namespace effect_calls;

constexpr EffectSequence kBlackAndWhite{Saturation(-1), Contrast(-10), Contrast(-2)};

constexpr std::array<EffectSequence, kLastPresetStyle - kFirstPresetStyle + 1> kPresets = {{
    {Invert(kRedChannel)},                                            // 8 "Invert red"
    {Invert(kGreenChannel)},                                          // 9 "Invert green"
    {Invert(kBlueChannel)},                                           // 10 "Invert blue"
    {Invert(kAllChannels)},                                           // 11 "Invert all"
    kBlackAndWhite,                                                   // 12 "Black and white"
    {Solarize(128)},                                                  // 13 "Solarize"
    {Contrast(1)},                                                    // 14 "Enhance 1"
    {Saturation(1)},                                                  // 15 "Enhance 2"
    {Mosaic(5)},                                                      // 16 "Small mosaic"
    {Saturation(-1), Emboss()},                                       // 17 "Emboss black&&white"
    {ChannelFill(4)},                                                 // 18 "Just red"
    {ChannelFill(5)},                                                 // 19 "Just green"
    {ChannelFill(6)},                                                 // 20 "Just blue"
    {ColumnStripes(kAllChannels, 20)},                                // 21 "Negative 20 - horiz."
    {ColumnStripes(kAllChannels, 40)},                                // 22
    {ColumnStripes(kAllChannels, 60)},                                // 23
    {RowStripes(kAllChannels, 20)},                                   // 24 "Negative 20 - vert."
    {RowStripes(kAllChannels, 40)},                                   // 25
    {RowStripes(kAllChannels, 60)},                                   // 26
    {RowStripes(kAllChannels, 20), ColumnStripes(kAllChannels, 20)},  // 27 "Negative 20 - horiz./vert."
    {RowStripes(kAllChannels, 40), ColumnStripes(kAllChannels, 40)},  // 28
    {RowStripes(kAllChannels, 60), ColumnStripes(kAllChannels, 60)},  // 29
    kBlackAndWhite,                                                   // 30, then the overlay
    {Solarize(64), Saturation(-1), Contrast(-10), Contrast(-2)},      // 31 "Solarize and Black/White"
}};

}  // namespace

const EffectSequence* ColorStylePreset(int style) {
  if (style < kFirstPresetStyle || style > kLastPresetStyle) return nullptr;
  return &kPresets[static_cast<std::size_t>(style - kFirstPresetStyle)];
}

}  // namespace quillstone
