#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "effects/effect_commands.h"
#include "imagefiles/bmp_writer.h"
#include "imagefiles/jpeg_writer.h"
#include "support/decoded_file.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using ::testing::AllOf;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::FieldsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using testing::TempDir;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

void PrintTo(const CliRun& run, std::ostream* os) {
  *os << "exit " << run.status << ", out \"" << run.out << "\", err \"" << run.err << "\"";
}

// Runs the command line in this process, as the program's main does, with `in` as its
// standard input.
CliRun RunCli(const std::vector<std::string>& arguments, const std::string& in = "") {
  std::istringstream input(in);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCommandLine(arguments, CliStreams{out, err, false, nullptr, &input});
  return CliRun{status, out.str(), err.str()};
}

using Args = std::vector<std::string>;

Args operator+(Args arguments, const Args& more) {
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
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

  Args Batch(const Args& extra) const {
    return Args{"batch", "--source", source().string(), "--dest", dest().string()} + extra;
  }

  TempDir temp_;
};

// The output's format follows its extension; beside the batch formats' own extensions,
// ".jpeg" and ".tiff" in any letter case.
TEST_F(CliEndToEndTest, RenderWritesTheFormatOfTheExtension) {
  const std::pair<const char*, std::string> cases[] = {
      {"out.bmp", "BM"},
      {"out.JPEG", "\xFF\xD8\xFF"},
      {"out.tiff", std::string("II*\0", 4)},
  };
  for (const auto& [name, magic] : cases) {
    const CliRun run =
        RunCli({"render", (source() / "a.jpg").string(), Path(name), "--logo", Path("logo.bmp")});
    ASSERT_THAT(run, FieldsAre(0, "", ""));
    EXPECT_EQ(testing::FileContents(Path(name)).substr(0, magic.size()), magic) << name;
  }
}

// --macro runs the macro's commands on each picture before it is marked, and render and batch
// mark alike: the same bytes as marking, without a macro, the picture those commands made.
TEST_F(CliEndToEndTest, RenderAndBatchMarkAlikeAfterTheMacro) {
  std::ofstream(temp_ / "m.qstmac", std::ios::binary) << "solarizegrey\r\nEmboss\r\nnegative\r\nsmooth\r\n";
  RasterImage picture = testing::Decoded(source() / "a.jpg");
  for (const char* word : {"solarizegrey", "negative", "smooth"})
    ASSERT_TRUE(RunEffectCommand(picture, word));
  ASSERT_TRUE(WriteBmp(picture, temp_ / "prepared.bmp"));
  const Args marking = {"--logo",          Path("logo.bmp"), "--set", "combination=3", "--set",
                        "randomchecked=1", "--seed",         "5",     "--depth",       "8",
                        "--sepia"};
  const auto run = [&](const Args& arguments) {
    const CliRun result = RunCli(arguments + marking);
    EXPECT_EQ(result.status, 0) << result.err;
  };
  run({"render", (source() / "a.jpg").string(), Path("macro.bmp"), "--macro", Path("m.qstmac")});
  run({"render", Path("prepared.bmp"), Path("prepared-marked.bmp")});
  run(Batch({"--macro", Path("m.qstmac"), "--format", "bmp", "--mask", "a.jpg", "--prefix", ""}));
  const std::string expected = testing::FileContents(temp_ / "prepared-marked.bmp");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(testing::FileContents(temp_ / "macro.bmp"), expected);
  EXPECT_EQ(testing::FileContents(dest() / "a.bmp"), expected);
}

// Every name the file system takes can be written, also when the prefix makes it long.
TEST_F(CliEndToEndTest, BatchWritesEveryImageAndSaysSo) {
  const std::string name = std::string(247, 'n') + ".jpg";  // "new_" makes it 255 bytes
  std::filesystem::rename(source() / "b.jpg", source() / name);
  EXPECT_THAT(RunCli(Batch({"--jobs", "2", "--logo", Path("logo.bmp")})),
              FieldsAre(0, "",
                        "Progress 1/2 a.jpg -> " + (dest() / "new_a.jpg").string() + "\nProgress 2/2 " +
                            name + " -> " + (dest() / ("new_" + name)).string() + "\n2 written\n"));
  EXPECT_TRUE(std::filesystem::exists(dest() / ("new_" + name)));
}

