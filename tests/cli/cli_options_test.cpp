#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace quillstone {
namespace {

Status Parse(std::vector<std::string> arguments, CliOptions& options) {
  return ParseCommandLine(arguments, options);
}

// The words of a command line, split at blanks.
std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  return {std::istream_iterator<std::string>(in), {}};
}

TEST(CliOptionsTest, EveryBatchOption) {
  CliOptions options;
  const std::vector<std::string> arguments = Words(
      "batch --source in --dest=out --mask *.bmp --prefix= --format WEBP --quality 95 "
      "--webp-lossless --progressive --grayscale --png-filter paeth --png-level=9 --depth 8 --sepia "
      "--rotate-back --individual-text --jobs 3 --config a.ini --text t.txt --logo l.bmp "
      "--texture x.jpg --set logoprozent=30 --set=maincolor=#FF8000 --quiet");
  ASSERT_TRUE(Parse(arguments, options).ok());
  EXPECT_EQ(options.command, CliCommand::kBatch);
  EXPECT_EQ(options.source, "in");
  EXPECT_EQ(options.destination, "out");
  EXPECT_EQ(options.mask, "*.bmp");
  EXPECT_EQ(options.prefix, "");
  EXPECT_EQ(options.save.format, OutputFormat::kWebp);
  EXPECT_TRUE(options.save.webp.lossless);
  EXPECT_EQ(options.save.jpeg, (JpegOptions{95, true, true}));
  EXPECT_EQ(options.save.png, (PngOptions{PngFilter::kPaeth, 9}));
  EXPECT_EQ(options.save.colorDepth, ColorDepth::kBits8);
  EXPECT_TRUE(options.save.sepia);
  EXPECT_TRUE(options.rotateBack);
  EXPECT_TRUE(options.individualText);
  EXPECT_EQ(options.jobs, 3);
  EXPECT_EQ(options.configFile, "a.ini");
  EXPECT_EQ(options.textFile, "t.txt");
  EXPECT_EQ(options.logoFile, "l.bmp");
  EXPECT_EQ(options.textureFile, "x.jpg");
  using Set = std::pair<std::string, std::string>;
  EXPECT_EQ(options.sets, (std::vector<Set>{{"logoprozent", "30"}, {"maincolor", "#FF8000"}}));
  EXPECT_TRUE(options.quiet);
}

TEST(CliOptionsTest, RenderTakesTwoFilesAndTheOutputOptions) {
  CliOptions options;
  ASSERT_TRUE(Parse({"render", "in.jpg", "--quality", "50", "out.png", "--png-filter", "up"}, options).ok());
  EXPECT_EQ(options.command, CliCommand::kRender);
  EXPECT_EQ(options.input, "in.jpg");
  EXPECT_EQ(options.output, "out.png");
  EXPECT_EQ(options.save.jpeg.quality, 50);
  EXPECT_EQ(options.save.png.filter, PngFilter::kUp);
  // After "--" a name that starts with '-' is a file.
  ASSERT_TRUE(Parse({"render", "--", "-in.jpg", "-out.jpg"}, options).ok());
  EXPECT_EQ(options.input, "-in.jpg");
}

TEST(CliOptionsTest, HelpAndSettings) {
  CliOptions options;
  ASSERT_TRUE(Parse({}, options).ok());
  EXPECT_EQ(options.command, CliCommand::kHelp);
  ASSERT_TRUE(Parse({"batch", "--help"}, options).ok());
  EXPECT_EQ(options.command, CliCommand::kHelp);
  ASSERT_TRUE(Parse({"settings"}, options).ok());
  EXPECT_EQ(options.command, CliCommand::kSettings);
  ASSERT_TRUE(Parse({"--version"}, options).ok());
  EXPECT_EQ(options.command, CliCommand::kVersion);
  EXPECT_FALSE(Parse({"--version", "render"}, options).ok());
}

struct UsageErrorCase {
  std::vector<std::string> arguments;
  std::string expected;  // a part of the message
};

class CliUsageErrorTest : public ::testing::TestWithParam<UsageErrorCase> {};

TEST_P(CliUsageErrorTest, RefusedWithAReason) {
  CliOptions options;
  const Status status = ParseCommandLine(GetParam().arguments, options);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.message().find(GetParam().expected), std::string::npos) << status.message();
  EXPECT_EQ(status.message().find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliUsageErrorTest,
    ::testing::Values(
        UsageErrorCase{{"paint"}, "unknown command \"paint\""},
        UsageErrorCase{{"batch", "--source", "a", "--dest", "b", "--colour"}, "unknown option --colour"},
        UsageErrorCase{{"batch", "--source"}, "--source needs a value"},
        UsageErrorCase{{"batch", "--dest", "b"}, "batch needs --source"},
        UsageErrorCase{{"batch", "--source", "a", "--dest", "b", "extra"}, "unexpected argument \"extra\""},
        UsageErrorCase{{"batch", "--source", "a", "--dest", "b", "--quality", "0"}, "expected 1..100"},
        UsageErrorCase{{"batch", "--source", "a", "--dest", "b", "--quality", "8O"}, "\"8O\" for --quality"},
        UsageErrorCase{{"batch", "--source", "a", "--dest", "b", "--format", "gif"},
                       "bmp, jpg, tif, wmf, png or webp"},
        UsageErrorCase{{"batch", "--source", "a", "--dest", "b", "--set", "logoprozent"}, "NAME=VALUE"},
        UsageErrorCase{{"batch", "--source", "a", "--dest", "b", "--sepia=1"}, "--sepia takes no value"},
        UsageErrorCase{{"batch", "--files-from", "l", "--dest", "b", "--mask", "*.jpg"},
                       "--mask selects from --source DIR"},
        UsageErrorCase{{"render", "in.jpg", "out.jpg", "--format", "png"},
                       "--format is not an option of render"},
        UsageErrorCase{{"render", "in.jpg"}, "render needs INPUT and OUTPUT"},
        UsageErrorCase{{"render", "", "out.jpg"}, "render needs INPUT and OUTPUT"},
        UsageErrorCase{{"settings", "--quiet"}, "settings takes no options"},
        UsageErrorCase{{"banner"}, "banner needs OUTPUT"},
        UsageErrorCase{{"banner", ""}, "banner needs OUTPUT"},
        UsageErrorCase{{"banner", "b.bmp", "--width", "2049"},
                       "\"2049\" for --width (expected pixels from 1 to 2048)"},
        UsageErrorCase{{"banner", "b.bmp", "--height", "0"}, "\"0\" for --height"},
        UsageErrorCase{{"banner", "b.bmp", "--depth", "8"}, "--depth is not an option of banner"},
        UsageErrorCase{{"render", "a.jpg", "b.jpg", "--width", "8"}, "--width is not an option of render"}));

}  // namespace
}  // namespace quillstone
