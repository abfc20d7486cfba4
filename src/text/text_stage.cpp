#include "text/text_stage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "effects/color_fill.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/glyph_region.h"
#include "platform/text_painter.h"
#include "text/format_tags.h"
#include "text/text_commands.h"
#include "text/text_layout.h"
#include "text/text_line_format.h"
#include "text/three_d_text.h"

namespace quillstone {

namespace {

// A line after commands and tags, with the font it is measured and drawn in.
struct ProcessedLine {
  FormattedLine line;
  std::size_t font = 0;  // index into the stage's fonts
};

// A line that holds nothing but spaces is not drawn.
bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// The fonts of one render: lines that share a format share the font.
std::size_t FontFor(std::vector<Font>& fonts, const FontDescription& d) {
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    if (fonts[i].Description() == d) return i;
  }
  fonts.emplace_back(d);
  return fonts.size() - 1;
}

ColorBoxKind BoxKind(TextBoxStyle style) {
  switch (style) {
    case TextBoxStyle::kLeftToRight:
      return ColorBoxKind::kLeft;
    case TextBoxStyle::kRightToLeft:
      return ColorBoxKind::kRight;
    case TextBoxStyle::kTopToBottom:
      return ColorBoxKind::kTop;
    case TextBoxStyle::kBottomToTop:
      return ColorBoxKind::kBottom;
    case TextBoxStyle::kNone:
    case TextBoxStyle::kFullColor:
      break;
  }
  return ColorBoxKind::kFullColor;
}

// Draws every line that the layout marks as drawn: its 3D outlines, then the line in its
// colour or its shiny fill.
void DrawTextLines(RasterImage& strip, const RasterImage& image, const TextSettings& s,
                   const std::vector<ProcessedLine>& lines, const std::vector<Font>& fonts,
                   const TextBlockLayout& layout) {
  const std::vector<OutlineCopy> outlines = ThreeDOutlineCopies(s.threeD);
  const int reach = OutlineReach(outlines);
  GlyphRegion region;
  Canvas canvas(strip);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LinePlacement& at = layout.lines[i];
    if (!at.drawn) continue;
    const FormattedLine& line = lines[i].line;
    const Font& font = fonts[lines[i].font];
    TextPainter painter(canvas, font, line.text, at.x, at.y, reach);
    Draw3DOutlines(painter, at.x, at.y, line.format, outlines);
    if (s.shiny.enabled) {
      DrawShinyLine(font, line.text, at.x, at.y, image, layout.stripTop, s.shiny.invertedSource, region,
                    strip);
    } else {
      painter.Draw(at.x, at.y, line.format.normalColor);
    }
  }
}

}  // namespace

void BlendTextStrip(RasterImage& image, const RasterImage& strip, int stripTop, int percent,
                    const ChannelMask& channels) {
  const int a = std::clamp(percent, 0, 100);
  const int rows = std::min(strip.Height(), image.Height() - stripTop);
  const int width = std::min(strip.Width(), image.Width());
  if (a == 0 || rows <= 0 || width <= 0 || stripTop < 0) return;

  // out = fromStrip[T] + fromImage[S] per channel (bytes B, G, R); a channel that is off
  // takes nothing from the strip and all of the image.
  const std::array<bool, 3> on{channels.blue, channels.green, channels.red};
  std::array<std::array<std::uint8_t, 256>, 3> fromStrip{};
  std::array<std::array<std::uint8_t, 256>, 3> fromImage{};
  for (int c = 0; c < 3; ++c) {
    for (int v = 0; v < 256; ++v) {
      fromStrip[c][v] = static_cast<std::uint8_t>(on[c] ? (a * v) / 100 : 0);
      fromImage[c][v] = static_cast<std::uint8_t>(on[c] ? ((100 - a) * v) / 100 : v);
    }
  }
  const std::size_t bytes = static_cast<std::size_t>(width) * 3;
  for (int r = 0; r < rows; ++r) {
    const std::uint8_t* t = strip.Row(r);
    std::uint8_t* out = image.Row(stripTop + r);
    for (std::size_t i = 0; i < bytes; i += 3) {
      out[i] = static_cast<std::uint8_t>(fromStrip[0][t[i]] + fromImage[0][out[i]]);
      out[i + 1] = static_cast<std::uint8_t>(fromStrip[1][t[i + 1]] + fromImage[1][out[i + 1]]);
      out[i + 2] = static_cast<std::uint8_t>(fromStrip[2][t[i + 2]] + fromImage[2][out[i + 2]]);
    }
  }
}

