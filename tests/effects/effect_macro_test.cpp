#include "effects/effect_macro.h"

#include <gtest/gtest.h>

#include "effects/effect_commands.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::TempDir;
using testing::WriteFile;

// A macro runs as one pass and gives what its commands give run one after another, each
// on the result of the one before; lines that are no exact macro word add nothing.
TEST(EffectMacro, OnePassEqualsTheCommandsInTurnSkippingOtherLines) {
  const RasterImage original = testing::MakeGradientRaster(37, 23);
  std::vector<std::string> everyWord;
  for (const EffectCommand& command : kEffectCommands) everyWord.emplace_back(command.macroWord);
  const std::vector<std::vector<std::string>> macros = {
      {"negative", "negative"},
      {"Emboss", "emboss ", "", "EMBOSS", "smooth"},
      {"greyscale", "brightnessmore", "solarizegrey", "average", "smallmosaic", "emboss"},
      everyWord,
      {"fullred", "unknown", "negativespecial", "coloreffect1", "smooth", "smooth"},
  };
  for (const std::vector<std::string>& lines : macros) {
    RasterImage inTurn = original;
    for (const std::string& line : lines) (void)RunEffectCommand(inTurn, line);
    RasterImage onePass = original;
    ApplyEffectCalls(onePass, MacroCalls(lines));
    EXPECT_EQ(onePass, inTurn) << lines.front() << " ... (" << lines.size() << " lines)";
  }
}

// Every line comes back as it was, blank lines and lines of no macro word included, so a
// file written from a loaded list is the file that was loaded.
TEST(MacroFile, RoundTripsEveryLineByteForByte) {
  TempDir dir;
  const std::vector<std::string> lines = {"negative", "Emboss", "", "emboss ", "n\xC3\xA9gatif", "negative"};
  ASSERT_TRUE(WriteMacroFile(dir / "a.qstmac", lines));
  const std::string bytes = testing::FileContents(dir / "a.qstmac");
  EXPECT_EQ(bytes, "negative\nEmboss\n\nemboss \nn\xC3\xA9gatif\nnegative\n");
  std::vector<std::string> read;
  ASSERT_TRUE(ReadMacroFile(dir / "a.qstmac", read));
  EXPECT_EQ(read, lines);
  ASSERT_TRUE(WriteMacroFile(dir / "b.qstmac", read));
  EXPECT_EQ(testing::FileContents(dir / "b.qstmac"), bytes);
}

// Reading drops one byte-order mark at the start; a first line that holds one still comes
// back whole.
TEST(MacroFile, TextRoundTripsAFirstLineThatBeginsWithAByteOrderMark) {
  for (const std::vector<std::string>& lines : {std::vector<std::string>{"\xEF\xBB\xBFnegative", "smooth"},
                                                std::vector<std::string>{"negative", "\xEF\xBB\xBF"}}) {
    std::vector<std::string> read;
    ASSERT_TRUE(ParseMacroText(MacroFileText(lines), read));
    EXPECT_EQ(read, lines);
  }
}

// Read through the shared text reader, whose tests cover every line break and encoding.
TEST(MacroFile, ReadsLineBreaksOfEitherKindAndAByteOrderMark) {
  TempDir dir;
  WriteFile(dir / "m.qstmac", "\xEF\xBB\xBFnegative\r\n\r\nsmooth\n");
  std::vector<std::string> lines = {"before"};
  ASSERT_TRUE(ReadMacroFile(dir / "m.qstmac", lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"negative", "", "smooth"}));
}

TEST(MacroFile, AFileThatIsNoMacroLeavesTheListAndSaysWhyAndAFailedWriteIsReported) {
  TempDir dir;
  WriteFile(dir / "picture.qstmac", std::string("negative\n\0\x01\x02", 12));
  std::filesystem::create_directory(dir / "folder.qstmac");
  const struct {
    std::string name;
    std::string reason;
  } cases[] = {
      {"missing.qstmac", "no such file"},
      {"picture.qstmac", "not a text file"},
      {"folder.qstmac", "folder"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines = {"smooth"};
    const Status status = ReadMacroFile(dir / c.name, lines);
    ASSERT_FALSE(status) << c.name;
    EXPECT_NE(status.message().find(c.name), std::string::npos) << status.message();
    EXPECT_NE(status.message().find(c.reason), std::string::npos) << status.message();
    EXPECT_EQ(lines, std::vector<std::string>{"smooth"});
  }
  EXPECT_FALSE(WriteMacroFile(dir / "missing" / "m.qstmac", std::vector<std::string>{"negative"}))
      << "a failed write is reported";
}

}  // namespace
}  // namespace quillstone
