#include "text/text_stage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/font.h"
#include "support/ink_box.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::CountPixels;
using testing::InkBox;
using testing::InkBoxOf;
using H = HorizontalAlign;
using V = VerticalAlign;

// Black DejaVu Sans on a white 400 x 200 image, no box, the text at full strength: what
// changes is exactly what the text covers.
struct Stage {
  RasterImage image{400, 200, colors::kWhite};
  TextSettings settings{.font = {"DejaVu Sans", 20},
                        .fontColor = colors::kBlack,
                        .backgroundStyle = TextBoxStyle::kNone,
                        .textBlending = 100};
  std::vector<std::string> lines;
  TextContext context{{2026, 12, 6, 14, 5, 9, 0}, "beach.jpg", "/photos/"};
  LocaleInfo locale;
  ChannelMask channels;
  RasterImage strip;

  RasterImage Run() {
    RasterImage out = image;
    RenderTextWatermark(out, {settings, lines, context, locale, channels, &strip});
    return out;
  }
  InkBox Ink(int y0 = 0, int y1 = -1) { return InkBoxOf(Run(), image, y0, y1); }
  Font MeasuringFont() const { return Font({settings.font.face, settings.font.points, settings.font.bold}); }

  void Use3D(int strength, int onlyDirection = -1) {
    settings.threeD = {.enabled = true, .doubleStrength = strength > 0, .additionalStrength = strength};
    if (onlyDirection >= 0) {
      settings.threeD.directions.fill(false);
      settings.threeD.directions[onlyDirection] = true;
    }
  }
};

TEST(TextStage, PutsTheLineCellWhereTheMeasuredExtentsSay) {
  Stage f;
  f.lines = {"Hello"};
  const InkBox atOrigin = f.Ink();
  ASSERT_FALSE(atOrigin.Empty());
  const Font font = f.MeasuringFont();
  f.settings.horizontal = H::kRight;
  f.settings.vertical = V::kBottom;
  EXPECT_EQ(f.Ink(), atOrigin.Shifted(400 - font.Width("Hello"), 200 - font.Height()));
}

TEST(TextStage, ExtraCenterCentresTheShorterLineUnderTheWidest) {
  Stage f;
  const Font font = f.MeasuringFont();
  const int rows = font.Height();  // the first line's cell
  f.lines = {"Hi"};
  const InkBox alone = f.Ink();
  f.lines = {"Hi", "Hello world"};
  EXPECT_EQ(f.Ink(0, rows), alone) << "without extra centring";
  f.settings.extraCenter = true;
  EXPECT_EQ(f.Ink(0, rows), alone.Shifted(font.Width("Hello world") / 2 - font.Width("Hi") / 2, 0));
}

// Sized to the image, the first line is the share of its height that was asked for, within
// what whole point sizes allow, and the font's own points no longer count.
TEST(TextStage, RelativeSizeGivesTheLineItsShareOfTheImageHeight) {
  TextSettings settings{.font = {"DejaVu Sans", 10}, .relativeSize = true};
  for (const auto& [percent, imageHeight] : {std::pair{5, 1000}, {10, 200}, {1, 8000}, {100, 300}}) {
    settings.relativePercent = percent;
    const int points = RelativeFontPoints(settings, imageHeight);
    const int lineHeight = Font({settings.font.face, points}).Height();
    const int target = imageHeight * percent / 100;
    EXPECT_LE(std::abs(lineHeight - target), 1)
        << percent << "% of " << imageHeight << ": " << points << " pt";
  }
  Stage stage;
  stage.image = RasterImage(300, 1000, colors::kWhite);
  stage.settings.relativeSize = true;
  stage.settings.relativePercent = 5;
  stage.lines = {"Hg"};
  const InkBox ink = stage.Ink();
  EXPECT_GE(ink.y2 - ink.y1 + 1, 35);  // the glyphs of a 50-pixel line, not of a 20-point one
  EXPECT_LE(ink.y2 - ink.y1 + 1, 50);
}

