#include "imagefiles/jpeg_writer.h"

#include <gtest/gtest.h>

#include <QImage>

#include "writer_test_tools.h"

namespace quillstone {
namespace {

// Our encoder from blue, green, red rows makes the same file as libjpeg-turbo's own cjpeg
// from the same picture as PPM with the same settings (baseline tables forced, accurate
// integer DCT): byte for byte, so with cjpeg's frame type, components and 8-bit tables.
TEST(JpegWriter, MatchesTheReferenceEncoder) {
  QUILLSTONE_REQUIRE_TOOL("cjpeg");
  struct Case {
    int quality;
    bool greyscale, progressive;
  };
  const RasterImage image = testing::MakeGradientRaster(37, 21);
  testing::TempDir dir;
  ASSERT_TRUE(QImage(image.Bits(), image.Width(), image.Height(), static_cast<qsizetype>(image.Stride()),
                     QImage::Format_BGR888)
                  .save(QString::fromStdString((dir / "in.ppm").string()), "PPM"));
  for (const Case& c : {Case{80, false, false}, Case{80, true, false}, Case{80, false, true},
                        Case{35, true, true}, Case{1, false, false}, Case{100, false, true}}) {
    SCOPED_TRACE("quality " + std::to_string(c.quality) + (c.greyscale ? " grey" : "") +
                 (c.progressive ? " progressive" : ""));
    ASSERT_TRUE(WriteJpeg(image, dir / "ours.jpg", JpegOptions{c.quality, c.greyscale, c.progressive}));
    const auto cjpeg =
        testing::RunTool("cjpeg -quality " + std::to_string(c.quality) + " -baseline -dct int" +
                         (c.greyscale ? " -grayscale" : "") + (c.progressive ? " -progressive" : "") +
                         " -outfile " + testing::ShellQuote((dir / "ref.jpg").string()) + " " +
                         testing::ShellQuote((dir / "in.ppm").string()));
    ASSERT_EQ(cjpeg.exitCode, 0) << cjpeg.output;
    EXPECT_TRUE(testing::ReadBytes(dir / "ours.jpg") == testing::ReadBytes(dir / "ref.jpg"))
        << "differs from cjpeg's file";
  }
}

TEST(JpegWriter, MemoryAndFileEncodingsAgree) {
  const RasterImage image = testing::MakeGradientRaster(50, 30);
  testing::TempDir dir;
  const JpegOptions options{70, false, true};
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(EncodeJpeg(image, options, bytes));
  ASSERT_TRUE(WriteJpeg(image, dir / "m.jpg", options));
  EXPECT_TRUE(bytes == testing::ReadBytes(dir / "m.jpg"));
}

TEST(JpegWriter, BadRequestsAreErrorsNotExits) {
  testing::TempDir dir;
  std::vector<std::uint8_t> bytes{1, 2, 3};
  const RasterImage small(4, 4);
  for (int quality : {0, 101}) {
    const Status status = WriteJpeg(small, dir / "q.jpg", JpegOptions{quality});
    EXPECT_FALSE(status);
    EXPECT_NE(status.message().find("outside 1..100"), std::string::npos) << status.message();
  }
  EXPECT_FALSE(EncodeJpeg(RasterImage(), JpegOptions{}, bytes));
  EXPECT_TRUE(bytes.empty());
  // Wider than JPEG allows (65500): libjpeg's own error comes back as the reason.
  const RasterImage tooWide(65501, 1);
  const Status status = WriteJpeg(tooWide, dir / "w.jpg");
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("w.jpg"), std::string::npos) << status.message();
  EXPECT_NE(status.message().find("65500"), std::string::npos) << status.message();
  EXPECT_TRUE(testing::FolderEntries(dir.path()).empty());
}

}  // namespace
}  // namespace quillstone