TEST_F(CliEndToEndTest, BatchWithAFailedImageExitsWithOne) {
  std::ofstream(source() / "c.bmp") << "BM and nothing else";
  const CliRun run = RunCli(Batch({"--mask", "*.jpg;*.bmp", "--format", "bmp", "--quiet"}));
  EXPECT_EQ(run.status, 1);
  // Quiet: the failure and the summary only.
  EXPECT_THAT(Lines(run.err), ElementsAre(StartsWith("Progress 3/3 c.bmp: failed: "), "2 written, 1 failed"));
  EXPECT_EQ(testing::FolderEntries(dest()), (std::vector<std::string>{"new_a.bmp", "new_b.bmp"}));
}

// What the command line refuses: the exit code (2 for a set-up error, 1 for a failed
// picture) and one line naming the cause; nothing is written and the input stays whole.
// A batch row gets "--source" and "--dest" first.
TEST_F(CliEndToEndTest, RefusalsExitWithTheirCodeAndOneLine) {
  std::ofstream(temp_ / "broken.jpg") << "no picture";
  std::ofstream(temp_ / "broken.bmp") << "BM";
  std::ofstream(temp_ / "words.txt") << "Negative\nlogo\n";
  ASSERT_TRUE(WriteBmp(RasterImage(65535, 1, colors::kWhite), temp_ / "wide.bmp").ok());
  const std::string input = testing::FileContents(source() / "a.jpg");
  const struct {
    Args arguments;
    int status;
    std::string expected;  // a part of the line
  } cases[] = {
      {{"render", Path("source/a.jpg"), Path("source/a.jpg")}, 2, "is the input file"},
      {{"render", Path("source/a.jpg"), Path("out.gif")}, 2, "out.gif"},
      {{"render", Path("none.jpg"), Path("out.jpg")}, 2, "does not exist"},
      {{"render", Path("broken.jpg"), Path("out.jpg")}, 1, "cannot decode "},
      // A picture the frames would make wider than a raster may be.
      {{"render", Path("wide.bmp"), Path("out.png")}, 1, "wide.bmp: image too large"},
      // Text without one command is more likely the wrong file than a macro meant to do nothing.
      {{"render", Path("source/a.jpg"), Path("out.jpg"), "--macro", Path("words.txt")},
       2,
       "words.txt names no effect command"},
      {{"banner", Path("out.png"), "--set", "BANNERWIDTH=3000"}, 2, "The maximum for the creation"},
      {{"batch", "--set", "nosuch=1"}, 2, "unknown setting \"nosuch\""},
      {{"batch", "--set", "logoprozent=200"}, 2, "logoprozent"},
      {{"batch", "--dest", Path("nothere")}, 2, "destination directory does not exist"},
      {{"batch", "--source", Path("nosource")}, 2, "nosource"},
      {{"batch", "--config", Path("none.ini")}, 2, "none.ini"},
      {{"batch", "--text", Path("none.txt")}, 2, "none.txt"},
      {{"batch", "--logo", Path("broken.bmp")}, 2, "cannot load the logo: cannot decode broken.bmp"},
      {{"batch", "--texture", Path("none.jpg")}, 2, "cannot load the texture: cannot open none.jpg"},
      {{"batch", "--macro", Path("none.qstmac")}, 2, "cannot read the macro none.qstmac"},
      {{"batch", "--files-from", "-"}, 2, "--source DIR or --files-from LIST, not both"},
      {{"batch", "--null"}, 2, "--null needs --files-from LIST"},
  };
  for (const auto& c : cases) {
    Args arguments = c.arguments;
    if (arguments[0] == "batch") arguments = Batch(Args(arguments.begin() + 1, arguments.end()));
    SCOPED_TRACE(arguments[1] + " " + arguments.back());
    const CliRun run = RunCli(arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_THAT(Lines(run.err), ElementsAre(AllOf(StartsWith("quillstone-cli: "), HasSubstr(c.expected))));
  }
  EXPECT_EQ(testing::FileContents(source() / "a.jpg"), input);
  EXPECT_EQ(testing::FolderEntries(temp_.path()),
            (std::vector<std::string>{"broken.bmp", "broken.jpg", "dest", "logo.bmp", "source", "wide.bmp",
                                      "words.txt"}));
  EXPECT_TRUE(std::filesystem::is_empty(dest()));
}

QStringList Arguments(const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return list;
}

// The built program itself: its own QGuiApplication on the offscreen platform, no display.
CliRun RunProgram(const Args& arguments, int timeLimitMs = 60000) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("QT_QPA_PLATFORM");
  environment.remove("DISPLAY");
  environment.remove("WAYLAND_DISPLAY");
  process.setProcessEnvironment(environment);
  process.start(QString::fromUtf8(QUILLSTONE_CLI_PROGRAM), Arguments(arguments));
  CliRun run;
  if (!process.waitForFinished(timeLimitMs)) return run;
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

TEST_F(CliEndToEndTest, ProgramRunsWithoutADisplay) {
  EXPECT_THAT(RunProgram({"settings"}), FieldsAre(0, HasSubstr("logopos9"), ""));
  EXPECT_THAT(RunProgram({"batch", "--source", source().string()}),
              FieldsAre(2, "", "quillstone-cli: batch needs --dest DIR; see quillstone-cli --help\n"));

  // Every argument is the command line's, none Qt's; a name is printed with its control
  // characters escaped.
  EXPECT_THAT(RunProgram({"render", "--", "-platform", "out.jpg"}),
              FieldsAre(2, "", "quillstone-cli: INPUT -platform does not exist\n"));
  EXPECT_THAT(RunProgram({"render", "x\x1b]0;title\a.jpg", "out.jpg"}),
              FieldsAre(2, "", "quillstone-cli: INPUT x\\x1B]0;title\\x07.jpg does not exist\n"));

  // The placeholder beside the program stands in for an unreadable photo, but the run says
  // so and fails.
  std::ofstream(temp_ / "t.txt") << "$filename$\n";
  std::ofstream(source() / "c.jpg") << "no picture";
  const CliRun run = RunProgram(Batch({"--text", Path("t.txt"), "--set", "combination=0", "--set", "action=2",
                                       "--set", "frameouterstatus=0", "--set", "FRAMEINNERSTATUS=0"}));
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(Lines(run.err).back(), "2 written, 1 placeholders");
  EXPECT_EQ(testing::Decoded(dest() / "new_b.jpg").Width(), 20);
  EXPECT_TRUE(std::filesystem::exists(dest() / "new_c.jpg"));
}

// A named pipe and a 2 GiB file of no picture, as the image, the text and the configuration:
// each refused at once with the reason, never read. (The logo and the texture are decoded as
// the image is, and the refusal table shows their loaders' reasons reach the line.)
TEST_F(CliEndToEndTest, SpecialAndHugeFilesAreRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(Path("pipe.jpg").c_str(), 0600), 0);
  std::ofstream(temp_ / "big1.jpg").close();
  std::filesystem::resize_file(temp_ / "big1.jpg", std::uintmax_t{2} << 30);
  const std::string image = (source() / "a.jpg").string();
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string reason;
  } cases[] = {
      {{"render", Path("pipe.jpg"), Path("out.png")}, 1, "cannot open pipe.jpg: it is not a regular file"},
      {{"render", Path("big1.jpg"), Path("out.png")}, 1, "cannot open big1.jpg: the file is larger than"},
      {{"render", image, Path("out.png"), "--text", Path("pipe.jpg")}, 2, "it is not a regular file"},
      {{"render", image, Path("out.png"), "--config", Path("pipe.jpg")}, 2, "it is not a regular file"},
  };
  for (const auto& c : cases) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THAT(RunProgram(c.arguments, 5000), FieldsAre(c.status, "", HasSubstr(c.reason)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.arguments[1];
  }
  EXPECT_FALSE(std::filesystem::exists(temp_ / "out.png"));
}

