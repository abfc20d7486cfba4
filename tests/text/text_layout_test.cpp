#include "text/text_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/three_d_text.h"

namespace quillstone {

// Failures show the layout field by field.
static void PrintTo(const TextBlockLayout& b, std::ostream* os) {
  *os << "width " << b.maxWidth << " at " << b.widestX << ", height " << b.totalHeight << " at " << b.yTop
      << ", 3D " << b.extra3D << "/" << b.strength << ", strip " << b.stripHeight << " at " << b.stripTop
      << " lifted " << b.lift << ", lines";
  for (const LinePlacement& l : b.lines) *os << " (" << l.x << ", " << l.y << (l.drawn ? ")" : " hidden)");
}

namespace {

using H = HorizontalAlign;
using V = VerticalAlign;

TEST(LineX, AlignsInsideTheImageWidth) {
  struct Case {
    H align;
    int imageWidth;
    int width;
    int x;
  };
  for (const Case& c :
       {Case{H::kLeft, 100, 30, 0}, Case{H::kLeft, 100, 150, 0}, Case{H::kCenter, 100, 30, 35},
        Case{H::kCenter, 100, 31, 35}, Case{H::kCenter, 101, 31, 35}, Case{H::kCenter, 100, 151, -25},
        Case{H::kRight, 100, 30, 70}, Case{H::kRight, 100, 150, 0}}) {
    EXPECT_EQ(LineX(c.align, c.imageWidth, c.width), c.x) << static_cast<int>(c.align) << " " << c.width;
  }
}

TextSettings Aligned(H h, V v, bool extraCenter = false) {
  return {.horizontal = h, .vertical = v, .extraCenter = extraCenter};
}

TextSettings WithDouble3D(TextSettings s, int strength) {
  s.threeD = {.enabled = true, .doubleStrength = true, .additionalStrength = strength};
  return s;
}

// Two lines, 20 and 50 pixels wide, 10 high, on a 100 x 80 image.
const std::vector<LineMetrics> kTwoLines{{20, 10, false}, {50, 10, false}};

TEST(LayOutTextBlock, PlacesTheLinesByAlignment) {
  struct Case {
    H h;
    V v;
    bool extraCenter;
    int widestX, yTop;
    int x0, x1;  // of the short first line and the wide second one
  };
  for (const Case& c :
       {Case{H::kLeft, V::kTop, false, 0, 0, 0, 0}, Case{H::kLeft, V::kCenter, false, 0, 30, 0, 0},
        Case{H::kLeft, V::kBottom, false, 0, 60, 0, 0}, Case{H::kCenter, V::kTop, false, 25, 0, 40, 25},
        Case{H::kRight, V::kBottom, false, 50, 60, 80, 50},
        // "Extra center" centres the short line under the wide one: 25 - 10.
        Case{H::kLeft, V::kTop, true, 0, 0, 15, 0}, Case{H::kRight, V::kTop, true, 50, 0, 65, 50},
        // Center alignment ignores it.
        Case{H::kCenter, V::kTop, true, 25, 0, 40, 25}}) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.h)) + std::to_string(static_cast<int>(c.v)) +
                 (c.extraCenter ? " extra" : ""));
    EXPECT_EQ(LayOutTextBlock(kTwoLines, Aligned(c.h, c.v, c.extraCenter), 100, 80),
              (TextBlockLayout{
                  50, c.widestX, 20, c.yTop, 0, 0, 20, 0, c.yTop, {{c.x0, 0, true}, {c.x1, 10, true}}}));
  }
}

TEST(LayOutTextBlock, BlockHigherThanTheImageStartsAtTheTopAndDropsLinesBelowIt) {
  const std::vector<LineMetrics> lines{{30, 10, false}, {30, 10, false}, {30, 10, false}, {30, 10, false}};
  for (V v : {V::kTop, V::kCenter, V::kBottom}) {
    EXPECT_EQ(
        LayOutTextBlock(lines, Aligned(H::kLeft, v), 100, 25),
        (TextBlockLayout{
            30, 0, 40, 0, 0, 0, 25, 0, 0, {{0, 0, true}, {0, 10, true}, {0, 20, true}, {0, 30, false}}}));
  }
}

