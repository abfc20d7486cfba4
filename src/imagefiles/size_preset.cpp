#include "imagefiles/size_preset.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "imagefiles/sharpen_resize.h"
#include "imagefiles/smooth_resize.h"
#include "imagefiles/stretch_resize.h"
#include "imaging/arithmetic.h"
#include "imaging/rounding.h"

namespace quillstone {

namespace {

// What one preset entry asks for.
struct PresetRule {
  enum Kind { kBox, kFactor, kOriginal, kDouble, kCustom } kind;
  int width = 0;  // kBox: the box, pixels
  int height = 0;
  double factor = 0.0;  // kFactor: the share of each side
};

constexpr std::array<PresetRule, kSizePresetCount> kRules = {{
    {PresetRule::kBox, 16, 16},
    {PresetRule::kBox, 32, 32},
    {PresetRule::kBox, 64, 64},
    {PresetRule::kBox, 80, 80},
    {PresetRule::kBox, 100, 100},
    {PresetRule::kBox, 150, 150},
    {PresetRule::kBox, 200, 200},
    {PresetRule::kBox, 250, 250},
    {PresetRule::kBox, 300, 300},
    {PresetRule::kBox, 320, 240},
    {PresetRule::kBox, 400, 400},
    {PresetRule::kBox, 500, 500},
    {PresetRule::kBox, 640, 480},
    {PresetRule::kBox, 700, 700},
    {PresetRule::kBox, 800, 600},
    {PresetRule::kBox, 900, 900},
    {PresetRule::kBox, 1000, 1000},
    {PresetRule::kBox, 1024, 768},
    {PresetRule::kFactor, 0, 0, 0.25},
    {PresetRule::kFactor, 0, 0, 0.5},
    {PresetRule::kFactor, 0, 0, 0.75},
    {PresetRule::kOriginal},
    {PresetRule::kFactor, 0, 0, 1.25},
    {PresetRule::kFactor, 0, 0, 1.5},
    {PresetRule::kFactor, 0, 0, 1.75},
    {PresetRule::kDouble},
    {PresetRule::kCustom},
}};

}  // namespace

std::optional<ImageSize> SizePresetTarget(const ResizeSettings& settings, int width, int height) {
  const int index = static_cast<int>(settings.preset);
  if (width < 1 || height < 1 || index < 0 || index >= kSizePresetCount) return std::nullopt;
  const PresetRule& rule = kRules[static_cast<std::size_t>(index)];

  ImageSize target;
  switch (rule.kind) {
    case PresetRule::kOriginal:
      return std::nullopt;
    case PresetRule::kBox:
      target = {rule.width, rule.height};
      break;
    case PresetRule::kFactor:
      target = {Trunc(width * rule.factor), Trunc(height * rule.factor)};
      break;
    case PresetRule::kDouble:
      target = {2 * width, 2 * height};
      break;
    case PresetRule::kCustom:
      target = FitIntoBox(width, height, std::clamp(settings.customWidth, kCustomSideMin, kCustomSideMax),
                          std::clamp(settings.customHeight, kCustomSideMin, kCustomSideMax));
      break;
  }
  target.width = std::clamp(target.width, kPresetSideMin, kPresetSideMax);
  target.height = std::clamp(target.height, kPresetSideMin, kPresetSideMax);

  const double scale = height <= width ? static_cast<double>(target.width) / width
                                       : static_cast<double>(target.height) / height;
  // A very long, thin image could otherwise round a side to 0 and vanish.
  return ImageSize{std::max(1, static_cast<int>(RoundHalfEven(width * scale))),
                   std::max(1, static_cast<int>(RoundHalfEven(height * scale)))};
}

void ApplySizePreset(RasterImage& image, const ResizeSettings& settings, RasterImage& scratch) {
  const std::optional<ImageSize> size = SizePresetTarget(settings, image.Width(), image.Height());
  if (!size) return;
  if (!settings.smooth) {
    StretchResize(image, scratch, size->width, size->height);
    std::swap(image, scratch);
    return;
  }
  SmoothResize(image, scratch, size->width, size->height);
  if (settings.sharpen) {
    SharpenResize(scratch, image);
  } else {
    std::swap(image, scratch);
  }
}

}  // namespace quillstone