// A photo cut short is marked as far as it decodes, and said to be damaged.
TEST_F(CliEndToEndTest, DamagedJpegIsMarkedWithAWarningAndCountedApart) {
  ASSERT_TRUE(WriteJpeg(testing::MakeGradientRaster(256, 192), temp_ / "whole.jpg").ok());
  const std::string whole = testing::FileContents(temp_ / "whole.jpg");
  std::ofstream(source() / "cut.jpg", std::ios::binary) << whole.substr(0, whole.size() * 2 / 3);

  EXPECT_THAT(
      RunCli({"render", (source() / "cut.jpg").string(), Path("cut.png")}),
      FieldsAre(0, "", "warning: " + (source() / "cut.jpg").string() + ": Premature end of JPEG file\n"));
  EXPECT_TRUE(std::filesystem::exists(temp_ / "cut.png"));

  EXPECT_THAT(RunCli(Batch({"--quiet"})),
              FieldsAre(0, "", "warning: cut.jpg: Premature end of JPEG file\n2 written, 1 damaged\n"));
}

// --keep-jpeg-blocks reaches the run, which says it kept no blocks of a framed photo (the
// batch photo files test holds the reasons).
TEST_F(CliEndToEndTest, KeepJpegBlocksSaysWhyNot) {
  const CliRun run =
      RunCli(Batch({"--keep-jpeg-blocks", "--logo", Path("logo.bmp"), "--mask", "a.jpg", "--quiet"}));
  EXPECT_EQ(run.status, 0);
  EXPECT_THAT(Lines(run.err).front(), StartsWith("warning: a.jpg: Kept no JPEG blocks: "));
}

