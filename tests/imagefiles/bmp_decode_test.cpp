#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imagefiles/bmp_decoder.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

// A bitmap file built field by field, so that each test states exactly what it feeds in.
struct BmpFile {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::vector<std::uint32_t> masks;     // inside headers of 52 bytes or more, else after the header
  std::vector<ColorValue> palette;      // written B, G, R (and 0 unless the header is 12 bytes)
  std::vector<std::uint8_t> pixels;     // stored rows as they go in the file
  std::optional<std::uint32_t> offset;  // of the pixel data; default right after the palette

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> b;
    auto put16 = [&](std::uint32_t v) { b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); };
    auto put32 = [&](std::uint32_t v) {
      put16(v & 0xFFFF);
      put16(v >> 16);
    };
    b.insert(b.end(), {'B', 'M'});
    put32(0);  // file size, which readers ignore
    put32(0);
    put32(0);  // offset, patched below
    put32(headerSize);
    if (headerSize == 12) {
      put16(static_cast<std::uint32_t>(width));
      put16(static_cast<std::uint32_t>(height));
      put16(1);
      put16(bits);
    } else {
      put32(static_cast<std::uint32_t>(width));
      put32(static_cast<std::uint32_t>(height));
      put16(1);
      put16(bits);
      put32(compression);
      for (int i = 0; i < 3; ++i) put32(0);  // image size, resolution
      put32(colorsUsed);
      put32(0);
      for (std::size_t i = 0; i < masks.size() && headerSize >= 52 && i < 4; ++i) put32(masks[i]);
      b.resize(14 + headerSize);
      if (headerSize < 52) {
        for (std::uint32_t m : masks) put32(m);
      }
    }
    for (ColorValue c : palette) {
      const Rgb rgb = SplitColor(c);
      b.insert(b.end(), {rgb.b, rgb.g, rgb.r});
      if (headerSize != 12) b.push_back(0);
    }
    const std::uint32_t at = offset.value_or(static_cast<std::uint32_t>(b.size()));
    for (int i = 0; i < 4; ++i) b[10 + i] = static_cast<std::uint8_t>(at >> (8 * i));
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
  }
};

Status Decode(const BmpFile& file, RasterImage& out) {
  const std::vector<std::uint8_t> bytes = file.Bytes();
  return DecodeBmpMemory(bytes.data(), bytes.size(), out);
}

constexpr ColorValue kA = 0x00302010;  // r = 0x10, g = 0x20, b = 0x30
constexpr ColorValue kB = 0x00FFFFFF;
constexpr ColorValue kC = 0x000000FF;
constexpr ColorValue kD = 0x0000FF00;

// The picture a decode should give, one letter a pixel: A to D, or k for black.
RasterImage Expected(const std::vector<std::string>& rows) {
  return testing::MakeRaster(rows, {{'A', kA}, {'B', kB}, {'C', kC}, {'D', kD}, {'k', colors::kBlack}});
}

struct Refusal {
  std::string what;
  BmpFile file;
  std::string reason;  // a part of the message
};

BmpFile Rgb24(int width, int height, std::size_t pixelBytes) {
  BmpFile f;
  f.width = width;
  f.height = height;
  f.pixels.assign(pixelBytes, 0x55);
  return f;
}

BmpFile Rle8(std::vector<std::uint8_t> codes, int width = 4, int height = 3) {
  BmpFile f;
  f.width = width;
  f.height = height;
  f.bits = 8;
  f.compression = 1;
  f.palette = {kA, kB, kC, kD};
  f.pixels = std::move(codes);
  return f;
}

