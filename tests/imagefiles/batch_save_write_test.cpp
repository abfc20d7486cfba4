#include <gtest/gtest.h>

#include <QImage>

#include "imagefiles/batch_save.h"
#include "imagefiles/color_depth.h"
#include "imagefiles/sepia.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

RasterImage ReadBack(const std::filesystem::path& path) {
  QImage decoded;
  EXPECT_TRUE(decoded.load(QString::fromStdString(path.string()))) << path;
  return testing::FromQImage(decoded);
}

TEST(SaveBatchItem, DepthSepiaAndNameTogether) {
  QUILLSTONE_REQUIRE_TOOL("pngcheck");
  const RasterImage original = testing::MakeGradientRaster(20, 10);
  RasterImage marked = original;
  RasterImage scratch;
  SaveOptions options;
  options.format = OutputFormat::kPng;
  options.colorDepth = ColorDepth::kBits8;
  options.sepia = true;
  testing::TempDir dir;
  std::filesystem::path written;
  ASSERT_TRUE(SaveBatchItem(marked, scratch, options, Orientation::kUnrotated, dir.path(), "new_",
                            "holiday.JPEG", &written));
  EXPECT_EQ(written, dir / "new_holiday.png");
  EXPECT_EQ(testing::FolderEntries(dir.path()), std::vector<std::string>{"new_holiday.png"});
  const auto check = testing::RunTool("pngcheck -v " + testing::ShellQuote(written.string()));
  EXPECT_NE(check.output.find("8-bit palette"), std::string::npos) << check.output;

  // Every pixel: the sepia tone of the nearest halftone colour of the original pixel.
  RasterImage expected = original;
  ReduceColorDepth(expected, ColorDepth::kBits8);
  SepiaTone(expected);
  EXPECT_EQ(testing::FirstDifference(marked, expected), "");
  EXPECT_EQ(testing::FirstDifference(ReadBack(written), expected), "");
}

TEST(SaveBatchItem, TurnsBackAndKeepsTheChosenDepth) {
  // Loaded with "Rotate 90 deg. clockwise", a 3 x 2 file became 2 x 3; saving turns it back.
  const RasterImage file =
      testing::MakeRaster({"wkk", "kkk"}, {{'w', colors::kWhite}, {'k', colors::kBlack}});
  RasterImage marked =
      testing::MakeRaster({"kw", "kk", "kk"}, {{'w', colors::kWhite}, {'k', colors::kBlack}});
  RasterImage scratch;
  SaveOptions options;
  options.format = OutputFormat::kBmp;
  options.colorDepth = ColorDepth::kBits1;
  testing::TempDir dir;
  ASSERT_TRUE(
      SaveBatchItem(marked, scratch, options, Orientation::kRotate90Clockwise, dir.path(), "", "scan.jpg"));
  const auto bytes = testing::ReadBytes(dir / "scan.bmp");
  ASSERT_GE(bytes.size(), 30u);
  EXPECT_EQ(testing::Le16(bytes, 28), 1u) << "the turned-back image is still written at 1 bit";
  EXPECT_EQ(testing::FirstDifference(ReadBack(dir / "scan.bmp"), file), "");
}

TEST(SaveBatchItem, BadPrefixChangesNothing) {
  RasterImage marked = testing::MakeGradientRaster(6, 4);
  const RasterImage before = marked;
  RasterImage scratch;
  SaveOptions options;
  options.sepia = true;
  options.colorDepth = ColorDepth::kBits4;
  testing::TempDir dir;
  const Status status =
      SaveBatchItem(marked, scratch, options, Orientation::kRotate180Clockwise, dir.path(), "../", "a.jpg");
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("outside the destination"), std::string::npos) << status.message();
  EXPECT_TRUE(marked == before);
  EXPECT_TRUE(testing::FolderEntries(dir.path()).empty());
  EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "a.jpg"));
}

TEST(SaveBatchItem, MissingDestinationIsReported) {
  RasterImage marked = testing::MakeGradientRaster(6, 4);
  RasterImage scratch;
  testing::TempDir dir;
  const Status status =
      SaveBatchItem(marked, scratch, SaveOptions{}, Orientation::kUnrotated, dir / "gone", "x_", "a.bmp");
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find((dir / "gone" / "x_a.jpg").string()), std::string::npos)
      << status.message();
}

}  // namespace
}  // namespace quillstone
