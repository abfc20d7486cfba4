#include <gtest/gtest.h>

#include "imagefiles/jpeg_preview.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

constexpr ColorValue kPane = 0x00F0F0F0;

TEST(JpegPreview, CropTakesTheSquareAtTheOffsetsOrTheSmallImageOnTheBackground) {
  const RasterImage image = testing::MakeGradientRaster(200, 150);
  RasterImage crop;
  CropForJpegPreview(image, 10, 20, kPane, crop);
  ASSERT_EQ(testing::SizeOf(crop), std::pair(96, 96));
  EXPECT_EQ(crop.Pixel(0, 0), image.Pixel(10, 20));
  EXPECT_EQ(crop.Pixel(95, 95), image.Pixel(105, 115));
  // Offsets beyond the slider maxima (104, 54) are held there.
  EXPECT_EQ(JpegPreviewMaxOffset(200), 104);
  CropForJpegPreview(image, 500, 500, kPane, crop);
  EXPECT_EQ(crop.Pixel(0, 0), image.Pixel(104, 54));
  EXPECT_EQ(crop.Pixel(95, 95), image.Pixel(199, 149));
  // A small image sits top left on the background.
  const RasterImage small = testing::MakeGradientRaster(50, 40);
  EXPECT_EQ(JpegPreviewMaxOffset(50), 0);
  CropForJpegPreview(small, 7, 3, kPane, crop);
  EXPECT_EQ(crop, testing::Framed(small, 0, 0, 46, 56, kPane));
}

TEST(JpegPreview, RoundTripShowsWhatTheFileWouldShow) {
  RasterImage crop;
  CropForJpegPreview(testing::MakeGradientRaster(120, 120), 0, 0, kPane, crop);
  RasterImage decoded;
  std::vector<std::uint8_t> buffer;
  ASSERT_TRUE(JpegRoundTrip(crop, JpegOptions{90, false, false}, decoded, buffer));
  const std::size_t size90 = buffer.size();
  const int worst = testing::LargestDifference(crop, decoded);
  EXPECT_LE(worst, 12);
  EXPECT_GT(worst, 0) << "the picture went through the lossy codec";

  ASSERT_TRUE(JpegRoundTrip(crop, JpegOptions{10, false, false}, decoded, buffer));
  EXPECT_LT(buffer.size(), size90);

  ASSERT_TRUE(JpegRoundTrip(crop, JpegOptions{50, true, true}, decoded, buffer));
  const Rgb grey = decoded.Pixel(40, 30);
  EXPECT_TRUE(grey.r == grey.g && grey.g == grey.b) << testing::Describe(grey);
}

}  // namespace
}  // namespace quillstone
