#pragma once

#include <string>
#include <vector>

#include "imaging/channel_mask.h"
#include "imaging/raster_image.h"
#include "platform/font.h"
#include "platform/locale_info.h"
#include "text/text_context.h"
#include "text/text_settings.h"

namespace quillstone {

struct TextStageInput {
  const TextSettings& settings;
  const std::vector<std::string>& lines;  // the watermark text, one hard line each (UTF-8)
  const TextContext& context;
  const LocaleInfo& locale;  // names and default formats of the date and time commands
  ChannelMask channels;
  // Working memory for the text strip (image width x block height), kept by the caller
  // so that renders reuse it; its content is not kept. Null: the stage allocates its own.
  RasterImage* strip = nullptr;
};

// The text stage: lays the lines out as one block on the image, with its box, draws them
// on a copy of the rows the block covers and blends that strip back in. Works in place;
// the image keeps its size. An empty text changes nothing.
void RenderTextWatermark(RasterImage& image, const TextStageInput& input);

// The largest font size a text sized to the image may take: the largest a font is drawn at.
inline constexpr int kMaxRelativeFontPoints = kMaxFontPixels * 72 / kFontDotsPerInch;

// The font size in points whose line height (the text font in its style) comes closest to
// settings.relativePercent of imageHeight, at least 1 pixel; on a tie the smaller size.
int RelativeFontPoints(const TextSettings& settings, int imageHeight);

// Blends the strip into the image rows from stripTop down: PercentBlend(percent, strip,
// image) for each channel on in the mask, the image's value for the others. Every strip
// pixel goes through this, drawn or not. Rows below the image are skipped. percent 0..100.
void BlendTextStrip(RasterImage& image, const RasterImage& strip, int stripTop, int percent,
                    const ChannelMask& channels);

}  // namespace quillstone
