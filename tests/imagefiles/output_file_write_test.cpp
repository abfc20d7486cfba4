#include <gtest/gtest.h>

#include "imagefiles/color_depth.h"
#include "imagefiles/output_file.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

// Each output format reaches its own writer, recognisable by the file's first bytes.
TEST(WriteOutputFile, EachFormatWritesItsOwnKindOfFile) {
  struct Case {
    OutputFormat format;
    std::vector<std::uint8_t> magic;
  };
  RasterImage image = testing::MakeGradientRaster(9, 4);
  const StorageFormat format = ReduceColorDepth(image, ColorDepth::kBits4);
  testing::TempDir dir;
  for (const Case& c : {Case{OutputFormat::kBmp, {'B', 'M'}}, Case{OutputFormat::kJpeg, {0xFF, 0xD8, 0xFF}},
                        Case{OutputFormat::kTiff, {'I', 'I', 42, 0}}, Case{OutputFormat::kWmf, {1, 0, 0, 0}},
                        Case{OutputFormat::kPng, {0x89, 'P', 'N', 'G'}}}) {
    SaveOptions options;
    options.format = c.format;
    const auto path = dir / ("out" + std::string(OutputExtension(c.format)));
    ASSERT_TRUE(WriteOutputFile(image, format, options, path)) << OutputExtension(c.format);
    const auto bytes = testing::ReadBytes(path);
    ASSERT_GE(bytes.size(), c.magic.size());
    EXPECT_TRUE(std::equal(c.magic.begin(), c.magic.end(), bytes.begin())) << OutputExtension(c.format);
  }
}

}  // namespace
}  // namespace quillstone