TEST(LayOutTextBlock, BlankLinesTakeTheirHeightButAreNotDrawn) {
  const std::vector<LineMetrics> lines{{8, 12, true}, {40, 10, false}, {0, 14, true}};
  EXPECT_EQ(
      LayOutTextBlock(lines, Aligned(H::kCenter, V::kBottom), 100, 80),
      (TextBlockLayout{40, 30, 36, 44, 0, 0, 36, 0, 44, {{46, 0, false}, {30, 12, true}, {50, 22, false}}}));
}

// A line wider than the image is clipped on both sides; extra centring of a line wider than
// the limited width gives it 0, not a negative shift.
TEST(LayOutTextBlock, WidestLineIsLimitedToTheImageAndStartsAtZeroAtLeast) {
  const std::vector<LineMetrics> lines{{150, 10, false}, {40, 10, false}};
  EXPECT_EQ(LayOutTextBlock(lines, Aligned(H::kCenter, V::kTop), 100, 80),
            (TextBlockLayout{99, 0, 20, 0, 0, 0, 20, 0, 0, {{-25, 0, true}, {30, 10, true}}}));
  EXPECT_EQ(LayOutTextBlock(lines, Aligned(H::kLeft, V::kTop, true), 100, 80),
            (TextBlockLayout{99, 0, 20, 0, 0, 0, 20, 0, 0, {{0, 0, true}, {49 - 20, 10, true}}}));
}

TEST(LayOutTextBlock, DoubleStrength3DGrowsTheStripAndShiftsTheLines) {
  // Strength 3: extra3D 6, lines start 1 row down and move 3 columns away from their side.
  struct Case {
    H h;
    int widestX, x0, x1;
  };
  for (const Case& c : {Case{H::kLeft, 0, 3, 3}, Case{H::kCenter, 25, 40, 25}, Case{H::kRight, 50, 77, 47}}) {
    EXPECT_EQ(LayOutTextBlock(kTwoLines, WithDouble3D(Aligned(c.h, V::kTop), 3), 100, 80),
              (TextBlockLayout{50, c.widestX, 20, 0, 6, 3, 26, 0, 0, {{c.x0, 1, true}, {c.x1, 11, true}}}));
  }
  // Single strength and 3D off add nothing.
  TextSettings single = WithDouble3D(Aligned(H::kLeft, V::kTop), 3);
  single.threeD.doubleStrength = false;
  EXPECT_EQ(LayOutTextBlock(kTwoLines, single, 100, 80).extra3D, 0);
  EXPECT_EQ(LayOutTextBlock(kTwoLines, Aligned(H::kLeft, V::kTop), 100, 80).extra3D, 0);
  // "All off" draws no outline, but the block still grows and the lines still move.
  TextSettings allOff = WithDouble3D(Aligned(H::kLeft, V::kTop), 3);
  allOff.threeD.directions.fill(false);
  EXPECT_EQ(LayOutTextBlock(kTwoLines, allOff, 100, 80),
            (TextBlockLayout{50, 0, 20, 0, 6, 3, 26, 0, 0, {{3, 1, true}, {3, 11, true}}}));
  // The additional strength is limited to its range.
  EXPECT_EQ(ThreeDExtra(WithDouble3D({}, 0).threeD), 4);
  EXPECT_EQ(ThreeDExtra(WithDouble3D({}, 4).threeD), 8);
  EXPECT_EQ(ThreeDExtra(WithDouble3D({}, 25).threeD), 20);
}

// Bottom: yTop 60, strip 26 rows would end at 86, so it starts 6 rows higher. Center on a
// 30-row image: yTop 5, the 26-row strip would end at 31; the lift would start it above the
// image, so the strip starts at yTop, while the box still reaches up by the lift.
TEST(LayOutTextBlock, StripIsLiftedWhenThe3DGrowthPassesTheBottom) {
  EXPECT_EQ(LayOutTextBlock(kTwoLines, WithDouble3D(Aligned(H::kLeft, V::kBottom), 3), 100, 80),
            (TextBlockLayout{50, 0, 20, 60, 6, 3, 26, 6, 54, {{3, 1, true}, {3, 11, true}}}));
  const TextBlockLayout center =
      LayOutTextBlock(kTwoLines, WithDouble3D(Aligned(H::kLeft, V::kCenter), 3), 100, 30);
  EXPECT_EQ(center, (TextBlockLayout{50, 0, 20, 5, 6, 3, 26, 6, 5, {{3, 1, true}, {3, 11, true}}}));
  EXPECT_EQ(TextBoxRectangle(center, H::kLeft, false, 100), (TextBoxRect{0, -1, 56, 31}));
}

