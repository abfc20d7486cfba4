#include "text/format_tags.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace quillstone {
namespace {

const ColorValue kN = MakeColor(1, 2, 3);
const ColorValue kS = MakeColor(4, 5, 6);
const ColorValue kD = MakeColor(7, 8, 9);

TextLineFormat Base(int points = 12) {
  return {.points = points, .normalColor = kN, .singleColor = kS, .doubleColor = kD};
}

TEST(FormatTags, StyleTagsAddStylesToTheWholeLine) {
  struct Case {
    const char* line;
    const char* text;
    bool bold, italic, underline, strikeout;
  };
  for (const Case& c : {Case{"$bold$Hello$BOLD$", "Hello", true, false, false, false},
                        Case{"$bold$", "", true, false, false, false},
                        Case{"a $Italic$b$UNDERLINE$ c$strikeout$", "a b c", false, true, true, true},
                        Case{"plain", "plain", false, false, false, false},
                        Case{"$bold", "$bold", false, false, false, false},
                        Case{"$ bold$", "$ bold$", false, false, false, false},
                        // One pass: what a removal joins together stays as text.
                        Case{"$bo$bold$ld$", "$bold$", true, false, false, false}}) {
    const FormattedLine result = ApplyFormatTags(c.line, Base());
    const TextLineFormat& f = result.format;
    EXPECT_EQ(result.text, c.text);
    EXPECT_EQ(std::tuple(f.bold, f.italic, f.underline, f.strikeout),
              std::tuple(c.bold, c.italic, c.underline, c.strikeout))
        << c.line;
    EXPECT_EQ(f.points, 12);
  }
}

// One step of two points per tag, within 9..72 for $inc$ and from 9 for $dec$.
TEST(FormatTags, SizeTagsStepWithinTheLimits) {
  struct Case {
    int base;
    const char* line;
    const char* text;
    int points;
  };
  for (const Case& c :
       {Case{12, "$inc$$inc$$inc$Title", "Title", 18}, Case{10, "$dec$$dec$x", "x", 8},
        Case{70, "$inc$$inc$", "", 72}, Case{71, "$inc$$inc$", "", 73}, Case{72, "$inc$", "", 72},
        Case{9, "$dec$", "", 9}, Case{11, "$DEC$$Dec$$dec$", "", 9},
        Case{200, "$dec$", "", 198},  // no upper bound for $dec$
        Case{20, "a$inc$b$dec$c$dec$d", "abcd", 18},
        // "$inc$" before "$dec$": 72 stays at 72, then 70 (the other way, 72).
        Case{72, "$dec$$inc$", "", 70},
        // 9 grows to 11, then shrinks to 9 (the other way, 11).
        Case{9, "$dec$$inc$", "", 9},
        // Removed one at a time from the left: a tag the removal joins counts.
        Case{12, "$in$inc$c$", "", 16}, Case{12, "$inc", "$inc", 12}}) {
    const FormattedLine result = ApplyFormatTags(c.line, Base(c.base));
    EXPECT_EQ(result.text, c.text) << c.line;
    EXPECT_EQ(result.format.points, c.points) << c.base << ": " << c.line;
  }
}

std::string Dollars(int n) {
  return std::string(n, '$');
}

TEST(FormatTags, ColourTagsSetTheLineColours) {
  struct Case {
    std::string line;
    std::string text;
    ColorValue normal, single, twin;
  };
  const std::string red = "$fcnff0000$";
  const ColorValue kR = 0x0000FF;
  for (const Case& c :
       {Case{"$fcnff0000$Red", "Red", kR, kS, kD}, Case{"$FCNFF0000$Red", "Red", kR, kS, kD},
        Case{"x$fcs00ff00$y", "xy", kN, 0x00FF00, kD}, Case{"$fcd0000ff$", "", kN, kS, 0xFF0000},
        Case{"$fcd0000ff$$fcs00ff00$$fcnff0000$abc", "abc", kR, 0x00FF00, 0xFF0000},
        Case{"$fcn123456$", "", 0x563412, kS, kD},
        // The second tag of a prefix is not looked at and stays as text.
        Case{"$fcn00ff00$$fcn0000ff$Text", "$fcn0000ff$Text", 0x00FF00, kS, kD},
        // Only the first occurrence is examined: when it is no tag, a later one is text too.
        Case{"$fcn12$fcn00ff00$", "$fcn12$fcn00ff00$", kN, kS, kD},
        Case{"$fcn12345$", "$fcn12345$", kN, kS, kD}, Case{"$fcn123456", "$fcn123456", kN, kS, kD},
        // Digits are not checked: 'G' counts 23, so "FG" is 263, which spills into green.
        Case{"$fcnFG0000$", "", 0x000107, kS, kD}, Case{"$fcngg0000$", "", 391 /* 16 * 23 + 23 */, kS, kD},
        // '!' counts -15: a negative sum wraps in 32 bits.
        Case{"$fcn!!0000$", "", static_cast<ColorValue>(-255), kS, kD},
        Case{"$fcn00000g$", "", 23 * 65536, kS, kD},
        // Runs of eleven "$" go, with the tag; without a tag the runs stay.
        Case{red + Dollars(11) + "ab", "ab", kR, kS, kD},
        Case{"x" + Dollars(11) + "y" + red, "xy", kR, kS, kD},
        Case{"x" + Dollars(12) + "y" + red, "x$y", kR, kS, kD},
        Case{"x" + Dollars(22) + "y" + red, "xy", kR, kS, kD},
        Case{"x" + Dollars(23) + "y" + red, "x$y", kR, kS, kD},
        // The "$" around the tag join up once it is gone: 10 + 1 make a run of eleven.
        Case{"x" + Dollars(10) + red + "$y", "xy", kR, kS, kD},
        Case{"x" + Dollars(10) + red + "y", "x" + Dollars(10) + "y", kR, kS, kD},
        Case{"x" + Dollars(11) + "y", "x" + Dollars(11) + "y", kN, kS, kD}}) {
    const FormattedLine result = ApplyFormatTags(c.line, Base());
    EXPECT_EQ(result.text, c.text) << c.line;
    EXPECT_EQ(std::tuple(result.format.normalColor, result.format.singleColor, result.format.doubleColor),
              std::tuple(c.normal, c.single, c.twin))
        << c.line;
  }
}

// A tag made by the colour tag builder reads back as its colour, in the field of its kind
// only, whatever digits the colour needs (leading zeros, letters, every channel distinct).
TEST(FormatTags, BuiltColorTagsReadBackAsTheirColour) {
  for (const ColorValue color : {MakeColor(0, 0, 0), MakeColor(255, 255, 255), MakeColor(0x0A, 0xB0, 0x0C),
                                 MakeColor(0xC0, 0xC0, 0xC0), MakeColor(1, 0xFE, 0x7F)}) {
    for (const ColorTagKind kind : {ColorTagKind::kNormal, ColorTagKind::kSingle, ColorTagKind::kDouble}) {
      const std::string tag = ColorTag(kind, color);
      const FormattedLine result = ApplyFormatTags(tag + "x", Base());
      EXPECT_EQ(result.text, "x") << tag;
      TextLineFormat expected = Base();
      (kind == ColorTagKind::kNormal   ? expected.normalColor
       : kind == ColorTagKind::kSingle ? expected.singleColor
                                       : expected.doubleColor) = color;
      EXPECT_EQ(result.format, expected) << tag;
    }
  }
  // The builder's label reads red, green, blue in upper case.
  EXPECT_EQ(TagColorDigits(MakeColor(0xAB, 0x0C, 0xD1)), "AB0CD1");
}

// The font's underline stays: no tag removes a style.
TEST(FormatTags, AllStepsTogether) {
  TextLineFormat base = Base(12);
  base.underline = true;
  const FormattedLine result = ApplyFormatTags("$BOLD$$inc$$fcn0000FF$Sale $italic$now$fcs$", base);
  EXPECT_EQ(result.text, "Sale now$fcs$");
  TextLineFormat expected = base;
  expected.points = 14;
  expected.bold = expected.italic = true;
  expected.normalColor = 0xFF0000u;
  EXPECT_EQ(result.format, expected);
}

TEST(FormatTags, BytesAboveAsciiAreKeptAndNeverFolded) {
  // "\xC3\x84" is a capital A with diaeresis in UTF-8.
  const FormattedLine result = ApplyFormatTags("\xC3\x84$bold$\xC3\xA4 $BOLD\xC3\x84$", Base());
  EXPECT_EQ(result.text, "\xC3\x84\xC3\xA4 $BOLD\xC3\x84$");
  EXPECT_TRUE(result.format.bold);
}

}  // namespace
}  // namespace quillstone
