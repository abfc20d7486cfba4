#include "imagefiles/bmp_writer.h"

#include <gtest/gtest.h>

#include "imagefiles/color_depth.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

using testing::Le16;
using testing::Le32;

// Written at each depth and read back by Qt's own BMP reader, the picture is the reduced
// image pixel for pixel; the headers carry the depth, the palette and the padded sizes.
TEST(BmpWriter, ReadsBackAsTheReducedImage) {
  using enum ColorDepth;
  testing::TempDir dir;
  const auto path = dir / "out.bmp";
  for (const auto& [depth, width] : {std::pair{kBits1, 1},
                                     {kBits1, 9},
                                     {kBits4, 3},
                                     {kBits4, 5},
                                     {kBits8, 5},
                                     {kBits8, 8},
                                     {kBits24, 1},
                                     {kBits24, 5},
                                     {kBits32, 3}}) {
    const int bits = BitsPerPixel(depth);
    SCOPED_TRACE(std::to_string(bits) + " bits, " + std::to_string(width) + " wide");
    const int height = 3;
    RasterImage image = testing::MakeGradientRaster(width, height);
    for (int x = 0; x < width; ++x) image.SetPixel(x, 0, Rgb{static_cast<std::uint8_t>(x * 40), 255, 0});
    const StorageFormat format = ReduceColorDepth(image, depth);
    ASSERT_TRUE(WriteBmp(image, path, format));

    const std::uint32_t stride = (width * bits + 31) / 32 * 4;
    const std::uint32_t paletteBytes = bits <= 8 ? 4u << bits : 0;
    const auto bytes = testing::ReadBytes(path);
    ASSERT_EQ(bytes.size(), 54 + paletteBytes + stride * height);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(Le32(bytes, 2), bytes.size());
    EXPECT_EQ(Le32(bytes, 10), 54 + paletteBytes);                   // pixel data offset
    EXPECT_EQ(Le32(bytes, 22), static_cast<std::uint32_t>(height));  // positive: bottom row first
    EXPECT_EQ(Le16(bytes, 28), static_cast<std::uint32_t>(bits));
    EXPECT_EQ(Le32(bytes, 34), stride * height);
    for (std::size_t i = 0; i < format.palette.size(); ++i) {
      const Rgb& c = format.palette[i];
      EXPECT_EQ(Le32(bytes, 54 + 4 * i),
                std::uint32_t{c.b} | std::uint32_t{c.g} << 8 | std::uint32_t{c.r} << 16);
    }

    EXPECT_EQ(testing::FirstDifference(testing::ReadWithQt(path, "BMP"), image), "");
  }
}

TEST(BmpWriter, BottomRowComesFirstAndPaddingIsZero) {
  // 1 x 2 at 24 bits: rows of 3 pixel bytes and one padding byte, bottom row first.
  RasterImage image = testing::MakeRaster({"r", "b"}, {{'r', colors::kRed}, {'b', colors::kBlue}});
  image.Row(0)[3] = 0xAA;  // garbage in the raster's own padding must not reach the file
  testing::TempDir dir;
  ASSERT_TRUE(WriteBmp(image, dir / "a.bmp"));
  const auto bytes = testing::ReadBytes(dir / "a.bmp");
  ASSERT_EQ(bytes.size(), 54u + 8u);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 54, bytes.end()),
            (std::vector<std::uint8_t>{255, 0, 0, 0, 0, 0, 255, 0}));
}

}  // namespace
}  // namespace quillstone
