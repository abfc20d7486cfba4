#include "text/format_tags.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace quillstone {
namespace {

TextLineFormat Base(int points = 12) {
  TextLineFormat base;
  base.points = points;
  base.normalColor = MakeColor(1, 2, 3);
  base.singleColor = MakeColor(4, 5, 6);
  base.doubleColor = MakeColor(7, 8, 9);
  return base;
}

struct StyleCase {
  const char* line;
  const char* text;
  bool bold, italic, underline, strikeout;
};

class StyleTags : public ::testing::TestWithParam<StyleCase> {};

TEST_P(StyleTags, AddStylesToTheWholeLine) {
  const StyleCase& c = GetParam();
  const FormattedLine result = ApplyFormatTags(c.line, Base());
  EXPECT_EQ(result.text, c.text);
  EXPECT_EQ(result.format.bold, c.bold);
  EXPECT_EQ(result.format.italic, c.italic);
  EXPECT_EQ(result.format.underline, c.underline);
  EXPECT_EQ(result.format.strikeout, c.strikeout);
  EXPECT_EQ(result.format.points, 12);
}

INSTANTIATE_TEST_SUITE_P(Cases, StyleTags,
                         ::testing::Values(StyleCase{"$bold$Hello$BOLD$", "Hello", true, false, false, false},
                                           StyleCase{"$bold$", "", true, false, false, false},
                                           StyleCase{"a $Italic$b$UNDERLINE$ c$strikeout$", "a b c", false,
                                                     true, true, true},
                                           StyleCase{"plain", "plain", false, false, false, false},
                                           StyleCase{"$bold", "$bold", false, false, false, false},
                                           StyleCase{"$ bold$", "$ bold$", false, false, false, false},
                                           // One pass: what a removal joins together stays as text.
                                           StyleCase{"$bo$bold$ld$", "$bold$", true, false, false, false}));

TEST(FormatTags, NoTagRemovesAStyleOfTheFont) {
  TextLineFormat base = Base();
  base.bold = true;
  base.underline = true;
  const FormattedLine result = ApplyFormatTags("$italic$x", base);
  EXPECT_TRUE(result.format.bold);
  EXPECT_TRUE(result.format.italic);
  EXPECT_TRUE(result.format.underline);
  EXPECT_FALSE(result.format.strikeout);
}

struct SizeCase {
  int base;
  const char* line;
  const char* text;
  int points;
};

class SizeTags : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeTags, OneStepPerTagWithinTheLimits) {
  const SizeCase& c = GetParam();
  const FormattedLine result = ApplyFormatTags(c.line, Base(c.base));
  EXPECT_EQ(result.text, c.text);
  EXPECT_EQ(result.format.points, c.points);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SizeTags,
    ::testing::Values(SizeCase{12, "$inc$$inc$$inc$Title", "Title", 18}, SizeCase{10, "$dec$$dec$x", "x", 8},
                      SizeCase{70, "$inc$$inc$", "", 72}, SizeCase{71, "$inc$$inc$", "", 73},
                      SizeCase{72, "$inc$", "", 72}, SizeCase{9, "$dec$", "", 9},
                      SizeCase{11, "$DEC$$Dec$$dec$", "", 9},
                      SizeCase{200, "$dec$", "", 198},  // no upper bound for $dec$
                      SizeCase{20, "a$inc$b$dec$c$dec$d", "abcd", 18},
                      // "$inc$" before "$dec$": 72 stays at 72, then 70 (the other way, 72).
                      SizeCase{72, "$dec$$inc$", "", 70},
                      // 9 grows to 11, then shrinks to 9 (the other way, 11).
                      SizeCase{9, "$dec$$inc$", "", 9},
                      // Removed one at a time from the left: a tag the removal joins counts.
                      SizeCase{12, "$in$inc$c$", "", 16}, SizeCase{12, "$inc", "$inc", 12}));

struct ColorCase {
  std::string line;
  std::string text;
  ColorValue normal, single, twin;
};

class ColorTags : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorTags, SetTheLineColours) {
  const ColorCase& c = GetParam();
  const FormattedLine result = ApplyFormatTags(c.line, Base());
  EXPECT_EQ(result.text, c.text);
  EXPECT_EQ(result.format.normalColor, c.normal) << std::hex << result.format.normalColor;
  EXPECT_EQ(result.format.singleColor, c.single) << std::hex << result.format.singleColor;
  EXPECT_EQ(result.format.doubleColor, c.twin) << std::hex << result.format.doubleColor;
}

