#include "ui/batch_page.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

#include "batch/batch_test_files.h"
#include "support/window_fixture.h"
#include "workspace/source_browsing.h"

namespace quillstone {
namespace {

using testing::TempDir;

// The window over a folder of tiny pictures: a.jpg 24 x 16, b.jpg 25 x 16, ... so each
// file can be told apart by its width.
class BatchPageTest : public testing::WindowTest {
 protected:
  BatchPageTest() : page(Find<BatchPage>("batchpage")) {
    QObject::connect(page, &BatchPage::progressText,
                     [this](const QString& text) { progress.push_back(text.toStdString()); });
  }

  void MakePictures(int count) {
    for (int i = 0; i < count; ++i) {
      testing::WriteTestJpeg(source / (std::string(1, static_cast<char>('a' + i)) + ".jpg"), 24 + i, 16);
    }
    testing::WriteTestBmp(source / "skipped.bmp");
  }

  void ShowFolder(const std::filesystem::path& folder) {
    auto* edit = Find<QLineEdit>("directoryedit");
    edit->setText(QString::fromStdString(folder.string()));
    emit edit->returnPressed();
  }

  void PickDestination() {
    prompter.directories = {destination.path()};
    Find<QPushButton>("destinationbutton")->click();
  }

  QString Text(const char* label) { return Find<QLabel>(label)->text(); }

