#include "logo/logo_autocrop.h"

#include <gtest/gtest.h>

#include "logo/logo_crop.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::MakeGradientRaster;

// 80 x 40 with no white and no red pixel in it.
RasterImage Inner() {
  return MakeGradientRaster(80, 40);
}

// A uniform border of the corner's colour goes, into another raster and in place (as the
// logo editor does it), and the colours inside stay.
TEST(AutocropLogo, RemovesTheUniformBorderAndKeepsTheColours) {
  const RasterImage inner = Inner();
  for (const auto& [background, corner] : {std::pair{colors::kWhite, CropCorner::kTopLeft},
                                           {colors::kRed, CropCorner::kTopLeft},
                                           {colors::kRed, CropCorner::kBottomLeft},
                                           {colors::kWhite, CropCorner::kTopRight},
                                           {colors::kWhite, CropCorner::kBottomRight}}) {
    SCOPED_TRACE(std::to_string(background) + " from corner " + std::to_string(static_cast<int>(corner)));
    const RasterImage logo = testing::Framed(inner, 10, 10, 10, 10, background);
    RasterImage cropped;
    AutocropLogo(logo, cropped, corner);
    EXPECT_EQ(cropped, inner);
    RasterImage inPlace = logo;
    AutocropLogo(inPlace, inPlace, corner);
    EXPECT_EQ(inPlace, inner);
  }
}

// A corner of another colour crops nothing, also when it differs only in blue.
TEST(AutocropLogo, CornerOfAnotherColourCropsNothing) {
  RasterImage red = testing::Framed(Inner(), 10, 10, 10, 10, colors::kWhite);
  red.SetPixel(99, 59, colors::kRed);
  RasterImage blue = testing::Framed(Inner(), 3, 3, 3, 3, MakeColor(200, 200, 201));
  blue.SetPixel(0, 0, MakeColor(200, 200, 200));
  for (const auto& [logo, corner] :
       {std::pair{red, CropCorner::kBottomRight}, {blue, CropCorner::kTopLeft}}) {
    RasterImage cropped;
    AutocropLogo(logo, cropped, corner);
    EXPECT_EQ(cropped, logo);
  }
}

TEST(AutocropLogo, ScansStopAtTheMiddle) {
  // The left 80 of 100 columns are background: only columns 0 .. 50 go, 51 .. 99 stay.
  const RasterImage blue(20, 20, colors::kBlue);
  RasterImage cropped;
  AutocropLogo(testing::Framed(blue, 80, 0, 0, 0, colors::kWhite), cropped, CropCorner::kTopLeft);
  EXPECT_EQ(cropped, testing::Framed(blue, 29, 0, 0, 0, colors::kWhite));
}

TEST(AutocropLogo, FlatAndTinyLogosAreLeftAlone) {
  for (const RasterImage& logo : {RasterImage(30, 20, colors::kRed), RasterImage(1, 1, colors::kWhite),
                                  RasterImage(2, 1, colors::kWhite), MakeGradientRaster(1, 1)}) {
    RasterImage cropped;
    AutocropLogo(logo, cropped, CropCorner::kTopLeft);
    EXPECT_EQ(cropped, logo);
  }
  RasterImage empty;
  AutocropLogo(empty, empty, CropCorner::kBottomRight);
  EXPECT_TRUE(empty.Empty());
}

TEST(CropLogoToSelection, DragCropsFromTheOrderedCornersWithinTheLogoAndNotWhenEmpty) {
  const RasterImage logo = MakeGradientRaster(50, 60);
  RasterImage cropped = logo;
  ASSERT_TRUE(CropLogoToSelection(cropped, 10, 10, 5, 40));
  ASSERT_EQ(testing::SizeOf(cropped), std::pair(5, 30));
  EXPECT_EQ(cropped.Pixel(0, 0), logo.Pixel(5, 10));
  EXPECT_EQ(cropped.Pixel(4, 29), logo.Pixel(9, 39));
  EXPECT_EQ(CropQuestion(5, 30), "Do you like to crop the selected area ?\nNew size: width=5 height=30");
  // Every edge is limited to the logo; a drag to or past the far corner keeps the last
  // column and row.
  EXPECT_EQ(CropSelectionRect(3, 4, 80, 90, 50, 60), (LogoRect{3, 4, 50, 60}));
  EXPECT_EQ(CropSelectionRect(-5, 70, 60, -2, 50, 60), (LogoRect{0, 0, 50, 60}));
  RasterImage whole = logo;
  ASSERT_TRUE(CropLogoToSelection(whole, 40, 50, 50, 60));
  ASSERT_EQ(testing::SizeOf(whole), std::pair(10, 10));
  EXPECT_EQ(whole.Pixel(9, 9), logo.Pixel(49, 59));
  RasterImage unchanged = logo;
  EXPECT_FALSE(CropLogoToSelection(unchanged, 7, 7, 7, 30));  // no width
  EXPECT_FALSE(CropLogoToSelection(unchanged, 7, 7, 20, 7));  // no height
  EXPECT_EQ(unchanged, logo);
}

TEST(InvertSelectionOutline, DrawingTwiceRestoresThePicture) {
  const RasterImage logo = MakeGradientRaster(20, 15);
  RasterImage image = logo;
  InvertSelectionOutline(image, 12, 9, 3, 2);
  int changed = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) changed += image.Pixel(x, y) != logo.Pixel(x, y);
  EXPECT_EQ(changed, 2 * 9 + 2 * 5);  // a 9 x 7 ring
  const Rgb corner = logo.Pixel(3, 2);
  EXPECT_EQ(image.Pixel(3, 2),
            (Rgb{static_cast<std::uint8_t>(255 - corner.r), static_cast<std::uint8_t>(255 - corner.g),
                 static_cast<std::uint8_t>(255 - corner.b)}));
  InvertSelectionOutline(image, 12, 9, 3, 2);
  EXPECT_EQ(image, logo);
  InvertSelectionOutline(image, 0, 5, 10, 10);  // a corner on the edge draws nothing
  EXPECT_EQ(image, logo);
}

}  // namespace
}  // namespace quillstone
