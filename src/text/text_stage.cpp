#include "text/text_stage.h"

namespace quillstone {

void RenderTextWatermark(RasterImage& /*image*/, const TextStageInput& /*input*/) {}

}  // namespace quillstone
