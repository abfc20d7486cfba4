#include "workspace/effect_workbench.h"

#include <gtest/gtest.h>

#include "batch/batch_test_files.h"
#include "effects/effect_commands.h"
#include "effects/effect_macro.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

using testing::WithCommands;

// The command's index in the window's list.
int Command(std::string_view word) {
  const EffectCommand* command = FindEffectCommand(word);
  EXPECT_NE(command, nullptr) << word;
  return command ? static_cast<int>(command - kEffectCommands.data()) : -1;
}

// The source with the words' commands run on it in turn.
class EffectWorkbenchTest : public testing::WorkspaceTest {
 protected:
  EffectWorkbenchTest() {
    workspace.SetSourceImage(testing::MakeGradientRaster(23, 17), "g.bmp", home.path().string());
    workspace.Render();
    bench.Reload();
  }

  const RasterImage& source() const { return workspace.originalImage(); }

  EffectWorkbench bench{workspace};
};

// Each command button starts again from the source; a replayed macro accumulates in list
// order and skips every line that is not exactly a macro word; an empty macro changes
// nothing, not even a preview that shows a single command's result.
TEST_F(EffectWorkbenchTest, ReplayRules) {
  const struct {
    const char* label;
    std::vector<const char*> clicks;  // command buttons clicked first
    bool runMacro;                    // then "Run macro" with these lines
    std::vector<std::string> macro;
    std::initializer_list<const char*> expected;  // commands the preview shows on the source
  } cases[] = {
      {"click twice", {"negative", "negative"}, false, {}, {"negative"}},
      {"clicks do not add up", {"emboss", "brightnessmore"}, false, {}, {"brightnessmore"}},
      {"macro twice", {}, true, {"negative", "negative"}, {"negative", "negative"}},
      {"macro starts from the source", {"smooth"}, true, {"negative"}, {"negative"}},
      {"empty macro keeps the preview", {"emboss"}, true, {}, {"emboss"}},
      {"nothing but other lines", {"smooth"}, true, {"Emboss"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    bench.Reload();
    for (const char* click : c.clicks) bench.RunCommand(Command(click));
    workspace.effectMacro().lines = c.macro;
    if (c.runMacro) bench.RunMacro();
    EXPECT_EQ(bench.previewImage(), WithCommands(source(), c.expected));
  }
}

TEST_F(EffectWorkbenchTest, NothingButThePreviewChanges) {
  const RasterImage original = source();
  const RasterImage marked = workspace.watermarkedImage();
  const ProgramSettings settings = workspace.settings();
  workspace.effectMacro().lines = {"negative", "emboss"};
  bench.RunCommand(Command("fullred"));
  bench.RunMacro();
  EXPECT_NE(bench.previewImage(), original);
  EXPECT_EQ(source(), original);
  EXPECT_EQ(workspace.watermarkedImage(), marked);
  EXPECT_EQ(workspace.settings(), settings);
  bench.Reload();
  EXPECT_EQ(bench.previewImage(), original);
}

// The window repaints after every line, skipped ones too, while the replay runs; the flag
// is down again afterwards, so the next click starts from the source.
TEST_F(EffectWorkbenchTest, ReplayReportsEachLineWhileRunning) {
  workspace.effectMacro().lines = {"negative", "unknown", "smooth"};
  std::vector<bool> running;
  bench.RunMacro([&] { running.push_back(bench.macroRunning()); });
  EXPECT_EQ(running, (std::vector<bool>{true, true, true}));
  EXPECT_FALSE(bench.macroRunning());
  bench.RunCommand(Command("smooth"));
  EXPECT_EQ(bench.previewImage(), WithCommands(source(), {"smooth"}));
}

// "Show next image" takes the main window's step and shows the new source with the macro;
// with an empty macro the new source unchanged.
TEST_F(EffectWorkbenchTest, NextImageStepsTheSourceAndReplaysTheMacro) {
  testing::WriteTestBmp(pictures / "a.bmp", 20, 12);
  testing::WriteTestBmp(pictures / "b.bmp", 14, 9);
  ASSERT_TRUE(ChangeSourceDirectory(workspace, pictures.path().string()));
  ASSERT_TRUE(ChangeFileMask(workspace, "*.bmp"));
  ASSERT_EQ(workspace.sourceFiles().SelectedName(), "a.bmp");
  workspace.effectMacro().lines = {"negative", "emboss"};

  EXPECT_TRUE(bench.ShowNeighbour(SourceStep::kNext));
  EXPECT_EQ(workspace.currentFileName(), "b.bmp");
  EXPECT_EQ(bench.previewImage(), WithCommands(testing::MakeGradientRaster(14, 9), {"negative", "emboss"}));

  bench.ClearMacro();
  EXPECT_TRUE(bench.ShowNeighbour(SourceStep::kPrevious));
  EXPECT_EQ(workspace.currentFileName(), "a.bmp");
  EXPECT_EQ(bench.previewImage(), testing::MakeGradientRaster(20, 12));
}

TEST_F(EffectWorkbenchTest, MacroFilesThroughTheDialogs) {
  for (const char* word : {"negative", "smooth", "negative"}) bench.AddToMacro(Command(word));
  prompter.files = {home / "mine.qstmac"};
  ASSERT_TRUE(bench.SaveMacroCommand());
  bench.ClearMacro();
  EXPECT_TRUE(bench.macroList().empty());
  prompter.files = {home / "mine.qstmac"};
  ASSERT_TRUE(bench.LoadMacroCommand());
  EXPECT_EQ(bench.macroList(), (std::vector<std::string>{"negative", "smooth", "negative"}));

  // A file that is no macro, or a cancelled dialog, leaves the macro as it was.
  testing::WriteFile(home / "photo.qstmac", std::string("\xFF\xD8\xFF\0\0", 5));
  prompter.files = {home / "photo.qstmac"};
  EXPECT_FALSE(bench.LoadMacroCommand());
  EXPECT_FALSE(bench.LoadMacroCommand());
  EXPECT_EQ(bench.macroList().size(), 3u);
  EXPECT_THAT(prompter.messages, ::testing::ElementsAre(::testing::HasSubstr("photo.qstmac")));

  // A failed write is named and writes nothing.
  prompter.files = {home / "missing" / "m.qstmac"};
  EXPECT_FALSE(bench.SaveMacroCommand());
  EXPECT_EQ(prompter.messages.size(), 2u);
}

}  // namespace
}  // namespace quillstone
