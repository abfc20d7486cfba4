#include "imagefiles/color_depth.h"

#include <gtest/gtest.h>

#include <random>

#include "imagefiles/palette_matcher.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

// The entries the nearest-colour cases below and the TIFF palette layouts do not already
// pin: the order of the colour cube and the steps of the extra greys.
TEST(ColorDepth, PalettesHaveTheirDocumentedEntries) {
  EXPECT_EQ(BlackWhitePalette(), (std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}}));
  const std::vector<Rgb> halftone = HalftonePalette256();
  ASSERT_EQ(halftone.size(), 256u);
  EXPECT_EQ(halftone[36 * 5 + 6 * 2 + 1], (Rgb{255, 102, 51}));
  EXPECT_EQ(halftone[223], (Rgb{45, 45, 45}));  // 408 div 9
  EXPECT_EQ(halftone[224], (Rgb{56, 56, 56}));  // 51 + 5
}

TEST(ColorDepth, ReductionMapsEachPixelToItsNearestEntry) {
  struct Case {
    ColorDepth depth;
    Rgb colour;
    Rgb expected;
    const char* why;
  };
  using enum ColorDepth;
  for (const Case& c :
       {Case{kBits1, {128, 127, 127}, {0, 0, 0}, "r + g + b = 382 is nearer black"},
        Case{kBits1, {128, 128, 127}, {255, 255, 255}, "r + g + b = 383 is nearer white"},
        Case{kBits1, {255, 0, 255}, {255, 255, 255}, "magenta: 65025 to white, 130050 to black"},
        Case{kBits4, {64, 0, 0}, {0, 0, 0}, "4096 to black and to maroon: lowest index wins"},
        Case{kBits4, {192, 0, 0}, {255, 0, 0}, "3969 to red, 4096 to maroon"},
        Case{kBits4, {160, 160, 160}, {192, 192, 192}, "3072 to silver (index 7) and grey (8)"},
        Case{kBits4, {170, 170, 170}, {192, 192, 192}, "1452 to silver, 5292 to grey"},
        Case{kBits8, {25, 25, 25}, {22, 22, 22}, "27 to grey 22 and to grey 28: index 219 before 220"},
        Case{kBits8, {100, 160, 20}, {102, 153, 0}, "cube: each channel to its nearest level"},
        Case{kBits8, {250, 250, 250}, {249, 249, 249}, "extra grey 249 beats white"},
        Case{kBits24, {1, 2, 3}, {1, 2, 3}, "24 bits keep every colour"},
        Case{kBits32, {1, 2, 3}, {1, 2, 3}, "32 bits keep every colour"}}) {
    RasterImage image(2, 1, MakeColor(c.colour));
    const StorageFormat format = ReduceColorDepth(image, c.depth);
    EXPECT_EQ(format.depth, c.depth);
    EXPECT_EQ(format.palette, PaletteFor(c.depth));
    EXPECT_EQ(image, RasterImage(2, 1, MakeColor(c.expected))) << c.why;
  }
}

TEST(ColorDepth, ReducedImageHoldsOnlyPaletteColours) {
  for (ColorDepth depth : {ColorDepth::kBits1, ColorDepth::kBits4, ColorDepth::kBits8}) {
    RasterImage image = testing::MakeGradientRaster(64, 48);
    const StorageFormat format = ReduceColorDepth(image, depth);
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        ASSERT_NE(std::find(format.palette.begin(), format.palette.end(), image.Pixel(x, y)),
                  format.palette.end())
            << BitsPerPixel(depth) << " bits, pixel " << x << ", " << y;
  }
}

// The cell pruning must never change the answer: compare with a plain search over every
// entry on palettes with close and duplicate entries.
TEST(PaletteMatcher, AgreesWithAFullSearch) {
  std::mt19937 random(7);
  auto byte = [&] { return static_cast<std::uint8_t>(random() & 0xFF); };
  for (int round = 0; round < 6; ++round) {
    std::vector<Rgb> palette;
    const int size = round == 0 ? 1 : (round < 3 ? 16 : 256);
    for (int i = 0; i < size; ++i)
      palette.push_back(i % 5 == 4 ? palette[i / 2] : Rgb{byte(), byte(), byte()});
    if (round == 5) palette = HalftonePalette256();
    PaletteMatcher matcher(palette);
    for (int k = 0; k < 20000; ++k) {
      const Rgb colour{byte(), byte(), byte()};
      int expected = 0;
      for (int i = 1; i < size; ++i)
        if (PaletteMatcher::Distance(colour, palette[i]) <
            PaletteMatcher::Distance(colour, palette[expected]))
          expected = i;
      ASSERT_EQ(matcher.Nearest(colour.r, colour.g, colour.b), expected)
          << "round " << round << " colour " << testing::Describe(colour);
    }
  }
}

}  // namespace
}  // namespace quillstone
