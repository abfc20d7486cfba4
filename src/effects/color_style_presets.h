#pragma once

#include "effects/effect_sequence.h"

namespace quillstone {

// The colour styles 8 to 31 apply a fixed sequence of effects to the marked image.
inline constexpr int kFirstPresetStyle = 8;
inline constexpr int kLastPresetStyle = 31;
// Style 12 ("Black and white"); style 30 runs it before its full-colour overlay.
inline constexpr int kBlackAndWhiteStyle = 12;

// The sequence of colour style `style`, or null for a style outside 8..31. For style 30
// this is only the black-and-white part; the colour-effect stage adds the overlay.
const EffectSequence* ColorStylePreset(int style);

}  // namespace quillstone