const ColorValue kN = MakeColor(1, 2, 3);
const ColorValue kS = MakeColor(4, 5, 6);
const ColorValue kD = MakeColor(7, 8, 9);

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorTags,
    ::testing::Values(ColorCase{"$fcnff0000$Red", "Red", 0x0000FF, kS, kD},
                      ColorCase{"$FCNFF0000$Red", "Red", 0x0000FF, kS, kD},
                      ColorCase{"x$fcs00ff00$y", "xy", kN, 0x00FF00, kD},
                      ColorCase{"$fcd0000ff$", "", kN, kS, 0xFF0000},
                      ColorCase{"$fcd0000ff$$fcs00ff00$$fcnff0000$abc", "abc", 0x0000FF, 0x00FF00, 0xFF0000},
                      ColorCase{"$fcn123456$", "", 0x563412, kS, kD},
                      // The second tag of a prefix is not looked at and stays as text.
                      ColorCase{"$fcn00ff00$$fcn0000ff$Text", "$fcn0000ff$Text", 0x00FF00, kS, kD},
                      // Only the first occurrence is examined: when it is no tag, a later one is text too.
                      ColorCase{"$fcn12$fcn00ff00$", "$fcn12$fcn00ff00$", kN, kS, kD},
                      ColorCase{"$fcn12345$", "$fcn12345$", kN, kS, kD},
                      ColorCase{"$fcn123456", "$fcn123456", kN, kS, kD},
                      // Digits are not checked: 'G' counts 23, so "FG" is 263, which spills into green.
                      ColorCase{"$fcnFG0000$", "", 0x000107, kS, kD},
                      ColorCase{"$fcngg0000$", "", 391 /* 16 * 23 + 23 */, kS, kD},
                      // '!' counts -15: a negative sum wraps in 32 bits.
                      ColorCase{"$fcn!!0000$", "", static_cast<ColorValue>(-255), kS, kD},
                      ColorCase{"$fcn00000g$", "", 23 * 65536, kS, kD}));

std::string Dollars(int n) {
  return std::string(n, '$');
}
const std::string kRedTag = "$fcnff0000$";

INSTANTIATE_TEST_SUITE_P(
    ElevenDollarRuns, ColorTags,
    ::testing::Values(ColorCase{kRedTag + Dollars(11) + "ab", "ab", 0x0000FF, kS, kD},
                      ColorCase{"x" + Dollars(11) + "y" + kRedTag, "xy", 0x0000FF, kS, kD},
                      ColorCase{"x" + Dollars(12) + "y" + kRedTag, "x$y", 0x0000FF, kS, kD},
                      ColorCase{"x" + Dollars(22) + "y" + kRedTag, "xy", 0x0000FF, kS, kD},
                      ColorCase{"x" + Dollars(23) + "y" + kRedTag, "x$y", 0x0000FF, kS, kD},
                      // The "$" around the tag join up once it is gone: 10 + 1 make a run of eleven.
                      ColorCase{"x" + Dollars(10) + kRedTag + "$y", "xy", 0x0000FF, kS, kD},
                      ColorCase{"x" + Dollars(10) + kRedTag + "y", "x" + Dollars(10) + "y", 0x0000FF, kS, kD},
                      // Without a tag the runs stay.
                      ColorCase{"x" + Dollars(11) + "y", "x" + Dollars(11) + "y", kN, kS, kD}));

// A tag made by the colour tag builder reads back as its colour, in the field of its kind
// only, whatever digits the colour needs (leading zeros, letters, every channel distinct).
TEST(FormatTags, BuiltColorTagsReadBackAsTheirColour) {
  for (const ColorValue color : {MakeColor(0, 0, 0), MakeColor(255, 255, 255), MakeColor(0x0A, 0xB0, 0x0C),
                                 MakeColor(0xC0, 0xC0, 0xC0), MakeColor(1, 0xFE, 0x7F)}) {
    for (const ColorTagKind kind : {ColorTagKind::kNormal, ColorTagKind::kSingle, ColorTagKind::kDouble}) {
      const std::string tag = ColorTag(kind, color);
      const FormattedLine result = ApplyFormatTags(tag + "x", Base());
      EXPECT_EQ(result.text, "x") << tag;
      const std::array<ColorValue, 3> expected{kind == ColorTagKind::kNormal ? color : kN,
                                               kind == ColorTagKind::kSingle ? color : kS,
                                               kind == ColorTagKind::kDouble ? color : kD};
      EXPECT_EQ(result.format.normalColor, expected[0]) << tag;
      EXPECT_EQ(result.format.singleColor, expected[1]) << tag;
      EXPECT_EQ(result.format.doubleColor, expected[2]) << tag;
    }
  }
  // The builder's label reads red, green, blue in upper case.
  EXPECT_EQ(TagColorDigits(MakeColor(0xAB, 0x0C, 0xD1)), "AB0CD1");
}

TEST(FormatTags, AllStepsTogether) {
  const FormattedLine result = ApplyFormatTags("$BOLD$$inc$$fcn0000FF$Sale $italic$now$fcs$", Base(12));
  EXPECT_EQ(result.text, "Sale now$fcs$");
  EXPECT_TRUE(result.format.bold);
  EXPECT_TRUE(result.format.italic);
  EXPECT_EQ(result.format.points, 14);
  EXPECT_EQ(result.format.normalColor, 0xFF0000u);
  EXPECT_EQ(result.format.singleColor, kS);
}

TEST(FormatTags, BytesAboveAsciiAreKeptAndNeverFolded) {
  // "\xC3\x84" is a capital A with diaeresis in UTF-8.
  const FormattedLine result = ApplyFormatTags("\xC3\x84$bold$\xC3\xA4 $BOLD\xC3\x84$", Base());
  EXPECT_EQ(result.text, "\xC3\x84\xC3\xA4 $BOLD\xC3\x84$");
  EXPECT_TRUE(result.format.bold);
}

}  // namespace
}  // namespace quillstone
