#include <gtest/gtest.h>

#include "imagefiles/bmp_decoder.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/output_file.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

// WebP files take the JPEG quality (a lower one makes a smaller file) or keep every pixel
// when lossless; dwebp reads them as our decoder does.
TEST(WriteOutputFile, WebpIsReadBackByDwebpAndOurDecoder) {
  const bool dwebp = testing::ToolInstalled("dwebp");
  if (!dwebp && testing::UnderContinuousIntegration())
    FAIL() << "dwebp is not installed; run scripts/install-deps";
  const RasterImage image = testing::MakeGradientRaster(64, 48);
  testing::TempDir dir;
  const struct {
    const char* name;
    bool lossless;
    int quality;
    int tolerance;
  } cases[] = {{"lossless.webp", true, 80, 0}, {"q90.webp", false, 90, 24}, {"q10.webp", false, 10, 64}};
  for (const auto& c : cases) {
    const SaveOptions options{
        .format = OutputFormat::kWebp, .jpeg = {.quality = c.quality}, .webp = {.lossless = c.lossless}};
    ASSERT_TRUE(WriteOutputFile(image, {}, options, dir / c.name)) << c.name;
    RasterImage decoded;
    ASSERT_TRUE(DecodeImageFile(dir / c.name, decoded).ok()) << c.name;
    ASSERT_EQ(decoded.Width(), 64) << c.name;
    EXPECT_LE(testing::LargestDifference(decoded, image), c.tolerance) << c.name;
    if (!dwebp) continue;
    const auto bmp = dir / (std::string(c.name) + ".bmp");
    const testing::ToolRun run = testing::RunTool("dwebp " + testing::ShellQuote((dir / c.name).string()) +
                                                  " -bmp -o " + testing::ShellQuote(bmp.string()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto bytes = testing::ReadBytes(bmp);
    RasterImage byDwebp;
    ASSERT_TRUE(DecodeBmpMemory(bytes.data(), bytes.size(), byDwebp).ok()) << c.name;
    EXPECT_EQ(testing::FirstDifference(byDwebp, decoded), "") << c.name;
  }
  EXPECT_LT(std::filesystem::file_size(dir / "q10.webp"), std::filesystem::file_size(dir / "q90.webp"));
  if (!dwebp) GTEST_SKIP() << "dwebp is not installed: the files were not read back by it";
}

}  // namespace
}  // namespace quillstone