TEST(TextStage, EmptyTextDrawsNothing) {
  Stage f;
  f.settings.backgroundStyle = TextBoxStyle::kFullColor;
  f.settings.backgroundBlending = 100;
  f.settings.textBlending = 50;
  f.lines = {};
  EXPECT_TRUE(f.Run() == f.image);
}

TEST(TextStage, HalfBlendingLowersUntouchedWhiteOfTheStripTo254) {
  Stage f;
  f.settings.textBlending = 50;
  f.lines = {"Hello"};
  const int stripRows = f.MeasuringFont().Height();
  const RasterImage out = f.Run();
  EXPECT_TRUE(testing::AllPixels(out, 399, 0, 400, stripRows, MakeColor(254, 254, 254)));
  EXPECT_TRUE(testing::AllPixels(out, 399, stripRows, 400, 200, colors::kWhite));
  EXPECT_GT(CountPixels(out, MakeColor(127, 127, 127)), 10) << "solid black glyph pixels at 50%";
}

TEST(TextStage, SwitchedOffRedChannelKeepsTheImagesRed) {
  Stage f;
  f.image = testing::MakeGradientRaster(300, 120);
  f.channels.red = false;
  f.settings.backgroundStyle = TextBoxStyle::kFullColor;
  f.settings.backgroundColor = MakeColor(255, 255, 0);
  f.lines = {"Red stays", "as it was"};
  const RasterImage out = f.Run();
  int changed = 0;
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      ASSERT_EQ(out.Pixel(x, y).r, f.image.Pixel(x, y).r) << x << "," << y;
      changed += !(out.Pixel(x, y) == f.image.Pixel(x, y));
    }
  }
  EXPECT_GT(changed, 100);
}

TEST(TextStage, BlankLinesWithAFullWidthBoxGiveABand) {
  Stage f;
  f.settings.backgroundStyle = TextBoxStyle::kFullColor;
  f.settings.backgroundBlending = 100;
  f.settings.useImageWidth = true;
  f.lines = {"", " "};
  const RasterImage out = f.Run();
  const int band = 2 * f.MeasuringFont().Height();
  EXPECT_EQ(InkBoxOf(out, f.image), (InkBox{0, 0, 399, band - 1}));
  EXPECT_EQ(CountPixels(out, f.settings.backgroundColor), 400 * band);
}

// The box in the text's place: with the text blended at 0 only the box remains, covering
// columns by alignment (inclusive ends) and the rows of the block, both grown by the 3D
// outlines, also when every outline direction is off.
TEST(TextStage, BoxCoversTheBlockByAlignment) {
  struct Case {
    H h;
    int strength;  // additional 3D strength; 0: no 3D
    bool allDirectionsOff;
  };
  for (const Case& c : {Case{H::kCenter, 0, false}, Case{H::kRight, 3, false}, Case{H::kLeft, 5, true}}) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.h)) + " strength " + std::to_string(c.strength));
    Stage f;
    f.settings.horizontal = c.h;
    f.settings.backgroundStyle = TextBoxStyle::kFullColor;
    f.settings.backgroundBlending = 100;
    f.settings.textBlending = 0;
    if (c.strength > 0) f.Use3D(c.strength);
    if (c.allDirectionsOff) f.settings.threeD.directions.fill(false);
    f.lines = {"Hi", "Hello world"};
    const Font font = f.MeasuringFont();
    const int w = font.Width("Hello world");
    const int e = 2 * c.strength;
    const int x1 = c.h == H::kLeft ? 0 : c.h == H::kCenter ? 200 - w / 2 - e : 400 - w - e;
    const int x2 = c.h == H::kLeft ? w + e : c.h == H::kCenter ? 200 - w / 2 + w + e : 399;
    const InkBox want{x1, 0, x2, 2 * font.Height() + e - 1};
    const RasterImage out = f.Run();
    EXPECT_EQ(InkBoxOf(out, f.image), want);
    EXPECT_EQ(CountPixels(out, f.settings.backgroundColor), (want.x2 - want.x1 + 1) * (want.y2 + 1));
  }
}

