#include "imagefiles/tiff_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "imagefiles/color_depth.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

using testing::Le16;
using testing::Le32;

struct Entry {
  std::uint32_t tag, type, count, value;
  friend bool operator==(const Entry&, const Entry&) = default;
};

using E = Entry;
using P = std::pair<std::size_t, Entry>;

std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "{" << e.tag << ", " << e.type << ", " << e.count << ", " << e.value << "}";
}

std::vector<Entry> ReadDirectory(const std::vector<std::uint8_t>& bytes) {
  const std::uint32_t at = Le32(bytes, 4);
  std::vector<Entry> entries;
  for (std::uint32_t i = 0; i < Le16(bytes, at); ++i) {
    const std::size_t e = at + 2 + 12 * i;
    entries.push_back({Le16(bytes, e), Le16(bytes, e + 2), Le32(bytes, e + 4), Le32(bytes, e + 8)});
  }
  return entries;
}

// The directory holds `count` entries, those at the given positions as expected.
void ExpectEntries(const std::vector<std::uint8_t>& bytes, std::size_t count,
                   const std::vector<std::pair<std::size_t, Entry>>& expected) {
  const std::vector<Entry> entries = ReadDirectory(bytes);
  ASSERT_EQ(entries.size(), count);
  for (const auto& [i, entry] : expected) EXPECT_EQ(entries[i], entry) << "entry " << i;
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t n) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(at),
          bytes.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

// tiffinfo (scripts/install-deps installs it) must read the file without errors and see its
// size, depth and software; the directory's tags must come in strictly ascending order.
std::vector<std::uint8_t> Written(RasterImage image, ColorDepth depth = ColorDepth::kBits24) {
  const StorageFormat format = ReduceColorDepth(image, depth);
  testing::TempDir dir;
  EXPECT_TRUE(WriteTiff(dir / "t.tif", image, format));
  const auto info = testing::RunTool("tiffinfo " + testing::ShellQuote((dir / "t.tif").string()));
  EXPECT_EQ(info.exitCode, 0) << info.output;
  for (const std::string& expected :
       {"Image Width: " + std::to_string(image.Width()) + " Image Length: " + std::to_string(image.Height()),
        "Bits/Sample: " + std::to_string(std::min(BitsPerPixel(depth), 8)),
        std::string("Software: Harrowfell")})
    EXPECT_NE(info.output.find(expected), std::string::npos) << info.output;
  EXPECT_EQ(info.output.find("Error"), std::string::npos) << info.output;
  const auto bytes = testing::ReadBytes(dir / "t.tif");
  const std::vector<Entry> entries = ReadDirectory(bytes);
  EXPECT_EQ(std::adjacent_find(entries.begin(), entries.end(),
                               [](const Entry& a, const Entry& b) { return a.tag >= b.tag; }),
            entries.end());
  return bytes;
}

TEST(TiffWriter, TwoByTwoRgbFileIsLaidOutExactly) {
  const auto bytes = Written(testing::MakeRaster(
      {"rg", "bw"}, {{'r', colors::kRed}, {'g', colors::kGreen}, {'b', colors::kBlue}, {'w', 0x00332211}}));
  ASSERT_EQ(bytes.size(), 238u);  // 40 + 12 pixel bytes + 2 + 15 * 12 + 4
  EXPECT_EQ(Slice(bytes, 0, 8), (std::vector<std::uint8_t>{'I', 'I', 42, 0, 52, 0, 0, 0}));
  EXPECT_EQ(Slice(bytes, 8, 16),
            (std::vector<std::uint8_t>{0x6D, 3, 0, 0, 10, 0, 0, 0, 0x6D, 3, 0, 0, 10, 0, 0, 0}));
  EXPECT_EQ(Slice(bytes, 24, 6), (std::vector<std::uint8_t>{8, 0, 8, 0, 8, 0}));
  EXPECT_EQ(std::string(bytes.begin() + 30, bytes.begin() + 40), "Harrowfell");
  // Top row first, red, green, blue.
  EXPECT_EQ(Slice(bytes, 40, 12),
            (std::vector<std::uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 0x11, 0x22, 0x33}));
  EXPECT_EQ(ReadDirectory(bytes),
            (std::vector<Entry>{E{254, 4, 1, 0}, E{256, 3, 1, 2}, E{257, 3, 1, 2}, E{258, 3, 3, 24},
                                E{259, 3, 1, 1}, E{262, 3, 1, 2}, E{273, 4, 1, 40}, E{277, 3, 1, 3},
                                E{278, 4, 1, 2}, E{279, 4, 1, 12}, E{282, 5, 1, 8}, E{283, 5, 1, 16},
                                E{284, 3, 1, 1}, E{296, 3, 1, 2}, E{305, 2, 10, 30}}));
  EXPECT_EQ(Le32(bytes, 234), 0u);  // no next directory
}