std::vector<Refusal> Refusals() {
  std::vector<Refusal> r;
  r.push_back({"width_70000", Rgb24(70000, 1, 16), "exceeds 65535 pixels per side"});
  r.push_back({"topdown_height_70000", Rgb24(1, -70000, 16), "exceeds 65535 pixels per side"});
  r.push_back({"over_2_28_pixels", Rgb24(20000, 20000, 16), "exceeds 2^28 pixels"});
  r.push_back({"zero_width", Rgb24(0, 5, 16), "has no pixels"});
  r.push_back(
      {"pixel_data_short_by_one_byte", Rgb24(4, 4, 12 * 3 + 11), "cut short: the file holds 47 of 48 bytes"});
  BmpFile absurdPalette = Rgb24(2, 2, 8);
  absurdPalette.bits = 8;
  absurdPalette.colorsUsed = 0x10000000;
  absurdPalette.palette = {kA, kB};
  r.push_back({"palette_count_absurd", absurdPalette, "colour table of 268435456 entries"});
  BmpFile noPalette = absurdPalette;
  noPalette.colorsUsed = 0;
  noPalette.palette.clear();
  noPalette.pixels.assign(2048, 0);
  r.push_back({"no_colour_table", noPalette, "no colour table"});
  BmpFile odd = Rgb24(1, 1, 4);
  odd.bits = 7;
  r.push_back({"bit_depth_7", odd, "unsupported bit depth 7"});
  BmpFile rleMismatch = Rle8({0, 1});
  rleMismatch.compression = 2;
  r.push_back({"rle4_with_8_bits", rleMismatch, "RLE4 compression needs 4 bits"});
  r.push_back({"rle_cut_inside_absolute_run", Rle8({0, 5, 1, 2}), "middle of a code"});
  r.push_back({"rle_cut_inside_delta", Rle8({0, 2, 1}), "middle of a code"});
  BmpFile split = Rgb24(1, 1, 4);
  split.bits = 16;
  split.compression = 3;
  split.masks = {0x0F0F, 0x00F0, 0};
  r.push_back({"mask_not_one_block", split, "not one block of bits"});
  BmpFile masksCut = split;
  masksCut.masks = {0x7C00};
  masksCut.pixels.clear();
  r.push_back({"masks_cut_short", masksCut, "colour masks are cut short"});
  BmpFile farOffset = Rgb24(1, 1, 4);
  farOffset.offset = 1000;
  r.push_back({"offset_beyond_the_file", farOffset, "offset 1000 lies outside"});
  BmpFile header200 = Rgb24(1, 1, 4);
  header200.headerSize = 200;
  r.push_back({"header_size_200", header200, "header size 200"});
  BmpFile png = Rgb24(1, 1, 4);
  png.compression = 5;
  r.push_back({"embedded_png", png, "PNG"});
  return r;
}

TEST(BmpDecode, RefusalsGiveTheirReasonAndLeaveTheTargetEmpty) {
  for (const Refusal& r : Refusals()) {
    SCOPED_TRACE(r.what);
    RasterImage out(2, 2);
    const Status status = Decode(r.file, out);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find(r.reason), std::string::npos) << status.message();
    EXPECT_TRUE(out.Empty());
  }
}

TEST(BmpDecode, EveryTruncationIsRefusedUnlessOnlyTheLastRowPaddingIsMissing) {
  BmpFile file = Rgb24(3, 2, 24);  // rows of 9 pixel bytes and 3 padding bytes
  std::vector<std::uint8_t> bytes = file.Bytes();
  RasterImage out;
  for (std::size_t length = 0; length <= bytes.size(); ++length) {
    const bool ok = DecodeBmpMemory(bytes.data(), length, out).ok();
    EXPECT_EQ(ok, length >= bytes.size() - 3) << "length " << length;
  }
}

TEST(BmpDecode, IndicesBeyondTheColourTableAreBlack) {
  BmpFile four;
  four.width = 3;
  four.bits = 4;
  four.palette = {kA, kB};
  four.pixels = {0x1F, 0x00, 0, 0};
  RasterImage out;
  ASSERT_TRUE(Decode(four, out).ok());
  EXPECT_EQ(out, Expected({"BkA"}));
}

TEST(BmpDecode, MaskedChannelsOfAnyWidthScaleByRounding) {
  BmpFile file;
  file.width = 1;
  file.bits = 16;
  file.compression = 3;
  file.masks = {0xE000, 0x1FF8, 0x0007};  // 3, 10 and 3 bits
  // r = 5 -> round(5 * 255 / 7) = 182, g = 512 -> round(512 * 255 / 1023) = 128, b = 7 -> 255.
  file.pixels = {0x07, 0xB0, 0, 0};
  RasterImage out;
  ASSERT_TRUE(Decode(file, out).ok());
  EXPECT_EQ(out.Pixel(0, 0), (Rgb{182, 128, 255}));
}

TEST(BmpDecode, Rle8RunsLiteralsMovesAndSkippedPixelsTakeEntryZero) {
  const BmpFile file = Rle8({
      2, 1, 0, 0,                    // bottom row: two of entry 1, end of line
      0, 3, 2, 3, 1, 0, 0, 2, 1, 1,  // middle row: literal 2 3 1 (padded), move right 1 and up 1
      5, 2, 0, 1,                    // top row from x = 4: a run beyond the edge; end of bitmap
  });
  RasterImage out;
  ASSERT_TRUE(Decode(file, out).ok());
  EXPECT_EQ(out, Expected({"AAAA", "CDBA", "BBAA"}));
}

TEST(BmpDecode, RleRunsAreCutAtTheRightEdgeAndAMoveBelowTheLastRowEndsThePicture) {
  RasterImage out;
  ASSERT_TRUE(Decode(Rle8({5, 2, 0, 0, 0, 2, 0, 9, 3, 3}, 2, 2), out).ok());
  EXPECT_EQ(out, Expected({"AA", "CC"}));
  // Data that stops after a whole code, without an end code, leaves the rest at entry 0.
  BmpFile topDown = Rle8({1, 3}, 2, -2);
  ASSERT_TRUE(Decode(topDown, out).ok());
  EXPECT_EQ(out, Expected({"DA", "AA"}));
}

}  // namespace
}  // namespace quillstone