// What the render could not do is a warning, and such images are counted apart: a logo
// larger than the picture, a per-image text that is not a file. (Render prints its warnings
// as the damaged photo's test shows.)
TEST_F(CliEndToEndTest, RenderProblemsAndUnreadableSideFilesAreWarnings) {
  ASSERT_TRUE(WriteBmp(testing::MakeGradientRaster(4, 4), source() / "tiny.bmp").ok());
  std::filesystem::create_directory(source() / "b.jpg.txt");
  EXPECT_THAT(
      RunCli(Batch({"--mask", "*.jpg;*.bmp", "--logo", Path("logo.bmp"), "--individual-text", "--quiet"})),
      FieldsAre(
          0, "",
          "warning: b.jpg: cannot read the per-image text b.jpg.txt: it is a folder; marked without text\n"
          "warning: tiny.bmp: Logo is bigger than your image\n1 written, 2 with warnings\n"));
}

TEST_F(CliEndToEndTest, NoArgumentsIsAUsageError) {
  EXPECT_THAT(RunCli({}), FieldsAre(2, "", CliHelpText()));
}

// A link in the destination never leads the run to write a source photo or outside the
// destination; a link that goes round in a circle is refused before anything is encoded.
TEST_F(CliEndToEndTest, LinksInTheDestinationAreNotFollowedOut) {
  const std::string original = testing::FileContents(source() / "a.jpg");
  std::filesystem::create_symlink("../source/a.jpg", dest() / "new_a.jpg");
  std::filesystem::create_symlink("new_b.jpg", dest() / "new_b.jpg");
  testing::TempDir current;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(current.path());
  const CliRun run = RunCli(Batch({"--quiet"}));
  std::filesystem::current_path(before);
  EXPECT_EQ(run.status, 1);
  EXPECT_THAT(Lines(run.err),
              ElementsAre(HasSubstr("a source picture of this run"), HasSubstr("a link loop"), "2 failed"));
  EXPECT_EQ(testing::FileContents(source() / "a.jpg"), original);
  EXPECT_TRUE(std::filesystem::is_empty(current.path()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dest()), {}), 2);
}

// SIGTERM and SIGHUP end a run as Ctrl+C does: the image in progress is finished, no
// temporary file is left, the run says how far it got and exits with 1.
TEST_F(CliEndToEndTest, TerminationLeavesNoTemporaryFiles) {
  for (int i = 0; i < 12; ++i) {
    ASSERT_TRUE(WriteBmp(testing::MakeNoiseRaster(900, 700, static_cast<std::uint32_t>(i) + 1),
                         source() / ("p" + std::to_string(i) + ".bmp"))
                    .ok());
  }
  for (const int signal : {SIGTERM, SIGHUP}) {
    std::filesystem::remove_all(dest());
    std::filesystem::create_directory(dest());
    QProcess process;
    process.start(
        QString::fromUtf8(QUILLSTONE_CLI_PROGRAM),
        Arguments(Batch({"--mask", "*.bmp", "--format", "png", "--png-level", "9", "--jobs", "1"})));
    ASSERT_TRUE(process.waitForStarted());
    process.setReadChannel(QProcess::StandardError);
    std::string err;
    while (err.find("Progress 1/") == std::string::npos && process.waitForReadyRead(30000)) {
      err += process.readAllStandardError().toStdString();
    }
    ASSERT_EQ(process.state(), QProcess::Running) << "the run ended before it could be stopped";
    ASSERT_GT(process.processId(), 0);
    ::kill(static_cast<pid_t>(process.processId()), signal);
    ASSERT_TRUE(process.waitForFinished(60000));
    err += process.readAllStandardError().toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << signal;
    EXPECT_EQ(process.exitCode(), 1) << err;
    EXPECT_NE(err.find("Stopped after "), std::string::npos) << err;
    EXPECT_THAT(testing::FolderEntries(dest()), Each(EndsWith(".png")));
  }
}