TEST(TiffWriter, ThirtyTwoBitsAreWrittenLikeTwentyFour) {
  const RasterImage image = testing::MakeGradientRaster(7, 3);
  EXPECT_EQ(Written(image), Written(image, ColorDepth::kBits32));
}

TEST(TiffWriter, EightBitPaletteLayout) {
  const auto bytes =
      Written(testing::MakeRaster({"rwk", "kkw"},
                                  {{'r', colors::kRed}, {'w', colors::kWhite}, {'k', colors::kBlack}}),
              ColorDepth::kBits8);
  // Colour map of 768 values at 8, then resolutions at 1544 and 1552, text at 1560,
  // strip of 2 rows of 3 indexes at 1570, directory at 1576.
  ASSERT_EQ(bytes.size(), 1576u + 2 + 15 * 12 + 4);
  EXPECT_EQ(Le32(bytes, 4), 1576u);
  const std::size_t redOfRed = 8 + 2 * 180, greenOfWhite = 8 + 2 * (256 + 215);
  EXPECT_EQ(Le16(bytes, redOfRed), 65280u);  // pure red is cube entry 36 * 5 = 180; 255 * 256
  EXPECT_EQ(Le16(bytes, greenOfWhite), 65280u);
  EXPECT_EQ(Le16(bytes, 8 + 2 * 216), 5u * 256);  // first extra grey
  EXPECT_EQ(Slice(bytes, 1570, 6), (std::vector<std::uint8_t>{180, 215, 0, 0, 0, 215}));
  ExpectEntries(bytes, 15,
                {P{3, {258, 3, 1, 8}}, P{5, {262, 3, 1, 3}}, P{6, {273, 4, 1, 1570}}, P{9, {279, 4, 1, 6}},
                 P{10, {282, 5, 1, 1544}}, P{13, {305, 2, 10, 1560}}, P{14, {320, 3, 768, 8}}});
}

TEST(TiffWriter, FourBitRowsKeepEveryColumn) {
  // 5 wide: 3 bytes per row, high nibble first, the last low nibble zero.
  const auto bytes =
      Written(testing::MakeRaster(
                  {"kwrbw"},
                  {{'r', colors::kRed}, {'w', colors::kWhite}, {'k', colors::kBlack}, {'b', colors::kBlue}}),
              ColorDepth::kBits4);
  const std::uint32_t strip = 8 + 96 + 16 + 10;
  EXPECT_EQ(Slice(bytes, strip, 3), (std::vector<std::uint8_t>{0x0F, 0x9C, 0xF0}));
  ExpectEntries(
      bytes, 15,
      {P{1, {256, 3, 1, 5}}, P{6, {273, 4, 1, strip}}, P{9, {279, 4, 1, 3}}, P{14, {320, 3, 48, 8}}});
}

TEST(TiffWriter, BilevelLayout) {
  // 10 x 2: rows of 2 bytes, most significant bit leftmost, white = 1.
  const auto bytes = Written(
      testing::MakeRaster({"wkwkkkkkww", "kkkkkkkkkw"}, {{'w', colors::kWhite}, {'k', colors::kBlack}}),
      ColorDepth::kBits1);
  ASSERT_EQ(bytes.size(), 8u + 4 + 16 + 10 + 2 + 14 * 12 + 4);
  EXPECT_EQ(Le32(bytes, 4), 38u);
  EXPECT_EQ(Slice(bytes, 8, 4), (std::vector<std::uint8_t>{0xA0, 0xC0, 0x00, 0x40}));
  // As the RGB directory, less the planar configuration, with one sample of one bit.
  ExpectEntries(bytes, 14,
                {P{1, {256, 3, 1, 10}}, P{3, {258, 3, 1, 1}}, P{5, {262, 3, 1, 1}}, P{6, {273, 4, 1, 8}},
                 P{7, {277, 3, 1, 1}}, P{9, {279, 4, 1, 4}}, P{12, {296, 3, 1, 2}}, P{13, {305, 2, 10, 28}}});
}

TEST(TiffWriter, EmptyImageIsRefusedAndWritesNothing) {
  testing::TempDir dir;
  const Status status = WriteTiff(dir / "e.tif", RasterImage());
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("empty"), std::string::npos);
  EXPECT_TRUE(testing::FolderEntries(dir.path()).empty());
}

}  // namespace
}  // namespace quillstone
