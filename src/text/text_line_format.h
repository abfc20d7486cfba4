#pragma once

#include <string>

#include "imaging/color_value.h"
#include "platform/font.h"
#include "text/text_settings.h"

namespace quillstone {

// The format one text line is drawn in: the text font's style and size and the three
// colours, changed for that line by its format tags.
struct TextLineFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  int points = 8;
  ColorValue normalColor = colors::kWhite;
  ColorValue singleColor = colors::kWhite;  // 3D outline at one pixel
  ColorValue doubleColor = colors::kWhite;  // 3D outlines further out
  friend bool operator==(const TextLineFormat&, const TextLineFormat&) = default;
};

// A line after its commands were expanded and its tags turned into its format.
struct FormattedLine {
  std::string text;
  TextLineFormat format;
};

// The format every line starts from: the text font and the three colour settings.
inline TextLineFormat BaseLineFormat(const TextSettings& s) {
  return {s.font.bold,   s.font.italic, s.font.underline,     s.font.strikeout,
          s.font.points, s.fontColor,   s.threeD.singleColor, s.threeD.doubleColor};
}

// The font a line is measured and drawn in: the text font's face in the line's format.
inline FontDescription LineFontDescription(const std::string& face, const TextLineFormat& f) {
  return {face, f.points, f.bold, f.italic, f.underline, f.strikeout};
}

}  // namespace quillstone
