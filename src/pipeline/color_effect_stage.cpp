#include "pipeline/color_effect_stage.h"

namespace quillstone {

void ApplyColorEffect(RasterImage& /*image*/, const ColorEffectSettings& /*settings*/, int /*strength*/,
                      ChannelMask /*channels*/, RandomSource& /*random*/) {}

}  // namespace quillstone
