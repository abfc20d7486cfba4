#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTextBrowser>

#include "support/test_support.h"
#include "ui/full_screen_view.h"
#include "ui/main_window.h"
#include "workspace/desktop_fakes.h"
#include "workspace/scripted_prompter.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

using testing::TempDir;

// The desktop entries of the main window reach their commands with the window's services.
class DesktopCommandsWindowTest : public ::testing::Test {
 protected:
  DesktopCommandsWindowTest()
      : workspace(prompter, opener, {testing::SourceDir() / "data", home.path()}),
        window(workspace, prompter) {
    window.UseDesktopServices(clipboard, wallpaper, priority);
    workspace.SetSourceImage(testing::MakeGradientRaster(24, 16), "g.bmp", home.path().string());
    window.ShowSettings();
    window.renderDebounce().Flush();
  }

  QAction* Entry(const char* name) {
    QAction* action = window.findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name;
    EXPECT_TRUE(action != nullptr && action->isEnabled()) << name;
    return action;
  }

  TempDir home;
  testing::ScriptedPrompter prompter;
  testing::RecordingOpener opener;
  testing::FakeClipboard clipboard;
  testing::FakeWallpaper wallpaper;
  testing::FakePriority priority;
  Workspace workspace;
  MainWindow window;
};

TEST_F(DesktopCommandsWindowTest, ClipboardAndWallpaperEntries) {
  prompter.answers = {true, true, true};
  Entry("menuclipboardcopy")->trigger();
  EXPECT_EQ(clipboard.held, workspace.watermarkedImage());
  clipboard.held = testing::MakeGradientRaster(10, 6);
  Entry("menuclipboardget")->trigger();
  EXPECT_EQ(workspace.currentFileName(), "temp.bmp");
  Entry("menuwallpaperstretched")->trigger();
  ASSERT_EQ(wallpaper.applied.size(), 1u);
  EXPECT_EQ(wallpaper.applied[0].placement, "stretched");
  prompter.answers = {false, false};
  Entry("menuwallpapercentered")->trigger();
  Entry("menuwallpapertiled")->trigger();
  EXPECT_EQ(wallpaper.applied.size(), 1u);
}

TEST_F(DesktopCommandsWindowTest, RefusedPriorityKeepsTheCheckMark) {
  priority.refuseRaising = true;
  Entry("menuidlepriority")->trigger();
  EXPECT_TRUE(Entry("menuidlepriority")->isChecked());
  Entry("menuhighpriority")->trigger();
  EXPECT_TRUE(Entry("menuidlepriority")->isChecked());
  EXPECT_FALSE(Entry("menuhighpriority")->isChecked());
  EXPECT_EQ(prompter.messages.size(), 1u);
}

// The desktop's program first; where it cannot show the picture, the window's own view.
TEST_F(DesktopCommandsWindowTest, FullViewFallsBackToTheOwnView) {
  window.findChild<QPushButton*>("fullviewbutton")->click();
  EXPECT_EQ(opener.opened, std::vector<std::filesystem::path>{home / "temp2.bmp"});
  EXPECT_EQ(window.findChild<FullScreenView*>("fullscreenview"), nullptr);
  opener.opens = false;
  Entry("menufullview")->trigger();
  auto* view = window.findChild<FullScreenView*>("fullscreenview");
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isVisible());
  view->close();
}

// Help entries show the shipped file in the program's own window; its extra button hands
// the file to the desktop's program.
TEST_F(DesktopCommandsWindowTest, HelpWindowShowsTheShippedQuickHelp) {
  Entry("menuquickhelp")->trigger();
  auto* help = window.findChild<QDialog*>("helpwindow");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->findChild<QTextBrowser*>("helpbrowser")->documentTitle(), "Quillstone quick help");
  EXPECT_TRUE(opener.opened.empty());
  help->findChild<QPushButton*>("helpopenexternal")->click();
  EXPECT_EQ(opener.opened,
            std::vector<std::filesystem::path>{testing::SourceDir() / "data" / kQuickHelpFileName});
  help->close();
}

}  // namespace
}  // namespace quillstone
