#include "workspace/text_tools.h"

#include <gtest/gtest.h>

#include "config/configuration_file.h"
#include "platform/atomic_file.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

// Records what an edit was given.
struct RecordingEdit final : TextInsertion {
  std::vector<std::string> inserted;
  void InsertAtCaret(std::string_view text) override { inserted.emplace_back(text); }
};

class TextToolsTest : public testing::WorkspaceTest {
 protected:
  TextToolsTest() {
    workspace.SetSourceImage(RasterImage(4, 4), "black.bmp", home.path().string());
    text().font = {"DejaVu Sans", 12};
    text().fontColor = colors::kWhite;
    tools.SetTextEdit(&textEdit);
  }

  TextSettings& text() { return workspace.settings().watermark.text; }
  FontChoice chosen() { return {text().font, text().fontColor}; }

  TextTools tools{workspace};
  RecordingEdit textEdit;
};

TEST_F(TextToolsTest, PickerFontChosenInTheCommandWindowBecomesTheTextFontAndItsColourTheFontColour) {
  tools.OpenCommandWindow();
  EXPECT_EQ(tools.pickerFont(), text().font);

  const FontChoice sans{{"DejaVu Sans", 12}, colors::kWhite};
  const FontChoice serif{{"DejaVu Serif", 20, true}, colors::kRed};
  prompter.fonts = {std::nullopt, serif};
  EXPECT_FALSE(tools.ChoosePickerFont());
  EXPECT_EQ(chosen(), sans);
  EXPECT_TRUE(tools.ChoosePickerFont());
  EXPECT_EQ(prompter.fontDialogs, std::vector(2, sans)) << "the dialog opens in the font colour";
  EXPECT_EQ(chosen(), serif);
  EXPECT_EQ(renders, 0) << "choosing a font renders only when the picker closes";

  tools.FinishSpecialCharacters(std::nullopt);
  tools.CloseCommandWindow();
  EXPECT_EQ(chosen(), serif);
  EXPECT_EQ(renders, 2);
  EXPECT_TRUE(textEdit.inserted.empty());
}

// The "Font color" panel of the 3D page writes the font colour; using the picker afterwards,
// applied or cancelled, keeps that colour instead of going back to the one the window
// opened with.
TEST_F(TextToolsTest, PickerKeepsAFontColourChosenWhileTheWindowIsOpen) {
  for (const bool apply : {false, true}) {
    text().fontColor = colors::kWhite;
    tools.OpenCommandWindow();
    text().fontColor = colors::kGreen;
    tools.StartSpecialCharacters();
    tools.FinishSpecialCharacters(apply ? std::optional<std::string>("\xC3\xA9") : std::nullopt);
    tools.CloseCommandWindow();
    EXPECT_EQ(text().fontColor, colors::kGreen) << apply;
  }
}

TEST_F(TextToolsTest, InsertsGoToTheBigEditorWhileItIsOpenAndRenderAtOnce) {
  RecordingEdit bigEditor;
  tools.InsertCommand("$date$");
  tools.OpenBigEditor(&bigEditor);
  tools.InsertCommand("$bold$");
  tools.FinishSpecialCharacters("\xC2\xA9\xC3\x9F");
  tools.FinishSpecialCharacters(std::nullopt);
  tools.FinishSpecialCharacters("");
  tools.CloseBigEditor();
  tools.InsertCommand(tools.TagFor(ColorTagKind::kDouble));

  EXPECT_EQ(textEdit.inserted, (std::vector<std::string>{"$date$", "$fcdC0C0C0$"}));
  EXPECT_EQ(bigEditor.inserted, (std::vector<std::string>{"$bold$", "\xC2\xA9\xC3\x9F"}));
  EXPECT_EQ(renders, 6);
}

TEST_F(TextToolsTest, TagColourChangesOnlyWhenChosen) {
  prompter.colors = {std::nullopt, MakeColor(0x12, 0xAB, 0x00)};
  EXPECT_FALSE(tools.ChooseTagColor());
  EXPECT_EQ(tools.TagFor(ColorTagKind::kNormal), "$fcnC0C0C0$");
  EXPECT_TRUE(tools.ChooseTagColor());
  EXPECT_EQ(tools.TagFor(ColorTagKind::kSingle), "$fcs12AB00$");
  EXPECT_EQ(renders, 0);
}

// A chosen format holds until the program ends: a configuration load, "Clear all options"
// and the configuration written at exit leave it alone.
TEST_F(TextToolsTest, ChosenDateAndTimeFormatsOutliveLoadsAndAreNeverStored) {
  tools.ChooseDateFormat(6);
  tools.ChooseTimeFormat(11);
  tools.ChooseDateFormat(15);
  tools.ChooseTimeFormat(-1);
  EXPECT_EQ(text().dateFormat, "yyyy-mm-dd");
  EXPECT_EQ(text().timeFormat, "hh:mm:ss:zzz AM/PM");

  const auto path = home / "work.ini";
  ASSERT_TRUE(WriteFileReplacing(path.string(), "[TEXTSECTION]\r\nfontsize=14\r\n"));
  prompter.files = {path};
  ASSERT_TRUE(workspace.LoadConfigurationCommand());
  ASSERT_EQ(text().font.points, 14);
  prompter.answers = {true};
  ASSERT_TRUE(workspace.ClearAllOptions());
  EXPECT_EQ(tools.dateFormatIndex(), 6);
  EXPECT_EQ(tools.timeFormatIndex(), 11);

  ASSERT_TRUE(WriteConfiguration(home / "out.ini", workspace.settings()));
  const std::string written = testing::FileContents(home / "out.ini");
  EXPECT_EQ(written.find("yyyy-mm-dd"), std::string::npos);
  EXPECT_EQ(written.find("AM/PM"), std::string::npos);

  text().dateFormat = "yyyy";  // set by name, as the command line does
  EXPECT_EQ(tools.dateFormatIndex(), -1);
}

// The example picture shows its lines in their tag colours: the tags were applied, not
// drawn. (Underline and strike-out lines are solid, so their colour appears unblended.)
TEST(TagExamplePicture, ShowsTheTagColours) {
  const RasterImage picture = TagExamplePicture("DejaVu Sans");
  for (const ColorValue color : {MakeColor(255, 255, 0), MakeColor(255, 128, 128), MakeColor(128, 255, 128)})
    EXPECT_GT(testing::CountPixels(picture, color), 0) << testing::Describe(SplitColor(color));
}

}  // namespace
}  // namespace quillstone
