#include "imagefiles/resize_settings.h"

#include <array>

namespace quillstone {

namespace {

constexpr std::array<std::string_view, kSizePresetCount> kCaptions = {
    "16x16",         "32x32",   "64x64",     "80x80",    "100x100", "150x150",     "200x200",
    "250x250",       "300x300", "320x240",   "400x400",  "500x500", "640x480",     "700x700",
    "800x600",       "900x900", "1000x1000", "1024x768", "25%",     "50%",         "75%",
    "Original size", "125%",    "150%",      "175%",     "200%",    "Custom size",
};

}  // namespace

std::string_view SizePresetCaption(SizePreset preset) {
  const int index = static_cast<int>(preset);
  return index >= 0 && index < kSizePresetCount ? kCaptions[index] : std::string_view{};
}

std::string CustomSizeCaption(const ResizeSettings& settings) {
  return "w" + std::to_string(settings.customWidth) + "xh" + std::to_string(settings.customHeight);
}

}  // namespace quillstone
