#include <gtest/gtest.h>

#include "platform/font.h"

namespace quillstone {
namespace {

constexpr const char* kFace = "DejaVu Sans";

TEST(FontPixelSize, PointsAtNinetySixDotsPerInchRoundedHalfUp) {
  struct Case {
    int points;
    int pixels;
  };
  for (const Case& c : {Case{8, 11}, Case{9, 12}, Case{10, 13}, Case{11, 15}, Case{12, 16}, Case{72, 96},
                        Case{1, 1}, Case{0, 1}, Case{-4, 1}, Case{100000, kMaxFontPixels}}) {
    EXPECT_EQ(FontPixelSize(c.points), c.pixels) << c.points << " pt";
  }
}

TEST(Font, CellHeightAndWidthFollowThePixelSize) {
  // DejaVu Sans has ascent + descent of about 1.16 em, so a 12 pt (16 px) font has a cell
  // of about 19 pixels; at 72 dpi it would be about 14.
  const Font font({kFace, 12});
  EXPECT_GE(font.Height(), 17);
  EXPECT_LE(font.Height(), 21);
  EXPECT_GT(font.Ascent(), font.Height() / 2);
  EXPECT_LT(font.Ascent(), font.Height());
  const Font twice({kFace, 24});
  EXPECT_NEAR(twice.Height(), 2 * font.Height(), 2);

  // The width is the advance of the text.
  EXPECT_EQ(font.Width(""), 0);
  const int hello = font.Width("Hello");
  EXPECT_GT(hello, 0);
  EXPECT_GT(font.Width("Hello world"), hello);
  EXPECT_NEAR(Font({kFace, 24}).Width("Hello"), 2 * hello, 2);
  EXPECT_GT(Font({kFace, 12, true}).Width("Hello"), hello) << "bold is wider";
  // Text is UTF-8: one multi-byte character measures as one glyph, not as its bytes.
  EXPECT_NEAR(font.Width("\xC3\xA9"), font.Width("e"), 1);
  // An unknown face falls back to an installed one.
  EXPECT_GT(Font({"No Such Face Installed Anywhere", 12}).Width("abc"), 0);
}

}  // namespace
}  // namespace quillstone
