#include <gtest/gtest.h>

#include <QColorSpace>
#include <QImage>
#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/mark_file.h"
#include "effects/image_effects.h"
#include "imagefiles/bmp_writer.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/jpeg_writer.h"
#include "imagefiles/writer_test_tools.h"
#include "support/decoded_file.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::TempDir;

// A whole display profile, with the tags readers expect, made by another library: Qt's sRGB.
std::string Profile() {
  return QColorSpace(QColorSpace::SRgb).iccProfile().toStdString();
}

// Writes a JPEG of `picture` whose metadata the camera and the photographer set, through
// exiv2 itself rather than the program's own writer.
void WriteCameraJpeg(const RasterImage& picture, const std::filesystem::path& path, int orientation,
                     bool withProfile = false) {
  ASSERT_TRUE(WriteJpeg(picture, path, {100, false, false}));
  auto image = Exiv2::ImageFactory::open(path.string());
  image->readMetadata();
  Exiv2::ExifData& exif = image->exifData();
  exif["Exif.Image.Artist"] = "Ada Photographer";
  exif["Exif.Image.Copyright"] = "(c) 2026 Ada Photographer";
  exif["Exif.Photo.DateTimeOriginal"] = "2026:05:04 10:11:12";
  exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
  Exiv2::URationalValue latitude;
  latitude.read("48/1 51/1 30/1");
  exif.add(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude"), &latitude);
  exif["Exif.Image.Orientation"] = static_cast<std::uint16_t>(orientation);
  exif["Exif.Photo.PixelXDimension"] = static_cast<std::uint32_t>(picture.Width());
  image->xmpData()["Xmp.dc.rights"] = "All rights reserved";
  image->iptcData()["Iptc.Application2.Byline"] = "Ada Photographer";
  std::vector<std::uint8_t> thumbnail;
  ASSERT_TRUE(EncodeJpeg(RasterImage(8, 8), {}, thumbnail));
  Exiv2::ExifThumb(exif).setJpegThumbnail(thumbnail.data(), static_cast<long>(thumbnail.size()));
  image->writeMetadata();
  if (!withProfile) return;
  // The profile through exiftool, a writer of its own.
  const std::filesystem::path profile = path.parent_path() / "profile.icc";
  testing::WriteFile(profile, Profile());
  ASSERT_EQ(testing::RunTool("exiftool -q -overwrite_original '-ICC_Profile<=" + profile.string() + "' " +
                             testing::ShellQuote(path.string()))
                .exitCode,
            0);
}

class PhotoFilesTest : public ::testing::Test {
 protected:
  PhotoFilesTest() { settings_.watermark.frame = {.outerOn = false, .innerOn = false}; }

  MarkResult Mark(const std::filesystem::path& source, const std::filesystem::path& output, SaveOptions save,
                  int previewSide = 0) {
    const MarkInput input{settings_, logo_, none_, text_, locale_, macro_, logoAlpha_};
    const MarkFileRequest request{.source = source,
                                  .output = output,
                                  .save = save,
                                  .previewWidth = previewSide,
                                  .previewHeight = previewSide};
    RandomSource random(1);
    MarkBuffers buffers;
    return MarkFile(input, request, random, buffers);
  }

  static std::string ExifTool(const std::filesystem::path& file) {
    return testing::RunTool("exiftool -s -G1 -a " + testing::ShellQuote(file.string())).output;
  }

  // The metadata the program's own reader finds in the file.
  static ImageMetadata MetadataOf(const std::filesystem::path& file) {
    const std::string bytes = testing::FileContents(file);
    return ReadImageMetadata(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  TempDir temp_;
  ProgramSettings settings_;
  RasterImage none_;
  RasterImage logo_;
  std::vector<std::uint8_t> logoAlpha_;
  std::vector<EffectCall> macro_;
  std::vector<std::string> text_;
  LocaleInfo locale_;
};

// A photo turned upright keeps the photographer's tags in every format that carries them,
// read back by an outside reader; its orientation becomes 1 and its thumbnail goes.
TEST_F(PhotoFilesTest, TagsProfileAndOrientationSurviveInEveryFormatThatCarriesThem) {
  QUILLSTONE_REQUIRE_TOOL("exiftool");
  const std::filesystem::path source = temp_ / "portrait.jpg";
  WriteCameraJpeg(testing::MakeGradientRaster(32, 16), source, 6, true);
  // Each file also passes its format's own checker.
  struct Output {
    OutputFormat format;
    const char* name;
    const char* checker;
  };
  for (const auto& [format, name, checker] :
       {Output{OutputFormat::kJpeg, "out.jpg", "djpeg -fast -outfile /dev/null"},
        Output{OutputFormat::kPng, "out.png", "pngcheck"},
        Output{OutputFormat::kTiff, "out.tif", "tiffinfo -D"},
        Output{OutputFormat::kWebp, "out.webp", "webpmux -info"}}) {
    const MarkResult result = Mark(source, temp_ / name, {.format = format});
    ASSERT_EQ(result.outcome, MarkOutcome::kWritten) << name << ": " << result.message;
    const std::string tags = ExifTool(temp_ / name);
    for (const char* expected :
         {"Ada Photographer", "(c) 2026 Ada Photographer", "2026:05:04 10:11:12", "GPSLatitude",
          "All rights reserved", "Orientation                     : Horizontal (normal)",
          "Software                        : Quillstone"})
      EXPECT_NE(tags.find(expected), std::string::npos) << name << " lacks " << expected << "\n" << tags;
    EXPECT_EQ(tags.find("ThumbnailImage"), std::string::npos) << name;
    const testing::ToolRun check =
        testing::RunTool(std::string(checker) + " " + testing::ShellQuote((temp_ / name).string()));
    EXPECT_EQ(check.exitCode, 0) << name << "\n" << check.output;
    const ImageMetadata read = MetadataOf(temp_ / name);
    EXPECT_EQ(read.icc, Profile()) << name;
    EXPECT_EQ(read.orientation, 1) << name;
    RasterImage written;
    DecodeExtras extras;
    ASSERT_TRUE(DecodeImageFile(temp_ / name, written, &extras)) << name;
    EXPECT_EQ(written.Width(), 16) << name;
    EXPECT_EQ(extras.damage, "") << name;
  }
  // The IPTC byline is kept where the format has a place for it.
  EXPECT_NE(ExifTool(temp_ / "out.jpg").find("By-line"), std::string::npos);

  // Stripped, nothing of it is left; unturned and turned back, the camera's orientation stays.
  ASSERT_EQ(Mark(source, temp_ / "bare.jpg", {.stripMetadata = true}).outcome, MarkOutcome::kWritten);
  const std::string bare = ExifTool(temp_ / "bare.jpg");
  for (const char* gone : {"Ada", "Orientation", "ICC", "All rights"})
    EXPECT_EQ(bare.find(gone), std::string::npos) << gone << "\n" << bare;
  settings_.orientation.rotateBack = true;
  ASSERT_EQ(Mark(source, temp_ / "back.jpg", {}).outcome, MarkOutcome::kWritten);
  EXPECT_NE(ExifTool(temp_ / "back.jpg").find("Rotate 90 CW"), std::string::npos);
}

// A PNG logo written by another program, one pixel half transparent and one clear, blended
// at 100 % over blue: 12800 * 200 div 25500 = 100, 12800 * 100 div 25500 = 50 and
// 12700 * 255 div 25500 = 127; the clear pixel keeps the image.
TEST_F(PhotoFilesTest, PngLogoBlendsByItsAlpha) {
  QImage png(2, 1, QImage::Format_ARGB32);
  png.setPixel(0, 0, qRgba(200, 100, 0, 128));
  png.setPixel(1, 0, qRgba(10, 20, 30, 0));
  ASSERT_TRUE(png.save(QString::fromStdString((temp_ / "logo.png").string())));
  RasterImage untouched;
  ASSERT_TRUE(LoadLogoFile(temp_ / "logo.png", logo_, untouched, &logoAlpha_));
  ASSERT_TRUE(WriteBmp(RasterImage(4, 2, MakeColor(0, 0, 255)), temp_ / "blue.bmp"));
  settings_.watermark.logo.alpha = 100;
  ASSERT_EQ(Mark(temp_ / "blue.bmp", temp_ / "marked.bmp", {.format = OutputFormat::kBmp}).outcome,
            MarkOutcome::kWritten);
  const RasterImage marked = testing::Decoded(temp_ / "marked.bmp");
  EXPECT_EQ(marked.Pixel(0, 0), (Rgb{100, 50, 127}));
  EXPECT_EQ(marked.Pixel(1, 0), (Rgb{0, 0, 255}));
}

// With kept JPEG blocks a photo marked in a corner keeps its own quantisers, the metadata
// the ordinary road gives it and, away from the logo, its decoded pixels; whatever changes
// the whole picture or its geometry writes it the ordinary way, byte for byte, and says why.
TEST_F(PhotoFilesTest, KeptJpegBlocksOrTheReasonWhyNot) {
  const std::filesystem::path upright = temp_ / "upright.jpg", turned = temp_ / "turned.jpg";
  WriteCameraJpeg(testing::MakeGradientRaster(64, 48), upright, 1);
  WriteCameraJpeg(testing::MakeGradientRaster(64, 48), turned, 6);
  logo_ = RasterImage(5, 5, MakeColor(255, 255, 255));
  using Change = void (*)(ProgramSettings&, SaveOptions&);
  struct Case {
    const char* name;
    const std::filesystem::path& source;
    Change change;
    const char* reason;  // nullptr: the blocks are kept
  };
  const Case cases[] = {
      {"kept", upright, [](ProgramSettings&, SaveOptions&) {}, nullptr},
      {"turned back", turned, [](ProgramSettings& s, SaveOptions&) { s.orientation.rotateBack = true; },
       nullptr},
      {"turned", turned, [](ProgramSettings&, SaveOptions&) {}, "the picture was turned"},
      {"resized", upright, [](ProgramSettings& s, SaveOptions&) { s.resize.preset = SizePreset::kPercent50; },
       "the picture was resized"},
      {"framed", upright, [](ProgramSettings& s, SaveOptions&) { s.watermark.frame.outerOn = true; },
       "a frame or margin changed the picture's size"},
      {"sepia", upright, [](ProgramSettings&, SaveOptions& o) { o.sepia = true; },
       "sepia tones the whole picture"},
      {"depth", upright, [](ProgramSettings&, SaveOptions& o) { o.colorDepth = ColorDepth::kBits8; },
       "the colour depth changes"},
      {"grey", upright, [](ProgramSettings&, SaveOptions& o) { o.jpeg.greyscale = true; },
       "the output is greyscale"},
  };
  const RasterImage source = testing::Decoded(upright);
  for (const Case& c : cases) {
    const ProgramSettings before = settings_;
    SaveOptions save;
    c.change(settings_, save);
    save.jpeg.keepUntouchedBlocks = true;
    const MarkResult kept = Mark(c.source, temp_ / "kept.jpg", save);
    // A preview needs the whole picture decoded; without one only the units around the
    // logo are, and the file is the same.
    ASSERT_EQ(Mark(c.source, temp_ / "whole.jpg", save, 20).outcome, kept.outcome) << c.name;
    EXPECT_EQ(testing::FileContents(temp_ / "whole.jpg"), testing::FileContents(temp_ / "kept.jpg"))
        << c.name;
    save.jpeg.keepUntouchedBlocks = false;
    const MarkResult plain = Mark(c.source, temp_ / "plain.jpg", save);
    settings_ = before;
    ASSERT_EQ(plain.outcome, MarkOutcome::kWritten) << c.name;
    if (c.reason != nullptr) {
      EXPECT_EQ(kept.warnings, std::vector<std::string>{std::string("Kept no JPEG blocks: ") + c.reason})
          << c.name;
      EXPECT_EQ(testing::FileContents(temp_ / "kept.jpg"), testing::FileContents(temp_ / "plain.jpg"))
          << c.name;
      continue;
    }
    EXPECT_EQ(kept.outcome, MarkOutcome::kWritten) << c.name;
    EXPECT_EQ(testing::FirstQuantiser(temp_ / "kept.jpg"), 1) << c.name;
    EXPECT_EQ(MetadataOf(temp_ / "kept.jpg"), MetadataOf(temp_ / "plain.jpg")) << c.name;
    if (&c.source != &upright) continue;
    RasterImage outside = testing::Decoded(temp_ / "kept.jpg");
    // The logo covers the top left unit; the one-pixel ring reaches into the next.
    CopyPixelsWithin(source, outside, {0, 0, 17, 17});
    EXPECT_EQ(outside, source) << c.name;
  }

  // A macro that inverts the photo changes every unit, though the render's original is the
  // inverted one.
  macro_ = {effect_calls::Invert(kAllChannels)};
  ASSERT_EQ(Mark(upright, temp_ / "inverted.jpg", {.jpeg = {.keepUntouchedBlocks = true}}).outcome,
            MarkOutcome::kWritten);
  EXPECT_NEAR(testing::Decoded(temp_ / "inverted.jpg").Pixel(40, 40).g, 255 - source.Pixel(40, 40).g, 4);
}

// "$exif:NAME$" reads the photo being marked: the artist's name from a photo that holds it
// marks exactly like the name typed, and a photo without camera data gets no text.
TEST_F(PhotoFilesTest, CameraDataInTheTextComesFromEachPhoto) {
  const RasterImage picture(64, 48, MakeColor(40, 90, 160));
  WriteCameraJpeg(picture, temp_ / "camera.jpg", 1);
  ASSERT_TRUE(WriteJpeg(picture, temp_ / "plain.jpg", {100, false, false}));
  const CameraData camera = MetadataOf(temp_ / "camera.jpg").camera;
  EXPECT_EQ(camera[CameraField::kArtist], "Ada Photographer");
  EXPECT_EQ(camera[CameraField::kDateTimeOriginal], "2026:05:04 10:11:12");
  EXPECT_EQ(camera[CameraField::kModel], "");

  settings_.watermark.action = WatermarkAction::kUseText;
  const auto marked = [&](const char* source, std::string line, const char* output) {
    text_ = {std::move(line)};
    EXPECT_EQ(Mark(temp_ / source, temp_ / output, {.format = OutputFormat::kBmp}).outcome,
              MarkOutcome::kWritten);
    return testing::FileContents(temp_ / output);
  };
  const std::string withArtist = marked("camera.jpg", "$exif:Artist$", "a.bmp");
  EXPECT_EQ(withArtist, marked("camera.jpg", "Ada Photographer", "b.bmp"));
  EXPECT_NE(withArtist, marked("camera.jpg", "", "e.bmp"));
  EXPECT_EQ(marked("plain.jpg", "$exif:Artist$$exif:DateTimeOriginal$", "c.bmp"),
            marked("plain.jpg", "", "d.bmp"));
}

}  // namespace
}  // namespace quillstone