int RelativeFontPoints(const TextSettings& settings, int imageHeight) {
  const int target = std::max(1, (imageHeight * std::clamp(settings.relativePercent, 1, 100) + 50) / 100);
  FontDescription d = LineFontDescription(settings.font.face, BaseLineFormat(settings));
  const auto height = [&d](int points) {
    d.points = points;
    return Font(d).Height();
  };
  // The smallest size whose line reaches the target, or the one below it when that comes
  // closer; line heights grow with the size.
  int low = 1;
  int high = kMaxRelativeFontPoints;
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (height(mid) >= target) {
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  if (low > 1 && target - height(low - 1) < height(low) - target) return low - 1;
  return low;
}

void RenderTextWatermark(RasterImage& image, const TextStageInput& in) {
  if (in.lines.empty() || image.Empty()) return;
  const TextSettings& s = in.settings;
  const int width = image.Width();
  const int height = image.Height();

  // Process and measure every line.
  const ExpansionContext context{.now = in.context.now,
                                 .fileName = in.context.fileName,
                                 .sourceDirectory = in.context.sourceDirectory,
                                 .dateFormat = s.dateFormat,
                                 .timeFormat = s.timeFormat,
                                 .imageWidth = width,
                                 .imageHeight = height,
                                 .locale = &in.locale,
                                 .camera = &in.context.camera};
  TextLineFormat base = BaseLineFormat(s);
  if (s.relativeSize) base.points = RelativeFontPoints(s, height);
  std::vector<Font> fonts;
  std::vector<ProcessedLine> lines;
  std::vector<LineMetrics> metrics;
  lines.reserve(in.lines.size());
  metrics.reserve(in.lines.size());
  for (const std::string& raw : in.lines) {
    ProcessedLine p{ApplyFormatTags(ExpandTextCommands(raw, context), base), 0};
    p.font = FontFor(fonts, LineFontDescription(s.font.face, p.line.format));
    const Font& font = fonts[p.font];
    metrics.push_back({font.Width(p.line.text), font.Height(), IsBlank(p.line.text)});
    lines.push_back(std::move(p));
  }
  const TextBlockLayout layout = LayOutTextBlock(metrics, s, width, height);

  // The box behind the block, always solid: every column, the chosen colour.
  if (s.backgroundStyle != TextBoxStyle::kNone) {
    const TextBoxRect box = TextBoxRectangle(layout, s.horizontal, s.useImageWidth, width);
    const FillParams fill{s.backgroundBlending, s.backgroundColor, 1, in.channels, nullptr};
    ColorBox(BoxKind(s.backgroundStyle), image, image, fill, box.x1, box.y1, box.x2, box.y2);
  }

  // The strip: a copy of the rows the block covers, taken after the box was laid. Rows
  // below the image would never be blended back, so the strip ends at the image bottom.
  const int rows = std::min(layout.stripHeight, height - layout.stripTop);
  if (rows <= 0) return;
  RasterImage ownStrip;
  RasterImage& strip = in.strip != nullptr ? *in.strip : ownStrip;
  strip.Resize(width, rows);
  for (int r = 0; r < rows; ++r) {
    std::memcpy(strip.Row(r), image.Row(layout.stripTop + r), static_cast<std::size_t>(width) * 3);
  }

  DrawTextLines(strip, image, s, lines, fonts, layout);
  BlendTextStrip(image, strip, layout.stripTop, s.textBlending, in.channels);
}

}  // namespace quillstone
