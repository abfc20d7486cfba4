#pragma once

#include <string>
#include <vector>

#include "imaging/channel_mask.h"
#include "imaging/raster_image.h"
#include "text/text_context.h"
#include "text/text_settings.h"

namespace quillstone {

struct TextStageInput {
  const TextSettings& settings;
  const std::vector<std::string>& lines;   // the watermark text, one hard line each
  const TextContext& context;
  ChannelMask channels;
};

// The text stage: lays the lines out as one block on the image, with its box, and blends
// them in. Works in place; the image keeps its size.
void RenderTextWatermark(RasterImage& image, const TextStageInput& input);

}  // namespace quillstone
