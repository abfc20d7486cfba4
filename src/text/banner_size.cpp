#include "text/banner_size.h"

#include <algorithm>
#include <climits>

#include "platform/font.h"
#include "text/format_tags.h"
#include "text/text_line_format.h"

namespace quillstone {

std::optional<CalculatedBannerSize> CalculateBannerSize(const std::vector<std::string>& lines,
                                                        const TextSettings& settings, int margin) {
  if (lines.empty()) return std::nullopt;
  const TextLineFormat base = BaseLineFormat(settings);
  int widest = 0;
  int totalHeight = 0;
  for (const std::string& line : lines) {
    const FormattedLine formatted = ApplyFormatTags(line, base, INT_MAX);
    const Font font(LineFontDescription(settings.font.face, formatted.format));
    widest = std::max(widest, font.Width(formatted.text));
    totalHeight += font.Height();
  }
  return CalculatedBannerSize{2 * margin + widest, 2 * margin + totalHeight};
}

}  // namespace quillstone