  TempDir source;
  TempDir destination;
  BatchPage* page;
  std::vector<std::string> progress;
};

TEST_F(BatchPageTest, RunOfThreeShowsEachStepEndsReadyWithTheSummaryAndRemembersTheDestination) {
  MakePictures(3);
  ShowFolder(source.path());
  PickDestination();
  prompter.answers = {true};
  Find<QPushButton>("startbatch")->click();

  EXPECT_EQ(prompter.questions.size(), 1u);
  EXPECT_EQ(progress, (std::vector<std::string>{"Progress 1/3", "Progress 2/3", "Progress 3/3", "Ready"}));
  EXPECT_EQ(Text("statusprogress"), "Ready");
  EXPECT_EQ(Text("statusmessage"), "3 written");
  EXPECT_EQ(Text("progresslabel"), "Progress 3/3");
  EXPECT_EQ(testing::FolderEntries(destination.path()),
            (std::vector<std::string>{"new_a.jpg", "new_b.jpg", "new_c.jpg"}));
  EXPECT_TRUE(prompter.messages.empty());
  // The last image is shown; the page and the menus are free again.
  EXPECT_EQ(Text("loadedfilename"), "c.jpg");
  EXPECT_FALSE(Find<QPushButton>("stopbatch")->isEnabled());
  EXPECT_TRUE(Find<QPushButton>("startbatch")->isEnabled());
  EXPECT_TRUE(Find<QTabWidget>("mainpages")->tabBar()->isEnabled());
  EXPECT_TRUE(Find<QMenu>("filemenu")->isEnabled());
  EXPECT_EQ(workspace.destinationHistory().entries(),
            std::vector<std::string>{destination.path().string() + "/"});
}

TEST_F(BatchPageTest, StopAfterTheSecondOfFiveEndsTheRunAndReopensTheSecond) {
  MakePictures(5);
  ShowFolder(source.path());
  PickDestination();
  page->SetJobs(1);
  bool textMenuDuringRun = true;
  QObject::connect(page, &BatchPage::progressText, [&](const QString& text) {
    if (text != "Progress 2/5") return;
    // A tool window opened now would hold the run up until it is closed.
    textMenuDuringRun = Find<QMenu>("textmenu")->isEnabled();
    Find<QPushButton>("stopbatch")->click();
  });
  prompter.answers = {true, true};
  Find<QPushButton>("startbatch")->click();

  EXPECT_EQ(prompter.questions.size(), 2u) << "start and stop";
  EXPECT_EQ(progress, (std::vector<std::string>{"Progress 1/5", "Progress 2/5", "Ready"}));
  EXPECT_EQ(Text("statusmessage"), "Stopped after 2 of 5: 2 written, 3 not processed");
  EXPECT_EQ(Find<QProgressBar>("progressbar")->value(), 2);
  EXPECT_EQ(workspace.currentFileName(), "b.jpg");
  EXPECT_EQ(workspace.originalImage().Width(), 25);
  EXPECT_EQ(Text("fileposition"), "2/5");
  EXPECT_FALSE(textMenuDuringRun);
  EXPECT_TRUE(Find<QMenu>("textmenu")->isEnabled());
}

// The page's compression preview: nothing marked is said, not shown; "Next image" opens the
// next listed file into the image the window shows; "OK" reaches the page's JPEG options.
TEST_F(BatchPageTest, JpegPreviewStepsThroughTheListAndItsChoiceReachesThePage) {
  MakePictures(3);
  ShowFolder(source.path());
  Find<QPushButton>("jpegpreviewbutton")->click();
  EXPECT_TRUE(prompter.jpegOpenedOn.empty());
  EXPECT_EQ(prompter.messages.size(), 1u);

  ASSERT_TRUE(StepSourceFile(workspace, SourceStep::kReload));
  ASSERT_EQ(workspace.currentFileName(), "a.jpg");
  int widthShown = 0;
  prompter.jpegWindow = [&widthShown](const JpegPreviewRequest& request) {
    request.next();
    widthShown = request.image.Width();
    return JpegOptions{35, true, false};
  };
  Find<QPushButton>("jpegpreviewbutton")->click();
  EXPECT_EQ(prompter.jpegOpenedOn.size(), 1u);
  EXPECT_EQ(workspace.currentFileName(), "b.jpg");
  EXPECT_EQ(workspace.originalImage().Width(), 25);
  EXPECT_EQ(widthShown, workspace.watermarkedImage().Width());
  EXPECT_EQ(Text("loadedfilename"), "b.jpg");
  EXPECT_EQ(Find<QScrollBar>("compression_scroll")->value(), 35);
  EXPECT_TRUE(Find<QCheckBox>("grayscale_check")->isChecked());
  EXPECT_EQ(workspace.sharedJpegQuality(), 35);
}

TEST_F(BatchPageTest, MaskEntryStepsAndAnEmptyFolder) {
  MakePictures(3);
  ShowFolder(source.path());
  EXPECT_EQ(Text("filecount"), "3 file(s)");

  auto* mask = Find<QLineEdit>("edit1");
  mask->setText("*.bmp");
  emit mask->returnPressed();
  EXPECT_EQ(Text("filecount"), "1 file(s)");
  mask->setText("*.gif");
  emit mask->returnPressed();
  EXPECT_EQ(mask->text(), "*.jpg");
  EXPECT_EQ(Text("filecount"), "3 file(s)");

  // "Next" from the last entry opens the first; "Previous" from the first the last.
  auto* next = Find<QPushButton>("nextbutton");
  auto* previous = Find<QPushButton>("previousbutton");
  Find<QListWidget>("filelist")->setCurrentRow(2);
  next->click();
  EXPECT_EQ(workspace.currentFileName(), "a.jpg");
  EXPECT_EQ(Text("fileposition"), "1/3");
  previous->click();
  EXPECT_EQ(workspace.currentFileName(), "c.jpg");
  EXPECT_EQ(Text("loadedfilename"), "c.jpg");

  TempDir empty;
  ShowFolder(empty.path());
  EXPECT_EQ(Text("filecount"), "0 file(s)");
  EXPECT_EQ(Text("fileposition"), "0/0");
  for (const char* name : {"previousbutton", "nextbutton", "reloadbutton"}) {
    EXPECT_FALSE(Find<QPushButton>(name)->isEnabled()) << name;
  }
}

TEST_F(BatchPageTest, HistoryMenuShowsClickedFoldersAndRefusesOnesThatAreGone) {
  MakePictures(1);
  ShowFolder(source.path());
  auto* list = Find<QListWidget>("filelist");
  emit list->itemClicked(list->item(0));
  const std::string folder = source.path().string() + "/";

  auto* anchor = Find<QAction>("menusourcedirectories");
  const QList<QAction*> items = Find<QMenu>("historymenu")->actions();
  const qsizetype at = items.indexOf(anchor);
  ASSERT_LT(at + 2, items.size());
  EXPECT_TRUE(items[at + 1]->isSeparator());
  EXPECT_EQ(items[at + 2]->text().toStdString(), "&1 " + folder);
  EXPECT_EQ(items[at + 2]->toolTip().toStdString(), "Opens " + folder);
  // Choosing it lists and previews the folder again, which rebuilds the menu under it.
  Find<QTabWidget>("mainpages")->setCurrentIndex(0);
  items[at + 2]->trigger();
  EXPECT_TRUE(Find<QTabWidget>("mainpages")->currentWidget()->isAncestorOf(page));

  // A destination folder that has gone since it was used.
  {
    TempDir gone;
    workspace.destinationHistory().Add(gone.path().string());
  }
  window.ShowSettings();
  const QList<QAction*> after = Find<QMenu>("historymenu")->actions();
  after[after.indexOf(Find<QAction>("menudestinationdirectories")) + 2]->trigger();
  EXPECT_EQ(prompter.messages,
            std::vector<std::string>{"ERROR: Destinationdirectory does not longer exist !"});
  EXPECT_EQ(Find<QLineEdit>("destinationdirectory")->text(), "");
}

TEST_F(BatchPageTest, SaveSwitchesReachTheSaveOptions) {
  Find<QCheckBox>("stripmetadata")->click();
  Find<QCheckBox>("keepjpegblocks_check")->click();
  EXPECT_TRUE(workspace.saveOptions().stripMetadata);
  EXPECT_TRUE(workspace.saveOptions().jpeg.keepUntouchedBlocks);
}

}  // namespace
}  // namespace quillstone