// --files-from marks exactly the files a list names, from any folder, under their own names,
// never through a link onto one of them; GNU parallel over two halves of a folder's list
// writes the same files as one batch of the folder.
TEST_F(CliEndToEndTest, FilesFromAListAndSpreadOverJobs) {
  std::filesystem::create_directories(temp_ / "other");
  ASSERT_TRUE(WriteJpeg(testing::MakeGradientRaster(24, 16), temp_ / "other" / "c.jpg").ok());
  const std::vector<std::string> marking = {"--logo", Path("logo.bmp"), "--seed", "3", "--quiet"};
  const auto runList = [&](const std::string& list, const Args& arguments) {
    return RunCli(arguments + marking, list);
  };
  const std::string a = (source() / "a.jpg").string();
  CliRun run = runList(a + "\n" + Path("missing.jpg") + "\r\n\n" + Path("other/c.jpg") + "\n",
                       {"batch", "--files-from", "-", "--dest", dest().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Lines(run.err).back(), "2 written, 1 failed") << run.err;
  EXPECT_EQ(testing::FolderEntries(dest()), (std::vector<std::string>{"new_a.jpg", "new_c.jpg"}));

  // Zero-separated names; a link in the destination onto a listed file fails that item.
  std::filesystem::remove(dest() / "new_c.jpg");
  std::filesystem::create_symlink(temp_ / "other" / "c.jpg", dest() / "new_c.jpg");
  const std::string before = testing::FileContents(temp_ / "other" / "c.jpg");
  run = runList(Path("other/c.jpg") + std::string(1, '\0') + a,
                {"batch", "--files-from", "-", "--null", "--dest", dest().string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("a source picture of this run"), std::string::npos) << run.err;
  EXPECT_EQ(testing::FileContents(temp_ / "other" / "c.jpg"), before);

  // A list whose folder is the destination, a list that is not there.
  EXPECT_EQ(runList(Path("dest/new_a.jpg"), {"batch", "--files-from", "-", "--dest", dest().string()}).status,
            2);
  EXPECT_EQ(RunCli({"batch", "--files-from", Path("none"), "--dest", dest().string()}).err,
            "quillstone-cli: cannot read the list " + Path("none") + "\n");

  if (std::system("command -v parallel >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "GNU parallel is not installed (scripts/install-deps installs it)";
  ASSERT_TRUE(WriteJpeg(testing::MakeGradientRaster(16, 24), source() / "c.jpg").ok());
  ASSERT_TRUE(WriteJpeg(testing::MakeGradientRaster(30, 10), source() / "d.jpg").ok());
  for (const char* folder : {"one", "two"}) std::filesystem::create_directories(temp_ / folder);
  ASSERT_EQ(RunCli(Args{"batch", "--source", source().string(), "--dest", Path("one")} + marking).status, 0);
  const std::string command =
      "cd '" + temp_.path().string() + "' && ls source/*.jpg | parallel --will-cite --pipe -N 2 '" +
      QUILLSTONE_CLI_PROGRAM +
      "' batch --files-from - --dest two --logo logo.bmp --seed 3 --quiet 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const char* name : {"new_a.jpg", "new_b.jpg", "new_c.jpg", "new_d.jpg"}) {
    SCOPED_TRACE(name);
    const std::string expected = testing::FileContents(temp_ / "one" / name);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(testing::FileContents(temp_ / "two" / name), expected);
  }
}

}  // namespace
}  // namespace quillstone
