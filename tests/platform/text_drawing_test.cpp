#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <string>

#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/glyph_region.h"
#include "platform/text_painter.h"
#include "support/ink_box.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

constexpr const char* kFace = "DejaVu Sans";

using testing::InkBox;

InkBox InkOn(const RasterImage& image, ColorValue background) {
  return testing::InkBoxOf(image, RasterImage(image.Width(), image.Height(), background));
}

RasterImage Drawn(const Font& font, const char* text, int x, int y, ColorValue color, int w = 200,
                  int h = 80) {
  RasterImage image(w, h, colors::kWhite);
  Canvas canvas(image);
  TextPainter painter(canvas, font, text, x, y);
  painter.Draw(x, y, color);
  return image;
}

// Solid stems in the exact colour are seen in the text stage's tag cases, which draw through
// this painter.
TEST(TextPainter, DrawsInsideTheCellWhoseTopLeftIsGiven) {
  const Font font({kFace, 20});
  const InkBox ink = InkOn(Drawn(font, "Hello", 10, 5, colors::kBlack), colors::kWhite);
  ASSERT_FALSE(ink.Empty());
  // The ink lies inside the cell (a pixel of anti-aliasing may reach past the advance).
  EXPECT_GE(ink.x1, 10);
  EXPECT_GE(ink.y1, 5);
  EXPECT_LE(ink.x2, 10 + font.Width("Hello"));
  EXPECT_LT(ink.y2, 5 + font.Height());
  // The baseline lies one ascent below the cell top ("o" overshoots it by a fraction).
  EXPECT_GE(ink.y2, 5 + font.Ascent() - 1);
  EXPECT_LE(ink.y2, 5 + font.Ascent());
}

// Moving the position moves the same pixels, also past the raster's top left edge.
TEST(TextPainter, ClipsAtTheRasterEdgesWithNegativePositions) {
  const Font font({kFace, 20});
  const RasterImage whole = Drawn(font, "Hello", 30, 20, colors::kBlack);
  const RasterImage cut = Drawn(font, "Hello", -10, -8, colors::kBlack);
  for (int y = 0; y + 28 < whole.Height(); ++y)
    for (int x = 0; x + 40 < whole.Width(); ++x) ASSERT_EQ(cut.Pixel(x, y), whole.Pixel(x + 40, y + 28));
}

TEST(TextPainter, LineFarWiderThanTheRasterDrawsItsVisiblePart) {
  const Font font({kFace, 20});
  const std::string longLine(20000, 'W');
  const RasterImage many = Drawn(font, longLine.c_str(), 3, 4, colors::kBlack);
  EXPECT_TRUE(many == Drawn(font, "WWWWWWWWWWWWWWWWWWWW", 3, 4, colors::kBlack));
}

// Slanted and overhanging glyphs keep all their ink: the same extent as the toolkit's own
// text drawing.
TEST(TextPainter, KeepsTheInkOfSlantedGlyphs) {
  for (bool italic : {false, true}) {
    const Font font({kFace, 40, true, italic});
    const char* text = "fjord Wf";
    const InkBox ours = InkOn(Drawn(font, text, 30, 10, colors::kBlack, 400, 100), colors::kWhite);
    RasterImage reference(400, 100, colors::kWhite);
    {
      QImage surface(reference.Bits(), 400, 100, static_cast<qsizetype>(reference.Stride()),
                     QImage::Format_BGR888);
      QFont qfont(kFace);
      qfont.setPixelSize(FontPixelSize(40));
      qfont.setBold(true);
      qfont.setItalic(italic);
      qfont.setHintingPreference(QFont::PreferNoHinting);
      QPainter painter(&surface);
      painter.setFont(qfont);
      painter.setPen(Qt::black);
      painter.drawText(QPoint(30, 10 + font.Ascent()), QString::fromUtf8(text));
    }
    const InkBox theirs = InkOn(reference, colors::kWhite);
    EXPECT_NEAR(ours.x1, theirs.x1, 1) << "italic " << italic;
    EXPECT_NEAR(ours.y1, theirs.y1, 1) << "italic " << italic;
    EXPECT_NEAR(ours.x2, theirs.x2, 1) << "italic " << italic;
    EXPECT_NEAR(ours.y2, theirs.y2, 1) << "italic " << italic;
  }
}

