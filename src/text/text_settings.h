#pragma once

#include <array>
#include <string>

#include "imaging/color_value.h"

namespace quillstone {

enum class HorizontalAlign : int { kLeft = 0, kCenter = 1, kRight = 2 };
enum class VerticalAlign : int { kTop = 0, kCenter = 1, kBottom = 2 };

// The kind of box laid behind the text block.
enum class TextBoxStyle : int {
  kNone = 0,
  kFullColor = 1,
  kLeftToRight = 2,
  kRightToLeft = 3,
  kTopToBottom = 4,
  kBottomToTop = 5,
};

// Face, size and style of the text; the colour is TextSettings::fontColor.
struct TextFont {
  std::string face = "MS Sans Serif";
  int points = 8;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  friend bool operator==(const TextFont&, const TextFont&) = default;
};

// The eight outline directions, in drawing order.
inline constexpr int kThreeDDirectionCount = 8;

struct ThreeDSettings {
  bool enabled = false;
  std::array<bool, kThreeDDirectionCount> directions{true, true, true, true, true, true, true, true};
  bool doubleStrength = true;  // "Double" (true) or "Single"
  int additionalStrength = 2;  // 2..10, for "Double"
  ColorValue singleColor = MakeColor(128, 128, 255);
  ColorValue doubleColor = MakeColor(0, 0, 255);
  friend bool operator==(const ThreeDSettings&, const ThreeDSettings&) = default;
};

struct ShinySettings {
  bool enabled = false;
  bool invertedSource = false;  // "Inverted source" (true) or "Original source"
  friend bool operator==(const ShinySettings&, const ShinySettings&) = default;
};

struct TextSettings {
  HorizontalAlign horizontal = HorizontalAlign::kLeft;
  VerticalAlign vertical = VerticalAlign::kTop;
  bool extraCenter = false;
  bool useImageWidth = false;  // the box spans the full image width
  TextFont font{};
  ColorValue fontColor = MakeColor(255, 255, 198);
  ColorValue backgroundColor = colors::kNavy;
  TextBoxStyle backgroundStyle = TextBoxStyle::kFullColor;
  int backgroundBlending = 50;  // box colour share in percent, 1..100
  int textBlending = 50;        // text share in percent, 0..100
  ThreeDSettings threeD{};
  ShinySettings shiny{};
  // Sized per image: the font size is chosen so that the first line takes this share of
  // the image's height, whatever the font's points say.
  bool relativeSize = false;
  int relativePercent = 5;  // 1..100
  // Date and time format strings of "$date$" and "$time$"; empty means the system's
  // short date and long time formats.
  std::string dateFormat{};
  std::string timeFormat{};
  friend bool operator==(const TextSettings&, const TextSettings&) = default;
};

}  // namespace quillstone
