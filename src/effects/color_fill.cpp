#include "effects/color_fill.h"

namespace quillstone {

void FullColorOverlay(RasterImage& /*dest*/, const RasterImage& /*source*/, const FillParams& /*params*/) {}

void ColorBox(ColorBoxKind /*kind*/, RasterImage& /*dest*/, const RasterImage& /*source*/,
              const FillParams& /*params*/, int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) {}

}  // namespace quillstone
