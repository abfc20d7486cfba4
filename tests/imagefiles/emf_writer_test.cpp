#include "imagefiles/emf_writer.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include "imagefiles/color_depth.h"
#include "writer_test_tools.h"

namespace quillstone {
namespace {

using testing::Le32;

// emf2svg-conv reads the metafile and turns its one bitmap into an embedded PNG, which
// must show the image pixel for pixel at its own size.
TEST(EmfWriter, IndependentReaderDrawsTheImageAtEveryDepth) {
  QUILLSTONE_REQUIRE_TOOL("emf2svg-conv");
  testing::TempDir dir;
  for (const ColorDepth depth : {ColorDepth::kBits1, ColorDepth::kBits4, ColorDepth::kBits8,
                                 ColorDepth::kBits24, ColorDepth::kBits32}) {
    const int bits = BitsPerPixel(depth);
    SCOPED_TRACE(std::to_string(bits) + " bits");
    RasterImage image = testing::MakeGradientRaster(7, 5);
    const StorageFormat format = ReduceColorDepth(image, depth);
    ASSERT_TRUE(WriteWmf(image, dir / "m.wmf", format));

    const auto bytes = testing::ReadBytes(dir / "m.wmf");
    const std::uint32_t stride = (7 * bits + 31) / 32 * 4;
    const std::uint32_t info = 40 + (bits <= 8 ? 4u << bits : 0);
    const std::uint32_t record = 80 + info + stride * 5;
    ASSERT_EQ(bytes.size(), 108 + record + 20);
    EXPECT_EQ(Le32(bytes, 0), 1u);             // EMR_HEADER
    EXPECT_EQ(Le32(bytes, 40), 0x464D4520u);   // " EMF"
    EXPECT_EQ(Le32(bytes, 48), bytes.size());  // total size
    EXPECT_EQ(Le32(bytes, 52), 3u);            // records
    EXPECT_EQ(Le32(bytes, 108), 81u);          // EMR_STRETCHDIBITS
    EXPECT_EQ(Le32(bytes, 112), record);
    EXPECT_EQ(Le32(bytes, 108 + record), 14u);  // EMR_EOF
    EXPECT_EQ(Le32(bytes, 108 + record + 16), 20u);

    const auto run = testing::RunTool("emf2svg-conv -i " + testing::ShellQuote((dir / "m.wmf").string()) +
                                      " -o " + testing::ShellQuote((dir / "m.svg").string()));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string svg = testing::FileContents(dir / "m.svg");
    // <image width="7.0000" height="5.0000" x="0.0000" y="0.0000" xlink:href="data:image/png;base64,...">
    const std::size_t tag = svg.find("<image width=\"");
    ASSERT_NE(tag, std::string::npos) << svg;
    const std::size_t height = svg.find("height=\"", tag);
    const std::size_t data = svg.find("data:image/png;base64,", tag);
    ASSERT_TRUE(height != std::string::npos && data != std::string::npos) << svg;
    EXPECT_DOUBLE_EQ(std::stod(svg.substr(tag + 14)), 7.0);
    EXPECT_DOUBLE_EQ(std::stod(svg.substr(height + 8)), 5.0);
    EXPECT_NE(svg.find("x=\"0.0000\" y=\"0.0000\"", tag), std::string::npos) << svg;
    const std::size_t start = data + 22;
    const std::string base64 = svg.substr(start, svg.find('"', start) - start);
    const QImage drawn = QImage::fromData(QByteArray::fromBase64(QByteArray::fromStdString(base64)), "PNG");
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(testing::FirstDifference(testing::FromQImage(drawn), image), "");
  }
}

}  // namespace
}  // namespace quillstone
