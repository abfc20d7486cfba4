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
  std::vector<std::uint32_t> masks{};     // inside headers of 52 bytes or more, else after the header
  std::vector<ColorValue> palette{};      // written B, G, R (and 0 unless the header is 12 bytes)
  std::vector<std::uint8_t> pixels{};     // stored rows as they go in the file
  std::optional<std::uint32_t> offset{};  // of the pixel data; default right after the palette

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
  return {.width = width, .height = height, .pixels = std::vector<std::uint8_t>(pixelBytes, 0x55)};
}

BmpFile Rle8(std::vector<std::uint8_t> codes, int width = 4, int height = 3, std::uint32_t compression = 1) {
  return {.width = width,
          .height = height,
          .bits = 8,
          .compression = compression,
          .palette = {kA, kB, kC, kD},
          .pixels = std::move(codes)};
}

// One pixel of 24 bits and its padding; two rows of two 8-bit indices and their padding.
const std::vector<std::uint8_t> kOnePixel(4, 0x55), kTwoPixels(8, 0x55);

const Refusal kRefusals[] = {
    {"width_70000", Rgb24(70000, 1, 16), "exceeds 65535 pixels per side"},
    {"topdown_height_70000", Rgb24(1, -70000, 16), "exceeds 65535 pixels per side"},
    {"over_2_28_pixels", Rgb24(20000, 20000, 16), "exceeds 2^28 pixels"},
    {"zero_width", Rgb24(0, 5, 16), "has no pixels"},
    {"pixel_data_short_by_one_byte", Rgb24(4, 4, 12 * 3 + 11), "cut short: the file holds 47 of 48 bytes"},
    {"palette_count_absurd",
     {.width = 2,
      .height = 2,
      .bits = 8,
      .colorsUsed = 0x10000000,
      .palette = {kA, kB},
      .pixels = kTwoPixels},
     "colour table of 268435456 entries"},
    {"no_colour_table",
     {.width = 2, .height = 2, .bits = 8, .pixels = std::vector<std::uint8_t>(2048, 0)},
     "no colour table"},
    {"bit_depth_7", {.bits = 7, .pixels = kOnePixel}, "unsupported bit depth 7"},
    {"rle4_with_8_bits", Rle8({0, 1}, 4, 3, 2), "RLE4 compression needs 4 bits"},
    {"rle_cut_inside_absolute_run", Rle8({0, 5, 1, 2}), "middle of a code"},
    {"rle_cut_inside_delta", Rle8({0, 2, 1}), "middle of a code"},
    {"mask_not_one_block",
     {.bits = 16, .compression = 3, .masks = {0x0F0F, 0x00F0, 0}, .pixels = kOnePixel},
     "not one block of bits"},
    {"masks_cut_short", {.bits = 16, .compression = 3, .masks = {0x7C00}}, "colour masks are cut short"},
    {"offset_beyond_the_file", {.pixels = kOnePixel, .offset = 1000}, "offset 1000 lies outside"},
    {"header_size_200", {.headerSize = 200, .pixels = kOnePixel}, "header size 200"},
    {"embedded_png", {.compression = 5, .pixels = kOnePixel}, "PNG"},
};

TEST(BmpDecode, RefusalsGiveTheirReasonAndLeaveTheTargetEmpty) {
  for (const Refusal& r : kRefusals) {
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
  RasterImage out;
  ASSERT_TRUE(Decode({.width = 3, .bits = 4, .palette = {kA, kB}, .pixels = {0x1F, 0x00, 0, 0}}, out).ok());
  EXPECT_EQ(out, Expected({"BkA"}));
}

TEST(BmpDecode, MaskedChannelsOfAnyWidthScaleByRounding) {
  // Channels of 3, 10 and 3 bits: r = 5 -> round(5 * 255 / 7) = 182, g = 512 ->
  // round(512 * 255 / 1023) = 128, b = 7 -> 255.
  const BmpFile file{
      .bits = 16, .compression = 3, .masks = {0xE000, 0x1FF8, 0x0007}, .pixels = {0x07, 0xB0, 0, 0}};
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
  ASSERT_TRUE(Decode(Rle8({1, 3}, 2, -2), out).ok());
  EXPECT_EQ(out, Expected({"DA", "AA"}));
}

}  // namespace
}  // namespace quillstone
