#include "ui/effect_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "batch/batch_test_files.h"
#include "effects/effect_commands.h"
#include "support/window_fixture.h"
#include "ui/image_view.h"
#include "workspace/source_browsing.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

using testing::MakeGradientRaster;
using testing::Press;
using testing::TempDir;
using testing::WithCommands;

// The main window over a gradient picture; the effect window is driven by its object names.
class EffectWindowTest : public testing::WindowTest {
 protected:
  EffectWindowTest() {
    workspace.SetSourceImage(MakeGradientRaster(21, 13), "g.bmp", home.path().string());
    window.ShowSettings();
    Settle();
  }

  // Opens the effect window, maximised, through `open`, runs `steps` in it and goes back.
  void InEffectWindow(const std::function<void()>& open, const std::function<void(EffectWindow&)>& steps) {
    InDialog<EffectWindow>("EffectWindow", open, [&](EffectWindow& dialog) {
      EXPECT_TRUE(dialog.windowState() & Qt::WindowMaximized);
      steps(dialog);
      Press(dialog, "backtomain");
    });
  }

  static QStringList MacroShown(EffectWindow& dialog) {
    QStringList lines;
    auto* list = testing::Child<QListWidget>(dialog, "macrolist");
    for (int i = 0; list != nullptr && i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }
};

TEST_F(EffectWindowTest, ButtonsReachTheWorkbenchAndThePreviewShowsIt) {
  const RasterImage source = workspace.originalImage();
  const RasterImage marked = workspace.watermarkedImage();
  InEffectWindow([this] { Find<QPushButton>("effectwindowbutton")->click(); },
                 [&](EffectWindow& dialog) {
                   EXPECT_EQ(dialog.workbench().previewImage(), source);
                   Press(dialog, "effect_negative");
                   EXPECT_EQ(dialog.workbench().previewImage(), WithCommands(source, {"negative"}));
                   EXPECT_EQ(testing::Child<ImageView>(dialog, "previewimage")->image(),
                             RasterAsQImage(dialog.workbench().previewImage()));
                   Press(dialog, "addmacro_negative");
                   Press(dialog, "addmacro_emboss");
                   EXPECT_EQ(MacroShown(dialog), (QStringList{"negative", "emboss"}));
                   Press(dialog, "runmacro");
                   EXPECT_EQ(dialog.workbench().previewImage(), WithCommands(source, {"negative", "emboss"}));
                   Press(dialog, "reloadimage");
                   EXPECT_EQ(dialog.workbench().previewImage(), source);
                   dialog.findChild<QCheckBox*>("usemacro_checkbox")->click();
                   Press(dialog, "clearmacro");
                   EXPECT_TRUE(MacroShown(dialog).isEmpty());
                 });
  EXPECT_TRUE(workspace.effectMacro().useForAllImages);
  EXPECT_EQ(workspace.originalImage(), source);
  EXPECT_EQ(workspace.watermarkedImage(), marked);
}

// The Special functions entry opens the same window; the macro dialogs and the step through
// the source list are its own.
TEST_F(EffectWindowTest, MenuEntryOpensItWithTheMacroDialogsAndTheSourceSteps) {
  TempDir pictures;
  testing::WriteTestBmp(pictures / "a.bmp", 20, 12);
  testing::WriteTestBmp(pictures / "b.bmp", 14, 9);
  ASSERT_TRUE(ChangeSourceDirectory(workspace, pictures.path().string()));
  ASSERT_TRUE(ChangeFileMask(workspace, "*.bmp"));
  workspace.effectMacro().lines = {"negative"};
  prompter.files = {home / "m.qstmac", home / "m.qstmac"};
  InEffectWindow([this] { Find<QAction>("menueffectwindow")->trigger(); },
                 [&](EffectWindow& dialog) {
                   Press(dialog, "savemacro");
                   Press(dialog, "clearmacro");
                   Press(dialog, "loadmacro");
                   EXPECT_EQ(MacroShown(dialog), QStringList{"negative"});
                   Press(dialog, "nextimage");
                   EXPECT_EQ(workspace.currentFileName(), "b.bmp");
                   EXPECT_EQ(dialog.workbench().previewImage(),
                             WithCommands(MakeGradientRaster(14, 9), {"negative"}));
                 });
}

}  // namespace
}  // namespace quillstone
