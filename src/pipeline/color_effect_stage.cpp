#include "pipeline/color_effect_stage.h"

namespace quillstone {

void ApplyColorEffect(RasterImage& /*image*/, RasterImage& /*scratch*/, const ColorEffectSettings& /*settings*/, int /*strength*/,
                      ChannelMask /*channels*/, RandomSource& /*random*/) {}

}  // namespace quillstone