// Widest line 50 pixels; with strength 3 the block grows by 6.
TEST(TextBoxRectangle, CoversTheBlockAndItsOutlines) {
  struct Case {
    H h;
    V v;
    int strength;  // 0: no 3D
    bool useImageWidth;
    TextBoxRect rect;
  };
  for (const Case& c : {Case{H::kLeft, V::kTop, 0, false, {0, 0, 50, 20}},
                        Case{H::kCenter, V::kTop, 0, false, {25, 0, 75, 20}},
                        Case{H::kRight, V::kTop, 0, false, {50, 0, 100, 20}},
                        Case{H::kLeft, V::kTop, 3, false, {0, 0, 56, 26}},
                        Case{H::kCenter, V::kTop, 3, false, {19, 0, 81, 26}},
                        Case{H::kRight, V::kTop, 3, false, {44, 0, 100, 26}},
                        Case{H::kCenter, V::kCenter, 0, false, {25, 30, 75, 50}},
                        Case{H::kRight, V::kBottom, 3, false, {44, 54, 100, 86}},
                        Case{H::kCenter, V::kTop, 0, true, {0, 0, 99, 20}},
                        Case{H::kRight, V::kBottom, 3, true, {0, 54, 99, 86}}}) {
    TextSettings s = Aligned(c.h, c.v);
    if (c.strength > 0) s = WithDouble3D(s, c.strength);
    const TextBlockLayout b = LayOutTextBlock(kTwoLines, s, 100, 80);
    EXPECT_EQ(TextBoxRectangle(b, c.h, c.useImageWidth, 100), c.rect)
        << static_cast<int>(c.h) << static_cast<int>(c.v) << " strength " << c.strength << " "
        << c.useImageWidth;
  }
}

TEST(ThreeDOutlineCopies, RingsInDirectionOrderFarthestFirstAndADropShadowWithOnlyBottomRight) {
  ThreeDSettings t{.enabled = true, .doubleStrength = false};
  std::vector<OutlineCopy> single;
  for (const PixelOffset& d : kThreeDDirections) single.push_back({d, false});
  EXPECT_EQ(ThreeDOutlineCopies(t), single);
  EXPECT_EQ(single.front().offset, (PixelOffset{-1, -1}));
  EXPECT_EQ(single[3].offset, (PixelOffset{-1, 0}));

  t.doubleStrength = true;
  t.additionalStrength = 2;
  std::vector<OutlineCopy> both;
  for (const PixelOffset& d : kThreeDDirections) both.push_back({{2 * d.dx, 2 * d.dy}, true});
  both.insert(both.end(), single.begin(), single.end());
  EXPECT_EQ(ThreeDOutlineCopies(t), both);

  EXPECT_EQ(OutlineReach(ThreeDOutlineCopies(t)), 2);
  t.additionalStrength = 10;
  EXPECT_EQ(ThreeDOutlineCopies(t).size(), 9u * 8u + 8u);
  EXPECT_EQ(OutlineReach(ThreeDOutlineCopies(t)), 10);
  t.directions.fill(false);
  EXPECT_TRUE(ThreeDOutlineCopies(t).empty());
  t.directions.fill(true);
  t.enabled = false;
  EXPECT_TRUE(ThreeDOutlineCopies(t).empty());
  // Only the bottom right direction gives a drop shadow.
  ThreeDSettings shadow = WithDouble3D({}, 4).threeD;
  shadow.directions.fill(false);
  shadow.directions[7] = true;
  EXPECT_EQ(ThreeDOutlineCopies(shadow),
            (std::vector<OutlineCopy>{{{2, 2}, true}, {{3, 3}, true}, {{4, 4}, true}, {{1, 1}, false}}));
}

}  // namespace
}  // namespace quillstone
