#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imagefiles/image_decoder.h"
#include "support/decoded_file.h"
#include "support/picture_files.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::PngLayout;

// Two pixels: orange at half alpha, then blue fully transparent.
const RasterImage kTwoPixels =
    testing::MakeRaster({"ob"}, {{'o', MakeColor(200, 100, 0)}, {'b', MakeColor(10, 20, 30)}});
const std::vector<std::uint8_t> kTwoAlphas = {128, 0};

// Onto white: c * a / 255 + 255 - a, rounded. Orange at 128: 200 -> 227.4, 100 -> 177.2,
// 0 -> 127.0; the transparent pixel is white whatever its colour. The grey file stores the
// green channel, 100, which libtiff hands over as stored (its RGB colours it multiplies by
// their alpha).
TEST(PictureDecode, AlphaIsCompositedOntoWhiteUnlessAskedFor) {
  testing::TempDir dir;
  testing::WriteTestPng(dir / "rgba.png", kTwoPixels, PngLayout::kRgb8, kTwoAlphas);
  testing::WriteTestPng(dir / "trns.png", kTwoPixels, PngLayout::kPalette, kTwoAlphas);
  testing::WriteTestTiff(dir / "rgba.tif", kTwoPixels, 8, false, COMPRESSION_NONE, kTwoAlphas);
  testing::WriteTestTiff(dir / "greya.tif", kTwoPixels, 8, false, COMPRESSION_NONE, kTwoAlphas, true);
  testing::WriteTestWebp(dir / "rgba.webp", kTwoPixels, true, kTwoAlphas);
  for (const std::string name : {"rgba.png", "trns.png", "rgba.tif", "greya.tif", "rgba.webp"}) {
    SCOPED_TRACE(name);
    RasterImage out;
    ASSERT_TRUE(DecodeImageFile(dir / name, out).ok());
    const bool grey = name.starts_with("grey");
    EXPECT_EQ(out.Pixel(0, 0), (grey ? Rgb{177, 177, 177} : Rgb{227, 177, 127}));
    EXPECT_EQ(out.Pixel(1, 0), (Rgb{255, 255, 255}));

    DecodeExtras extras;
    extras.wantAlpha = true;
    ASSERT_TRUE(DecodeImageFile(dir / name, out, &extras).ok());
    EXPECT_EQ(extras.alpha, kTwoAlphas);
    // TIFF colours come back from libtiff multiplied by their alpha: one step may be lost.
    const Rgb orange = out.Pixel(0, 0);
    EXPECT_NEAR(orange.r, grey ? 100 : 200, 1);
    EXPECT_NEAR(orange.g, 100, 1);
    EXPECT_EQ(orange.b, grey ? 100 : 0);
  }
  // An opaque picture gives no alpha.
  testing::WriteTestPng(dir / "opaque.png", kTwoPixels, PngLayout::kRgb8);
  RasterImage out;
  DecodeExtras extras;
  extras.wantAlpha = true;
  extras.alpha = {1, 2, 3};
  ASSERT_TRUE(DecodeImageFile(dir / "opaque.png", out, &extras).ok());
  EXPECT_TRUE(extras.alpha.empty());
  EXPECT_EQ(out, kTwoPixels);
}

// An ancillary chunk with a bad checksum is skipped: the picture decodes, and libpng's
// warning is carried out as damage.
TEST(PictureDecode, PngWarningIsCarriedOutAsDamage) {
  testing::TempDir dir;
  testing::WriteTestPng(dir / "whole.png", kTwoPixels, PngLayout::kRgb8);
  std::string bytes = testing::FileContents(dir / "whole.png");
  const std::string badText("\0\0\0\3tEXta\0b\0\0\0\0", 15);  // length, type, data, wrong CRC
  bytes.insert(33, badText);                                  // after the signature and IHDR
  testing::WriteFile(dir / "damaged.png", bytes);
  RasterImage out;
  DecodeExtras extras;
  ASSERT_TRUE(DecodeImageFile(dir / "damaged.png", out, &extras).ok());
  EXPECT_EQ(out, kTwoPixels);
  EXPECT_NE(extras.damage.find("CRC"), std::string::npos) << extras.damage;
}

// Each kind decodes to its picture (the TIFF in tiles that overhang the right and bottom
// edges); cut in half, or another kind under the name, it fails with the decoder's reason
// and leaves the raster empty.
TEST(PictureDecode, WholeFilesDecodeAndTruncatedAndForeignOnesFailWithAReason) {
  testing::TempDir dir;
  const RasterImage picture = testing::MakeNoiseRaster(40, 30);
  testing::WriteTestPng(dir / "whole.png", picture, PngLayout::kRgb8);
  testing::WriteTestTiff(dir / "whole.tif", picture, 8, true, COMPRESSION_ADOBE_DEFLATE);
  testing::WriteTestWebp(dir / "whole.webp", picture, true);
  const struct {
    const char* kind;
    const char* truncatedReason;
    const char* foreignReason;
  } cases[] = {
      {"png", "the PNG data ends before the image does", "not a PNG file"},
      {"tif", "TIFF", "not a TIFF file"},
      {"webp", "the WebP data", "not a WebP file"},
  };
  const std::string bitmap = "BM" + std::string(200, '\0');
  for (const auto& c : cases) {
    EXPECT_EQ(testing::Decoded(dir / (std::string("whole.") + c.kind)), picture) << c.kind;
    const std::string whole = testing::FileContents(dir / (std::string("whole.") + c.kind));
    const std::string truncated = std::string("truncated.") + c.kind;
    const std::string foreign = std::string("foreign.") + c.kind;
    testing::WriteFile(dir / truncated, whole.substr(0, whole.size() / 2));
    testing::WriteFile(dir / foreign, bitmap);
    for (const auto& [name, reason] :
         {std::pair{truncated, c.truncatedReason}, std::pair{foreign, c.foreignReason}}) {
      RasterImage out(4, 4);
      const Status status = DecodeImageFile(dir / name, out);
      EXPECT_FALSE(status.ok()) << name;
      EXPECT_NE(status.message().find("cannot decode " + name + ": " + reason), std::string::npos)
          << status.message();
      EXPECT_TRUE(out.Empty()) << name;
    }
  }
}

}  // namespace
}  // namespace quillstone
