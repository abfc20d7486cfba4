#include "imagefiles/png_writer.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "imagefiles/color_depth.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

// pngcheck's verbose report (scripts/install-deps installs pngcheck): it must find no
// errors, and it lists the header, the palette, the compression level and each row's filter.
std::string PngcheckReport(const std::filesystem::path& path) {
  const auto run = testing::RunTool("pngcheck -vv " + testing::ShellQuote(path.string()));
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("No errors detected"), std::string::npos) << run.output;
  return run.output;
}

// The filter types of the rows as pngcheck lists them.
std::vector<int> RowFilters(const std::string& report) {
  const std::size_t from = report.find("paeth):") + 7;
  std::istringstream list(report.substr(from, report.find('(', from) - from));
  return {std::istream_iterator<int>(list), std::istream_iterator<int>()};
}

// Every row of a single-filter file carries that filter; the file passes pngcheck and
// decodes to the reduced picture.
TEST(PngWriter, EveryRowUsesTheChosenFilter) {
  const std::pair<PngFilter, int> filters[] = {{PngFilter::kNone, 0},
                                               {PngFilter::kSub, 1},
                                               {PngFilter::kUp, 2},
                                               {PngFilter::kAverage, 3},
                                               {PngFilter::kPaeth, 4}};
  testing::TempDir dir;
  const auto path = dir / "f.png";
  for (const auto& [filter, type] : filters) {
    for (const ColorDepth depth : {ColorDepth::kBits1, ColorDepth::kBits4, ColorDepth::kBits8,
                                   ColorDepth::kBits24, ColorDepth::kBits32}) {
      SCOPED_TRACE("filter " + std::to_string(type) + ", " + std::to_string(BitsPerPixel(depth)) + " bits");
      RasterImage image = testing::MakeGradientRaster(13, 6);
      const StorageFormat format = ReduceColorDepth(image, depth);
      ASSERT_TRUE(WritePng(image, path, PngOptions{filter, 6}, format));
      const std::string report = PngcheckReport(path);
      const int bits = BitsPerPixel(depth);
      const std::string header = bits <= 8 ? std::to_string(bits) + "-bit palette" : "24-bit RGB";
      EXPECT_NE(report.find("13 x 6 image, " + header + ", non-interlaced"), std::string::npos) << report;
      const std::string palette =
          bits <= 8 ? ": " + std::to_string(format.palette.size()) + " palette entries" : "PLTE";
      EXPECT_EQ(report.find(palette) != std::string::npos, bits <= 8) << report;
      EXPECT_EQ(RowFilters(report), std::vector<int>(6, type)) << report;

      EXPECT_EQ(testing::FirstDifference(testing::ReadWithQt(path, "PNG"), image), "");
    }
  }
}

TEST(PngWriter, BestLetsTheEncoderChoosePerRow) {
  const RasterImage image = testing::MakeGradientRaster(64, 16);
  testing::TempDir dir;
  ASSERT_TRUE(WritePng(image, dir / "b.png", PngOptions{PngFilter::kBest, 9}));
  const std::vector<int> filters = RowFilters(PngcheckReport(dir / "b.png"));
  ASSERT_EQ(filters.size(), 16u);
  EXPECT_TRUE(std::all_of(filters.begin(), filters.end(), [](int f) { return f >= 0 && f <= 4; }));
  // A smooth gradient compresses better with a predicting filter than with none.
  EXPECT_TRUE(std::any_of(filters.begin(), filters.end(), [](int f) { return f != 0; }));
}

TEST(PngWriter, CompressionLevelReachesDeflate) {
  const RasterImage image = testing::MakeGradientRaster(32, 8);
  testing::TempDir dir;
  // The zlib header's level field, as pngcheck names it: 0 for level 1, 1 for 2..5, 3 for 7..9.
  for (const auto& [level, name] :
       std::vector<std::pair<int, std::string>>{{1, "superfast"}, {4, "fast"}, {9, "maximum"}}) {
    ASSERT_TRUE(WritePng(image, dir / "l.png", PngOptions{PngFilter::kNone, level}));
    EXPECT_NE(PngcheckReport(dir / "l.png").find("window, " + name + " compression"), std::string::npos)
        << "level " << level;
  }
  for (int level : {0, 10}) {
    const Status status = WritePng(image, dir / "bad.png", PngOptions{PngFilter::kNone, level});
    EXPECT_FALSE(status);
    EXPECT_NE(status.message().find("outside 1..9"), std::string::npos) << status.message();
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.png"));
}

}  // namespace
}  // namespace quillstone
