#include "decor/frames.h"

namespace quillstone {

void DrawFrames(RasterImage& /*image*/, const FrameSettings& /*settings*/) {}

}  // namespace quillstone
