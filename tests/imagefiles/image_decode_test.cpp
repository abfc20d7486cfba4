#include <string>
#include <vector>

#include "imagefiles/image_decoder.h"
#include "imagefiles/jpeg_writer.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

// A 2 x 1 bitmap: red then green (24 bits, one row padded to 8 bytes).
const std::vector<std::uint8_t> kTinyBmpBytes = {
    'B', 'M', 62,  0, 0,   0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
    40,  0,   0,   0, 2,   0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,
    0,   0,   0,   0, 0,   0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,  // info header
    0,   0,   255, 0, 255, 0, 0, 0,                                        // pixels B, G, R
};
const std::string kTinyBmp(kTinyBmpBytes.begin(), kTinyBmpBytes.end());

using testing::WriteFile;

TEST(ImageFileKind, ComesFromTheExtensionInAnyLetterCase) {
  const std::pair<const char*, ImageFileKind> cases[] = {
      {"a.bmp", ImageFileKind::kBmp},         {"/x/A.BMP", ImageFileKind::kBmp},
      {"scan.Dib", ImageFileKind::kBmp},      {"IMG_1.JPG", ImageFileKind::kJpeg},
      {"p.jpeg", ImageFileKind::kJpeg},       {"p.tar.JPE", ImageFileKind::kJpeg},
      {"p.png", ImageFileKind::kPng},         {"p.Tif", ImageFileKind::kTiff},
      {"p.TIFF", ImageFileKind::kTiff},       {"p.webp", ImageFileKind::kWebp},
      {"p.gif", ImageFileKind::kUnknown},     {"jpg", ImageFileKind::kUnknown},
      {"dir.jpg/p", ImageFileKind::kUnknown}, {"p.jpg.txt", ImageFileKind::kUnknown},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(ImageFileKindFor(path), kind) << path;
}

TEST(DecodeImageFile, FailuresNameTheFileAndTheCause) {
  testing::TempDir dir;
  WriteFile(dir / "photo.JPG", kTinyBmp);  // a bitmap under a JPEG name
  WriteFile(dir / "tiny.gif", kTinyBmp);
  const std::pair<std::string, std::string> cases[] = {
      {"photo.JPG", "cannot decode photo.JPG: Not a JPEG file: starts with 0x42 0x4d"},
      {"missing.bmp", "cannot open missing.bmp: No such file or directory"},
      {"tiny.gif", "tiny.gif is not a BMP, JPEG, PNG, TIFF or WebP file"},
  };
  for (const auto& [name, message] : cases) {
    RasterImage out(5, 5);
    const Status status = DecodeImageFile(dir / name, out);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.message().substr(0, message.size()), message);
    EXPECT_TRUE(out.Empty()) << name;
  }
}

TEST(LoadLogoFile, KeepsTheCurrentLogoWhenTheFileCannotBeRead) {
  testing::TempDir dir;
  WriteFile(dir / "logo.bmp", kTinyBmp);
  WriteFile(dir / "broken.bmp", "BM\x01\x02\x03");
  RasterImage logo(3, 3, colors::kWhite);
  RasterImage untouched = logo;
  EXPECT_FALSE(LoadLogoFile(dir / "broken.bmp", logo, untouched).ok());
  EXPECT_EQ(logo, RasterImage(3, 3, colors::kWhite));
  EXPECT_EQ(untouched, logo);

  ASSERT_TRUE(LoadLogoFile(dir / "logo.bmp", logo, untouched).ok());
  EXPECT_EQ(logo.Width(), 2);
  EXPECT_EQ(untouched, logo);

  RasterImage texture(1, 1, colors::kWhite);
  EXPECT_FALSE(LoadTextureFile(dir / "logo.png", texture).ok());
  EXPECT_EQ(texture, RasterImage(1, 1, colors::kWhite));
  ASSERT_TRUE(LoadTextureFile(dir / "logo.bmp", texture).ok());
  EXPECT_EQ(texture, logo);
}

// The placeholder stands in for a JPEG only: an unreadable bitmap is a failure of its own.
// A JPEG cut short decodes to its full size with libjpeg's warning.
TEST(DecodeSourceImage, PlaceholderOnlyForJpegsAndDamageIsReported) {
  testing::TempDir dir;
  WriteFile(dir / "placeholder.bmp", kTinyBmp);
  WriteFile(dir / "broken.bmp", "BM\x01\x02\x03");
  WriteFile(dir / "broken.jpg", "none");
  ASSERT_TRUE(WriteJpeg(testing::MakeGradientRaster(256, 192), dir / "whole.jpg").ok());
  const std::string whole = testing::FileContents(dir / "whole.jpg");
  WriteFile(dir / "cut.jpg", whole.substr(0, whole.size() * 2 / 3));
  const struct {
    const char* name;
    bool ok;
    bool placeholder;
    int width;
    const char* damage;
  } cases[] = {
      {"broken.bmp", false, false, 0, ""},  {"broken.jpg", false, true, 2, ""},
      {"missing.jpg", false, false, 0, ""}, {"cut.jpg", true, false, 256, "Premature end of JPEG file"},
      {"whole.jpg", true, false, 256, ""},
  };
  for (const auto& c : cases) {
    RasterImage target(9, 9);
    const SourceImageRead read = DecodeSourceImage(dir / c.name, dir / "placeholder.bmp", target);
    EXPECT_EQ(read.status.ok(), c.ok) << c.name;
    EXPECT_EQ(read.placeholder, c.placeholder) << c.name;
    EXPECT_EQ(target.Width(), c.width) << c.name;
    EXPECT_EQ(read.damage, c.damage) << c.name;
  }
}

}  // namespace
}  // namespace quillstone