TEST(GlyphRegion, CoversThePaintedGlyphs) {
  const Font font({kFace, 24});
  const RasterImage painted = Drawn(font, "Shiny", 12, 6, colors::kBlack);
  GlyphRegion region;
  region.Record(font, 12, 6, "Shiny", painted.Width(), painted.Height());
  ASSERT_FALSE(region.Empty());
  const InkBox ink = InkOn(painted, colors::kWhite);
  EXPECT_GE(region.Left(), ink.x1);
  EXPECT_GE(region.Top(), ink.y1);
  EXPECT_LE(region.Left() + region.Width() - 1, ink.x2 + 1);
  EXPECT_LE(region.Top() + region.Height() - 1, ink.y2 + 1);
  // A pixel whose centre lies inside an outline is painted.
  int inside = 0;
  int paintedInside = 0;
  for (int y = 0; y < region.Height(); ++y) {
    for (int x = 0; x < region.Width(); ++x) {
      if (region.MaskRow(y)[x] == 0) continue;
      ++inside;
      paintedInside += !(painted.Pixel(region.Left() + x, region.Top() + y) == SplitColor(colors::kWhite));
    }
  }
  EXPECT_GT(inside, 100);
  EXPECT_EQ(paintedInside, inside);
}

TEST(GlyphRegion, KeepsOnlyTheClipArea) {
  const Font font({kFace, 24});
  GlyphRegion region;
  region.Record(font, -15, -10, "Shiny", 30, 12);
  ASSERT_FALSE(region.Empty());
  EXPECT_GE(region.Left(), 0);
  EXPECT_GE(region.Top(), 0);
  EXPECT_LE(region.Left() + region.Width(), 30);
  EXPECT_LE(region.Top() + region.Height(), 12);
  // No text, spaces (which have no outlines) and text beyond the clip area.
  for (const auto& [x, text] : {std::pair{0, ""}, {0, "   "}, {500, "Shiny"}}) {
    region.Record(font, x, 0, text, 30, 12);
    EXPECT_TRUE(region.Empty()) << x << " \"" << text << '"';
  }
}

// Rows of the region beyond the source's last row take nothing.
TEST(CopyInsideRegion, CopiesOrInvertsTheSourceRowsBelowInsideTheRegionOnly) {
  const Font font({kFace, 24});
  const RasterImage source = testing::MakeGradientRaster(120, 45);
  GlyphRegion region;
  region.Record(font, 4, 0, "WM", 120, 40);
  ASSERT_FALSE(region.Empty());
  for (bool invert : {false, true}) {
    RasterImage dest(120, 40, colors::kBlack);
    CopyInsideRegion(region, source, 20, invert, dest);
    int copied = 0;
    for (int y = 0; y < dest.Height(); ++y) {
      for (int x = 0; x < dest.Width(); ++x) {
        const bool in = x >= region.Left() && x < region.Left() + region.Width() && y >= region.Top() &&
                        y < region.Top() + region.Height() && y + 20 < source.Height() &&
                        region.MaskRow(y - region.Top())[x - region.Left()] != 0;
        Rgb want = {0, 0, 0};
        if (in) {
          const Rgb s = source.Pixel(x, y + 20);
          want = invert ? Rgb{static_cast<std::uint8_t>(255 - s.r), static_cast<std::uint8_t>(255 - s.g),
                              static_cast<std::uint8_t>(255 - s.b)}
                        : s;
          ++copied;
        }
        ASSERT_EQ(dest.Pixel(x, y), want) << x << "," << y << " invert " << invert;
      }
    }
    EXPECT_GT(copied, 50);
  }
}

}  // namespace
}  // namespace quillstone
