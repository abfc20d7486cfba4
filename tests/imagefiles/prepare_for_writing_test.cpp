#include <gtest/gtest.h>

#include "imagefiles/color_depth.h"
#include "imagefiles/output_file.h"
#include "imagefiles/sepia.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

TEST(PrepareForWriting, DepthAndSepiaTogether) {
  QUILLSTONE_REQUIRE_TOOL("pngcheck");
  const RasterImage original = testing::MakeGradientRaster(20, 10);
  RasterImage marked = original;
  RasterImage scratch;
  const SaveOptions options{.format = OutputFormat::kPng, .colorDepth = ColorDepth::kBits8, .sepia = true};
  testing::TempDir dir;
  const std::filesystem::path written = dir / "new_holiday.png";
  const StorageFormat format = PrepareForWriting(marked, scratch, options, PictureTurn{});
  ASSERT_TRUE(WriteOutputFile(marked, format, options, written).ok());
  const auto check = testing::RunTool("pngcheck -v " + testing::ShellQuote(written.string()));
  EXPECT_NE(check.output.find("8-bit palette"), std::string::npos) << check.output;

  // Every pixel: the sepia tone of the nearest halftone colour of the original pixel.
  RasterImage expected = original;
  ReduceColorDepth(expected, ColorDepth::kBits8);
  SepiaTone(expected);
  EXPECT_EQ(testing::FirstDifference(marked, expected), "");
  EXPECT_EQ(testing::FirstDifference(testing::ReadWithQt(written), expected), "");
}

TEST(PrepareForWriting, TurnsBackAndKeepsTheChosenDepth) {
  // Loaded with "Rotate 90 deg. clockwise", a 3 x 2 file became 2 x 3; saving turns it back.
  const RasterImage file =
      testing::MakeRaster({"wkk", "kkk"}, {{'w', colors::kWhite}, {'k', colors::kBlack}});
  RasterImage marked =
      testing::MakeRaster({"kw", "kk", "kk"}, {{'w', colors::kWhite}, {'k', colors::kBlack}});
  RasterImage scratch;
  const SaveOptions options{.format = OutputFormat::kBmp, .colorDepth = ColorDepth::kBits1};
  testing::TempDir dir;
  const StorageFormat format =
      PrepareForWriting(marked, scratch, options, LoadTurn(Orientation::kRotate90Clockwise, 1));
  ASSERT_TRUE(WriteOutputFile(marked, format, options, dir / "scan.bmp").ok());
  const auto bytes = testing::ReadBytes(dir / "scan.bmp");
  ASSERT_GE(bytes.size(), 30u);
  EXPECT_EQ(testing::Le16(bytes, 28), 1u) << "the turned-back image is still written at 1 bit";
  EXPECT_EQ(testing::FirstDifference(testing::ReadWithQt(dir / "scan.bmp"), file), "");
}

}  // namespace
}  // namespace quillstone
