#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/text_settings.h"

namespace quillstone {

struct CalculatedBannerSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const CalculatedBannerSize&, const CalculatedBannerSize&) = default;
};

// The banner size that holds the watermark text: the widest line and the sum of the line
// heights in the text font, each line in its own format, plus margin pixels on every side.
// Format tags count (with "$inc$" not limited in size); commands are measured as written.
// Empty when the text has no lines. Needs a QGuiApplication for the fonts.
std::optional<CalculatedBannerSize> CalculateBannerSize(const std::vector<std::string>& lines,
                                                        const TextSettings& settings, int margin);

}  // namespace quillstone
