#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTextBrowser>

#include "support/window_fixture.h"
#include "ui/full_screen_view.h"
#include "workspace/desktop_fakes.h"

namespace quillstone {
namespace {

// The desktop entries of the main window reach their commands with the window's services.
class DesktopCommandsWindowTest : public testing::WindowTest {
 protected:
  DesktopCommandsWindowTest() {
    window.UseDesktopServices(clipboard, wallpaper, priority);
    workspace.SetSourceImage(testing::MakeGradientRaster(24, 16), "g.bmp", home.path().string());
    window.ShowSettings();
    Settle();
  }

  QAction* Entry(const char* name) { return Find<QAction>(name); }

  testing::FakeClipboard clipboard;
  testing::FakeWallpaper wallpaper;
  testing::FakePriority priority;
};

TEST_F(DesktopCommandsWindowTest, ClipboardAndWallpaperEntries) {
  prompter.answers = {true, true, true, true, true};
  Entry("menuclipboardcopy")->trigger();
  EXPECT_EQ(clipboard.held, workspace.watermarkedImage());
  clipboard.held = testing::MakeGradientRaster(10, 6);
  Entry("menuclipboardget")->trigger();
  EXPECT_EQ(workspace.currentFileName(), "temp.bmp");
  for (const char* entry : {"menuwallpaperstretched", "menuwallpapercentered", "menuwallpapertiled"})
    Entry(entry)->trigger();
  std::vector<std::string> placements;
  for (const Wallpaper& applied : wallpaper.applied) placements.push_back(applied.placement);
  EXPECT_EQ(placements, (std::vector<std::string>{"stretched", "centered", "wallpaper"}));
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
  Find<QPushButton>("fullviewbutton")->click();
  EXPECT_EQ(opener.opened, std::vector<std::filesystem::path>{home / "temp2.bmp"});
  EXPECT_EQ(window.findChild<FullScreenView*>("fullscreenview"), nullptr);
  opener.opens = false;
  Entry("menufullview")->trigger();
  auto* view = Find<FullScreenView>("fullscreenview");
  EXPECT_TRUE(view->isVisible());
  view->close();
}

// Help entries show the shipped file in the program's own window; its extra button hands
// the file to the desktop's program.
TEST_F(DesktopCommandsWindowTest, HelpWindowShowsTheShippedQuickHelp) {
  Entry("menuquickhelp")->trigger();
  auto* help = Find<QDialog>("helpwindow");
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(testing::FindChild<QTextBrowser>(*help, "helpbrowser")->documentTitle(), "Quillstone quick help");
  EXPECT_TRUE(opener.opened.empty());
  testing::FindChild<QPushButton>(*help, "helpopenexternal")->click();
  EXPECT_EQ(opener.opened,
            std::vector<std::filesystem::path>{testing::SourceDir() / "data" / kQuickHelpFileName});
  help->close();
}

}  // namespace
}  // namespace quillstone
