#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "imagefiles/bmp_writer.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/jpeg_writer.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::TempDir;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the command line in this process, as the program's main does.
CliRun RunCli(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  CliRun run;
  run.status = RunCommandLine(arguments, CliStreams{out, err});
  run.out = out.str();
  run.err = err.str();
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CliEndToEndTest : public ::testing::Test {
 protected:
  CliEndToEndTest() {
    std::filesystem::create_directories(source());
    std::filesystem::create_directories(dest());
    EXPECT_TRUE(WriteJpeg(testing::MakeGradientRaster(32, 20), source() / "a.jpg").ok());
    EXPECT_TRUE(WriteJpeg(testing::MakeGradientRaster(20, 32), source() / "b.jpg").ok());
    EXPECT_TRUE(WriteBmp(testing::MakeGradientRaster(8, 6), temp_ / "logo.bmp").ok());
  }
  std::filesystem::path source() const { return temp_ / "source"; }
  std::filesystem::path dest() const { return temp_ / "dest"; }
  std::string Path(const std::string& name) const { return (temp_ / name).string(); }

  std::vector<std::string> Batch(std::vector<std::string> extra) const {
    std::vector<std::string> arguments = {"batch", "--source", source().string(), "--dest", dest().string()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
  }

  TempDir temp_;
};

struct FormatCase {
  std::string extension;
  std::string magic;  // the file's first bytes
};

class CliRenderFormatTest : public CliEndToEndTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(CliRenderFormatTest, WritesTheFormatOfTheExtension) {
  const std::string output = Path("out" + GetParam().extension);
  const CliRun run = RunCli({"render", (source() / "a.jpg").string(), output, "--logo", Path("logo.bmp")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(testing::FileContents(output).substr(0, GetParam().magic.size()), GetParam().magic);
}

INSTANTIATE_TEST_SUITE_P(Formats, CliRenderFormatTest,
                         ::testing::Values(FormatCase{".bmp", "BM"}, FormatCase{".jpg", "\xFF\xD8\xFF"},
                                           FormatCase{".JPEG", "\xFF\xD8\xFF"},
                                           FormatCase{".tif", std::string("II*\0", 4)},
                                           FormatCase{".wmf", std::string("\x01\0\0\0", 4)},
                                           FormatCase{".png", "\x89PNG\r\n\x1A\n"}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                           return info.param.extension.substr(1);
                         });

TEST_F(CliEndToEndTest, RenderMarksLikeTheBatch) {
  // One image through render and through batch with the same options: the same bytes.
  const std::vector<std::string> marking = {
      "--logo", Path("logo.bmp"), "--set", "combination=3", "--set", "randomchecked=1", "--seed",
      "5",      "--depth",        "8",     "--sepia"};
  std::vector<std::string> render = {"render", (source() / "a.jpg").string(), Path("a.png")};
  render.insert(render.end(), marking.begin(), marking.end());
  ASSERT_EQ(RunCli(render).status, 0);
  std::vector<std::string> batch = marking;
  batch.insert(batch.end(), {"--format", "png", "--mask", "a.jpg", "--prefix", ""});
  const CliRun run = RunCli(Batch(batch));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(testing::FileContents(dest() / "a.png"), testing::FileContents(temp_ / "a.png"));
}

TEST_F(CliEndToEndTest, RenderRefusals) {
  const std::string input = (source() / "a.jpg").string();
  const std::string before = testing::FileContents(input);
  CliRun run = RunCli({"render", input, input});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("is the input file"), std::string::npos) << run.err;
  EXPECT_EQ(testing::FileContents(input), before);

  run = RunCli({"render", input, Path("out.gif")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("out.gif"), std::string::npos) << run.err;

  run = RunCli({"render", Path("none.jpg"), Path("out.jpg")});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("does not exist"), std::string::npos) << run.err;

  std::ofstream(temp_ / "broken.jpg") << "no picture";
  run = RunCli({"render", Path("broken.jpg"), Path("out.jpg")});
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(std::filesystem::exists(temp_ / "out.jpg"));
}

TEST_F(CliEndToEndTest, BatchWritesEveryImageAndSaysSo) {
  const CliRun run = RunCli(Batch({"--jobs", "2", "--logo", Path("logo.bmp")}));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  const std::vector<std::string> expected = {"Progress 1/2 a.jpg -> " + (dest() / "new_a.jpg").string(),
                                             "Progress 2/2 b.jpg -> " + (dest() / "new_b.jpg").string(),
                                             "2 written"};
  EXPECT_EQ(Lines(run.err), expected);
}

TEST_F(CliEndToEndTest, BatchWithAFailedImageExitsWithOne) {
  std::ofstream(source() / "c.bmp") << "BM and nothing else";
  const CliRun run = RunCli(Batch({"--mask", "*.jpg;*.bmp", "--format", "bmp", "--quiet"}));
  EXPECT_EQ(run.status, 1);
  const std::vector<std::string> lines = Lines(run.err);
  ASSERT_EQ(lines.size(), 2u) << run.err;  // quiet: the failure and the summary only
  EXPECT_EQ(lines[0].rfind("Progress 3/3 c.bmp: failed: ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1], "2 written, 1 failed");
  EXPECT_TRUE(std::filesystem::exists(dest() / "new_a.bmp"));
  EXPECT_FALSE(std::filesystem::exists(dest() / "new_c.bmp"));
}

struct SetUpErrorCase {
  const char* label;
  std::vector<std::string> arguments;  // after "batch --source S --dest D"; "@" is the temp folder
  std::string expected;
};

class CliSetUpErrorTest : public CliEndToEndTest, public ::testing::WithParamInterface<SetUpErrorCase> {};

TEST_P(CliSetUpErrorTest, ExitsWithTwoAndOneLine) {
  std::vector<std::string> arguments = Batch({});
  for (std::string argument : GetParam().arguments) {
    if (const std::size_t at = argument.find('@'); at != std::string::npos)
      argument.replace(at, 1, temp_.path().string());
    arguments.push_back(argument);
  }
  const CliRun run = RunCli(arguments);
  EXPECT_EQ(run.status, 2);
  const std::vector<std::string> lines = Lines(run.err);
  ASSERT_EQ(lines.size(), 1u) << run.err;
  EXPECT_EQ(lines[0].rfind("quillstone-cli: ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(GetParam().expected), std::string::npos) << lines[0];
  EXPECT_TRUE(std::filesystem::is_empty(dest()));
}

INSTANTIATE_TEST_SUITE_P(
    Batch, CliSetUpErrorTest,
    ::testing::Values(
        SetUpErrorCase{"UnknownSetting", {"--set", "nosuch=1"}, "unknown setting \"nosuch\""},
        SetUpErrorCase{"BadSettingValue", {"--set", "logoprozent=200"}, "logoprozent"},
        SetUpErrorCase{"MissingDestination", {"--dest", "@/nothere"}, "destination directory does not exist"},
        SetUpErrorCase{"MissingSource", {"--source", "@/nosource"}, "nosource"},
        SetUpErrorCase{"MissingConfig", {"--config", "@/none.ini"}, "none.ini"},
        SetUpErrorCase{"UsageError", {"--quality", "0"}, "--quality"}),
    [](const ::testing::TestParamInfo<SetUpErrorCase>& info) { return std::string(info.param.label); });

// The built program itself: its own QGuiApplication on the offscreen platform, no display.
CliRun RunProgram(const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("QT_QPA_PLATFORM");
  environment.remove("DISPLAY");
  environment.remove("WAYLAND_DISPLAY");
  process.setProcessEnvironment(environment);
  process.start(QString::fromUtf8(QUILLSTONE_CLI_PROGRAM), arguments);
  CliRun run;
  if (!process.waitForFinished(60000)) return run;
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

TEST_F(CliEndToEndTest, ProgramRunsWithoutADisplay) {
  CliRun run = RunProgram({"settings"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("logopos9"), std::string::npos);

  run = RunProgram({"batch", "--source", QString::fromStdString(source().string())});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "quillstone-cli: batch needs --dest DIR; see quillstone-cli --help\n");

  std::ofstream(temp_ / "t.txt") << "$filename$\n";
  run = RunProgram({"batch", "--source", QString::fromStdString(source().string()), "--dest",
                    QString::fromStdString(dest().string()), "--text", QString::fromStdString(Path("t.txt")),
                    "--set", "combination=0", "--set", "action=2", "--set", "frameouterstatus=0", "--set",
                    "FRAMEINNERSTATUS=0"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Lines(run.err).back(), "2 written");
  RasterImage written;
  EXPECT_TRUE(DecodeImageFile(dest() / "new_b.jpg", written).ok());
  EXPECT_EQ(written.Width(), 20);
}

}  // namespace
}  // namespace quillstone
