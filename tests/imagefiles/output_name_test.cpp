#include "imagefiles/output_name.h"

#include <gtest/gtest.h>

namespace quillstone {
namespace {

TEST(OutputName, PrefixPlusSourceNameWithTheFormatsExtension) {
  struct Case {
    const char* prefix;
    const char* source;
    OutputFormat format;
    const char* expected;
  };
  for (const Case& c : {
           Case{"new_", "holiday.JPEG", OutputFormat::kPng, "new_holiday.png"},
           Case{"", "scan", OutputFormat::kBmp, "scan.bmp"},       // no extension: appended
           Case{"m_", "a.b.c", OutputFormat::kJpeg, "m_a.b.jpg"},  // only after the last dot
           Case{"v1.0_", "scan", OutputFormat::kTiff,
                "v1.0_scan.tif"},  // the prefix's dot is not an extension
           Case{"", "photo.", OutputFormat::kWmf, "photo.wmf"},
           Case{"x", "/photos/2024/img.jpg", OutputFormat::kJpeg, "ximg.jpg"},  // directory part dropped
       }) {
    std::string name;
    ASSERT_TRUE(OutputFileName(c.prefix, c.source, c.format, name)) << c.source;
    EXPECT_EQ(name, c.expected);
  }
}

TEST(OutputName, RefusesPrefixesThatLeaveTheDestination) {
  for (const char* prefix : {"../", "..", "sub/", "/abs", "a..b"}) {
    std::string name = "unchanged";
    const Status status = OutputFileName(prefix, "photo.jpg", OutputFormat::kJpeg, name);
    EXPECT_FALSE(status) << prefix;
    EXPECT_NE(status.message().find("outside the destination"), std::string::npos) << status.message();
    EXPECT_EQ(name, "unchanged");
  }
  EXPECT_TRUE(CheckOutputPrefix("wm_.x_"));
  EXPECT_FALSE(CheckOutputPrefix(std::string_view("a\0b", 3)));
  std::string name;
  EXPECT_FALSE(OutputFileName("p_", "", OutputFormat::kPng, name));
}

TEST(OutputName, TypedExtensionChoosesTheFormat) {
  EXPECT_EQ(FormatFromExtension("out.PNG"), OutputFormat::kPng);
  EXPECT_EQ(FormatFromExtension("a.b.Tif"), OutputFormat::kTiff);
  EXPECT_EQ(FormatFromExtension("x.bmp"), OutputFormat::kBmp);
  EXPECT_EQ(FormatFromExtension("x.wmf"), OutputFormat::kWmf);
  EXPECT_EQ(FormatFromExtension("x.jpg"), OutputFormat::kJpeg);
  EXPECT_EQ(FormatFromExtension("x.jpeg"), std::nullopt);
  EXPECT_EQ(FormatFromExtension("x.tiff"), std::nullopt);
  EXPECT_EQ(FormatFromExtension("noext"), std::nullopt);
  EXPECT_EQ(ReplaceExtension("x.tiff", OutputExtension(OutputFormat::kTiff)), "x.tif");
}

}  // namespace
}  // namespace quillstone
