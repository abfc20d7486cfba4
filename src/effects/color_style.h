#pragma once

#include <optional>

namespace quillstone {

// The colour styles of the colour-effect stage, in the order of the style list. The
// configuration and the list store a style as its number (the list index); everything
// else names it.
enum class ColorStyle : int {
  // Colour overlays in the selected colour: the whole image, or bands from its sides.
  kFullColor,
  kLeftToRight,
  kRightToLeft,
  kTopToBottom,
  kBottomToTop,
  kBottomAndTop,
  kLeftAndRight,
  kAllFourSides,
  // Fixed effect sequences (ColorStylePreset).
  kInvertRed,
  kInvertGreen,
  kInvertBlue,
  kInvertAll,
  kBlackAndWhite,
  kSolarize,
  kEnhance1,
  kEnhance2,
  kSmallMosaic,
  kEmbossBlackAndWhite,
  kJustRed,
  kJustGreen,
  kJustBlue,
  kNegative20Columns,
  kNegative40Columns,
  kNegative60Columns,
  kNegative20Rows,
  kNegative40Rows,
  kNegative60Rows,
  kNegative20Grid,
  kNegative40Grid,
  kNegative60Grid,
  kBlackAndWhiteFullColor,  // black and white, then the full-colour overlay
  kSolarizeBlackAndWhite,
  // Styles with settings of their own.
  kVerticalMosaic,
  kPaper1,
  kPaper2,
  kPaper3,
  // 3x3 filters, which make the image 2 pixels narrower and lower, and plain grey.
  kEmbossColor1,
  kEmbossColor2,
  kEmbossColor3,
  kNeon,
  kEngravingGrayscale,
  kGrayscale,
};

inline constexpr int kColorStyleCount = static_cast<int>(ColorStyle::kGrayscale) + 1;

// The first and last style that is a fixed effect sequence.
inline constexpr ColorStyle kFirstPresetStyle = ColorStyle::kInvertRed;
inline constexpr ColorStyle kLastPresetStyle = ColorStyle::kSolarizeBlackAndWhite;

// The style a stored number names, or none for a number outside the list.
constexpr std::optional<ColorStyle> ColorStyleAt(int index) {
  if (index < 0 || index >= kColorStyleCount) return std::nullopt;
  return static_cast<ColorStyle>(index);
}

constexpr int ColorStyleIndex(ColorStyle style) {
  return static_cast<int>(style);
}

// Which of the three paper styles a style is, 0..2, or none.
constexpr std::optional<int> PaperStyleIndex(ColorStyle style) {
  if (style < ColorStyle::kPaper1 || style > ColorStyle::kPaper3) return std::nullopt;
  return ColorStyleIndex(style) - ColorStyleIndex(ColorStyle::kPaper1);
}

}  // namespace quillstone