TEST(TextStage3D, DoubleStrengthBottomRightIsADropShadowAndSingleStrengthARing) {
  Stage f;
  f.lines = {"Shadow"};
  const InkBox plain = f.Ink();
  f.Use3D(4, 7);
  f.settings.threeD.singleColor = colors::kGreen;
  f.settings.threeD.doubleColor = colors::kBlue;
  // The line moves 4 right and 2 down; its copies reach 4 further right and down.
  const RasterImage out = f.Run();
  EXPECT_EQ(InkBoxOf(out, f.image), (InkBox{plain.x1 + 4, plain.y1 + 2, plain.x2 + 8, plain.y2 + 6}));
  EXPECT_GT(CountPixels(out, colors::kBlue), 0);
  EXPECT_GT(CountPixels(out, colors::kGreen), 0);

  // Single strength rings every glyph.
  Stage ring;
  ring.lines = {"Rim"};  // no descender: the ring below stays inside the strip
  const InkBox rim = ring.Ink();
  ASSERT_GT(rim.y1, 0);
  ring.Use3D(0);
  ring.settings.threeD.singleColor = colors::kRed;
  const RasterImage ringed = ring.Run();
  EXPECT_EQ(InkBoxOf(ringed, ring.image), (InkBox{rim.x1 - 1, rim.y1 - 1, rim.x2 + 1, rim.y2 + 1}));
  EXPECT_GT(CountPixels(ringed, colors::kRed), 0);
}

TEST(TextStageShiny, InvertedSourceShowsTheInvertedImageInsideTheGlyphsOnly) {
  Stage f;
  f.image = testing::MakeGradientRaster(300, 100);
  f.settings.font = {"DejaVu Sans", 28, true};
  f.settings.shiny.enabled = true;
  f.settings.shiny.invertedSource = true;
  f.lines = {"Shiny"};
  // Which glyph pixels take the image, and inverted how, is the glyph region copy's rule and
  // is tested with it; here the inverted copy happens, within the line's cell.
  const Font font = f.MeasuringFont();
  const InkBox inverted = f.Ink();
  ASSERT_FALSE(inverted.Empty());
  EXPECT_LE(inverted.x2, font.Width("Shiny"));
  EXPECT_LT(inverted.y2, font.Height());
  f.settings.shiny.invertedSource = false;
  EXPECT_TRUE(f.Run() == f.image) << "the original source without outlines leaves the image as it was";
}

// These rely on the commands and tags being applied before measuring and drawing.
TEST(TextStageTags, CommandsSeeTheImageSizeAndTagsColourTheirLineOnly) {
  Stage f;
  f.lines = {"400x200"};
  const RasterImage literal = f.Run();
  f.lines = {"$width$x$HEIGHT$"};
  EXPECT_TRUE(f.Run() == literal);

  f.settings.font = {"DejaVu Sans", 36, true};
  f.lines = {"$fcn00ff00$IHI", "IHI"};
  const RasterImage out = f.Run();
  const int rows = f.MeasuringFont().Height();
  EXPECT_GT(CountPixels(out, colors::kGreen, 0, rows), 100);
  EXPECT_EQ(CountPixels(out, colors::kBlack, 0, rows), 0);
  EXPECT_GT(CountPixels(out, colors::kBlack), 100) << "the next line starts from the font colour again";

  // The double outline colour tag acts on its line.
  Stage shadow;
  shadow.Use3D(3, 7);
  shadow.settings.threeD.doubleColor = colors::kBlue;
  shadow.lines = {"$fcd00ff00$Shadow"};
  const RasterImage shaded = shadow.Run();
  EXPECT_GT(CountPixels(shaded, colors::kGreen), 0);
  EXPECT_EQ(CountPixels(shaded, colors::kBlue), 0);
}

TEST(TextStage, ReusesTheStripBuffer) {
  Stage f;
  f.lines = {"Hello"};
  const RasterImage first = f.Run();
  const std::uint8_t* buffer = f.strip.Bits();
  EXPECT_TRUE(f.Run() == first);
  EXPECT_EQ(f.strip.Bits(), buffer);
}

}  // namespace
}  // namespace quillstone
