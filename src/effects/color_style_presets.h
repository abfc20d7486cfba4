#pragma once

#include "effects/color_style.h"
#include "effects/effect_sequence.h"

namespace quillstone {

// The sequence of a fixed-sequence colour style (kFirstPresetStyle..kLastPresetStyle), or
// null for any other style. For kBlackAndWhiteFullColor this is only the black-and-white
// part; the colour-effect stage adds the overlay.
const EffectSequence* ColorStylePreset(ColorStyle style);

}  // namespace quillstone
