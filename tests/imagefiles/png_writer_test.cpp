#include "imagefiles/png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "imagefiles/color_depth.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

using testing::Be32;

struct PngFile {
  std::uint32_t width = 0, height = 0;
  int bitDepth = 0, colorType = 0, interlace = -1;
  std::size_t paletteEntries = 0;
  std::vector<std::uint8_t> zlibStream;  // the IDAT chunks joined
};

PngFile ParsePng(const std::vector<std::uint8_t>& bytes) {
  PngFile png;
  std::size_t at = 8;
  while (at + 12 <= bytes.size()) {
    const std::uint32_t length = Be32(bytes, at);
    const std::string type(bytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
                           bytes.begin() + static_cast<std::ptrdiff_t>(at + 8));
    const auto data = bytes.begin() + static_cast<std::ptrdiff_t>(at + 8);
    if (type == "IHDR") {
      png.width = Be32(bytes, at + 8);
      png.height = Be32(bytes, at + 12);
      png.bitDepth = data[8];
      png.colorType = data[9];
      png.interlace = data[12];
    } else if (type == "PLTE") {
      png.paletteEntries = length / 3;
    } else if (type == "IDAT") {
      png.zlibStream.insert(png.zlibStream.end(), data, data + length);
    }
    at += 12 + length;
  }
  return png;
}

// The filter type byte at the start of every row of the inflated image data.
std::vector<int> RowFilters(const PngFile& png) {
  const int channels = png.colorType == 2 ? 3 : 1;
  const std::size_t rowBytes = (png.width * png.bitDepth * channels + 7) / 8;
  std::vector<std::uint8_t> raw((rowBytes + 1) * png.height);
  uLongf rawSize = raw.size();
  EXPECT_EQ(uncompress(raw.data(), &rawSize, png.zlibStream.data(), png.zlibStream.size()), Z_OK);
  EXPECT_EQ(rawSize, raw.size());
  std::vector<int> filters;
  for (std::uint32_t y = 0; y < png.height; ++y) filters.push_back(raw[y * (rowBytes + 1)]);
  return filters;
}

void CheckWithPngcheck(const std::filesystem::path& path) {
  QUILLSTONE_REQUIRE_TOOL("pngcheck");
  const auto run = testing::RunTool("pngcheck -v " + testing::ShellQuote(path.string()));
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("No errors detected"), std::string::npos) << run.output;
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
      CheckWithPngcheck(path);

      const PngFile png = ParsePng(testing::ReadBytes(path));
      EXPECT_EQ(png.interlace, 0);
      const int bits = BitsPerPixel(depth);
      EXPECT_EQ(png.colorType, bits <= 8 ? 3 : 2);
      EXPECT_EQ(png.bitDepth, bits <= 8 ? bits : 8);
      EXPECT_EQ(png.paletteEntries, format.palette.size());
      EXPECT_EQ(RowFilters(png), std::vector<int>(6, type));

      EXPECT_EQ(testing::FirstDifference(testing::ReadWithQt(path, "PNG"), image), "");
    }
  }
}

TEST(PngWriter, BestLetsTheEncoderChoosePerRow) {
  const RasterImage image = testing::MakeGradientRaster(64, 16);
  testing::TempDir dir;
  ASSERT_TRUE(WritePng(image, dir / "b.png", PngOptions{PngFilter::kBest, 9}));
  CheckWithPngcheck(dir / "b.png");
  const std::vector<int> filters = RowFilters(ParsePng(testing::ReadBytes(dir / "b.png")));
  EXPECT_TRUE(std::all_of(filters.begin(), filters.end(), [](int f) { return f >= 0 && f <= 4; }));
  // A smooth gradient compresses better with a predicting filter than with none.
  EXPECT_TRUE(std::any_of(filters.begin(), filters.end(), [](int f) { return f != 0; }));
}

TEST(PngWriter, CompressionLevelReachesDeflate) {
  const RasterImage image = testing::MakeGradientRaster(32, 8);
  testing::TempDir dir;
  // The zlib header's FLEVEL field: 0 for level 1, 1 for 2..5, 3 for 7..9.
  for (const auto& [level, flevel] : std::vector<std::pair<int, int>>{{1, 0}, {4, 1}, {9, 3}}) {
    ASSERT_TRUE(WritePng(image, dir / "l.png", PngOptions{PngFilter::kNone, level}));
    const PngFile png = ParsePng(testing::ReadBytes(dir / "l.png"));
    ASSERT_GE(png.zlibStream.size(), 2u);
    EXPECT_EQ(png.zlibStream[1] >> 6, flevel) << "level " << level;
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
