#pragma once

#include <string>
#include <string_view>

namespace quillstone {

// The entries of the "New Image size" group, in order: fixed boxes, percentages, the
// original size and a custom box.
enum class SizePreset : int {
  k16x16 = 0,
  k32x32,
  k64x64,
  k80x80,
  k100x100,
  k150x150,
  k200x200,
  k250x250,
  k300x300,
  k320x240,
  k400x400,
  k500x500,
  k640x480,
  k700x700,
  k800x600,
  k900x900,
  k1000x1000,
  k1024x768,
  kPercent25,
  kPercent50,
  kPercent75,
  kOriginalSize,
  kPercent125,
  kPercent150,
  kPercent175,
  kPercent200,
  kCustomSize,
};
inline constexpr int kSizePresetCount = 27;
static_assert(static_cast<int>(SizePreset::kCustomSize) + 1 == kSizePresetCount);

// Every side a preset produces is clamped to this range (pixels).
inline constexpr int kPresetSideMin = 1;
inline constexpr int kPresetSideMax = 2000;
// The custom size window accepts sides in this range (pixels).
inline constexpr int kCustomSideMin = 10;
inline constexpr int kCustomSideMax = 2000;

// The resize options applied to every source image right after it is loaded and oriented.
// None of them is written to configuration files; each run starts at these values. The
// names in parentheses are the controls' names, which also serve as setting names.
struct ResizeSettings {
  // "New Image size" entry (sizegroup), index 0..26.
  SizePreset preset = SizePreset::kOriginalSize;
  // "Smooth resize" (smoothresize): area averaging instead of the plain stretch.
  bool smooth = true;
  // "Sharpen" (sharpenresize): the 3x3 sharpen filter after a smooth resize; ignored
  // without `smooth` (the check box is disabled then).
  bool sharpen = true;
  // The custom size window's "New width:" and "New height:", pixels, 10..2000; the box
  // "Custom size" fits the image into.
  int customWidth = 320;
  int customHeight = 240;

  friend bool operator==(const ResizeSettings&, const ResizeSettings&) = default;
};

// The entry text of a preset, e.g. "320x240", "50%", "Original size", "Custom size".
std::string_view SizePresetCaption(SizePreset preset);

// The caption of the custom values panel: "w" + width + "x" + "h" + height ("w320xh240").
std::string CustomSizeCaption(const ResizeSettings& settings);

}  // namespace quillstone
