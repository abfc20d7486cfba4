#pragma once

#include <array>
#include <string_view>

#include "pipeline/watermark_settings.h"

namespace quillstone {

// The selector's item captions, index 0..12.
inline constexpr std::array<std::string_view, kCombinationCount> kCombinationCodes = {
    "A", "LT", "TL", "LC", "CL", "TC", "CT", "LTC", "LCT", "CLT", "CTL", "TLC", "TCL"};

// The action label after a choice in the selector.
inline constexpr std::array<std::string_view, kCombinationCount> kSelectorActionLabels = {
    "Watermarking action: Active effect selection",
    "Watermarking action: Logo and Text",
    "Watermarking action: Text and Logo",
    "Watermarking action: Logo and Color effect",
    "Watermarking action: Color effect and Logo",
    "Watermarking action: Text and Color effect",
    "Watermarking action: Color effect and Text",
    "Watermarking action: Logo and Text and Color effect",
    "Watermarking action: Logo and Color effect and Text",
    "Watermarking action: Color effect and Logo and Text",
    "Watermarking action: Color effect and Text and Togo",
    "Watermarking action: Text and Logo and Color effect",
    "Watermarking action: Text and Color effect and Logo",
};

// The combination dialog's items.
inline constexpr std::array<std::string_view, kCombinationCount> kCombinationDialogItems = {
    "Active effect selection [A]",
    "Logo and text [LT]",
    "Text and logo [TL]",
    "Logo and color effect [LC]",
    "Color effect and logo [CL]",
    "Text and color effect [TC]",
    "Color effect and Text [CT]",
    "Logo and text and color effect [LTC]",
    "Logo and color effect and text [LCT]",
    "Color effect and logo and text [CLT]",
    "Color effect and text and logo [CTL]",
    "Text and logo and color effect [TLC]",
    "Text and color effect and logo [TCL]",
};

// The action label after the combination dialog's "OK".
inline constexpr std::array<std::string_view, kCombinationCount> kDialogActionLabels = {
    "Watermarking action: Active effect selection",
    "Watermarking action: Logo and text",
    "Watermarking action: Text and Logo",
    "Watermarking action: Logo and color effect",
    "Watermarking action: Color effect and logo",
    "Watermarking action: Text and color effect",
    "Watermarking action: Color effect and Text",
    "Watermarking action: Logo and text and Color effect",
    "Watermarking action: Logo and Color effect and text",
    "Watermarking action: Color effect and Logo and text",
    "Watermarking action: Color effect and Text and logo",
    "Watermarking action: Text and logo and color effect",
    "Watermarking action: Text and color effect and logo",
};

}  // namespace quillstone
