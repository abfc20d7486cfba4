#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QUrl>
#include <fstream>

#include "imagefiles/bmp_writer.h"
#include "support/window_fixture.h"
#include "ui/custom_size_dialog.h"
#include "ui/jpeg_preview_window.h"
#include "workspace/save_flow.h"
#include "workspace/source_loading.h"

namespace quillstone {
namespace {

using testing::TempDir;

using testing::WhenModal;

class LoadSaveWindowTest : public testing::WindowTest {
 protected:
  LoadSaveWindowTest() {
    QObject::connect(&window, &MainWindow::rendered,
                     [this] { rendered.push_back(workspace.currentFileName()); });
    workspace.settings().watermark.frame.outerOn = false;
    workspace.settings().watermark.frame.innerOn = false;
    window.renderDebounce().Flush();
    rendered.clear();
  }

  std::filesystem::path Picture(const std::string& name, int width = 6, int height = 4) {
    const std::filesystem::path path = pictures / name;
    EXPECT_TRUE(WriteBmp(testing::MakeGradientRaster(width, height), path));
    return path;
  }

  TempDir pictures;
  std::vector<std::string> rendered;
};

TEST_F(LoadSaveWindowTest, DroppingThreeFilesLoadsEachInOrderAndSelectsTheLast) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(Picture("a.bmp").string())),
                QUrl::fromLocalFile(QString::fromStdString((pictures / "gone.bmp").string())),
                QUrl::fromLocalFile(QString::fromStdString(Picture("b.bmp").string())),
                QUrl::fromLocalFile(QString::fromStdString(Picture("c.bmp").string()))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);

  EXPECT_EQ(rendered, (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
  EXPECT_EQ(workspace.sourceFiles().SelectedName(), "c.bmp");
  EXPECT_EQ(Find<QLabel>("loadedfilename")->text(), "c.bmp");
}

// The orientation and the size preset reload the file shown (the workspace tests say which
// file that is when the source list has another selected).
TEST_F(LoadSaveWindowTest, OrientationAndSizeReloadTheFileShownAndSetTheTurnBackSwitch) {
  ASSERT_TRUE(LoadSourceImage(workspace, Picture("p.bmp", 6, 4)));
  auto* list = Find<QComboBox>("RotationCombobox");
  auto* back = Find<QCheckBox>("originalalignment");
  EXPECT_TRUE(back->isEnabled());  // the camera's turn can be undone
  rendered.clear();

  list->setCurrentIndex(1);
  emit list->activated(1);
  EXPECT_TRUE(back->isEnabled());
  EXPECT_EQ(workspace.originalImage().Width(), 4);

  list->setCurrentIndex(0);
  emit list->activated(0);
  EXPECT_FALSE(back->isEnabled());
  EXPECT_EQ(workspace.originalImage().Width(), 6);

  Find<QRadioButton>("sizegroup25")->click();  // 200 %, sharpened: 10 x 6
  EXPECT_EQ(workspace.originalImage().Width(), 10);
  EXPECT_EQ(rendered, (std::vector<std::string>{"p.bmp", "p.bmp", "p.bmp"}));
  EXPECT_EQ(Find<QLabel>("loadedfilename")->text(), "p.bmp");
}

// A file that cannot be read leaves the label and is named in the status bar (the workspace
// tests say what else it leaves).
TEST_F(LoadSaveWindowTest, UnreadableFileKeepsTheLabelAndIsNamedInTheStatusBar) {
  ASSERT_TRUE(LoadSourceImage(workspace, Picture("p.bmp", 6, 4)));
  window.ShowSettings();
  std::ofstream(pictures / "text.jpg") << "not a picture";
  prompter.files = {pictures / "text.jpg"};
  Find<QPushButton>("loadimagebutton")->click();
  EXPECT_EQ(Find<QLabel>("loadedfilename")->text(), "p.bmp");
  EXPECT_TRUE(Find<QLabel>("statusmessage")->text().contains("text.jpg"));
}

TEST_F(LoadSaveWindowTest, CustomWidthOutOfRangeIsNamedAndSetBackTo320) {
  Find<QRadioButton>("sizegroup26")->click();
  auto* panel = Find<QGroupBox>("customvalues");
  EXPECT_FALSE(panel->isHidden());
  InDialog(
      "customsize", [this] { Find<QPushButton>("customsizebutton")->click(); },
      [](QDialog& dialog) {
        auto* width = testing::Child<QLineEdit>(dialog, "customwidth");
        width->setText("5");
        testing::Press(dialog, "customback");
        EXPECT_EQ(width->text(), "320");
        EXPECT_TRUE(dialog.isVisible());
        testing::Child<QLineEdit>(dialog, "customheight")->setText("100");
        testing::Press(dialog, "customback");
        EXPECT_FALSE(dialog.isVisible());
      });
  EXPECT_EQ(prompter.messages,
            std::vector<std::string>{"Custom size: " + std::string(kCustomSideOutOfRange)});
  EXPECT_EQ(panel->title(), "w320xh100");
  EXPECT_EQ(workspace.settings().resize.customHeight, 100);
}

// The preview opened for a save of a 50 x 40 image cannot move its square and has no
// stepping buttons; it opens on the shared quality 80's option. The custom quality chosen
// there reaches the batch options; the next save's preview opens on it, and leaving that
// one by "Cancel" or Escape cancels the save (which then writes nothing, as the workspace
// tests check).
TEST_F(LoadSaveWindowTest, JpegPreviewOpensOnTheSharedQualityAndCancelWritesNothing) {
  JpegPreviewWindow preview;
  prompter.jpegWindow = [&preview](const JpegPreviewRequest& request) { return preview.Run(request); };
  workspace.SetSourceImage(testing::MakeGradientRaster(50, 40), "g.bmp", pictures.path().string());
  workspace.Render();
  WhenModal([&] {
    EXPECT_EQ(testing::Child<QScrollBar>(preview, "xoffset")->maximum(), 0);
    EXPECT_EQ(testing::Child<QScrollBar>(preview, "yoffset")->maximum(), 0);
    EXPECT_FALSE(testing::Child<QPushButton>(preview, "nextimage")->isVisible());
    EXPECT_TRUE(testing::Child<QRadioButton>(preview, "compression80")->isChecked());
    testing::Press(preview, "customcompression");
    testing::Child<QScrollBar>(preview, "customslider")->setValue(35);
    testing::Press(preview, "jpegok");
    preview.close();  // left open only when the button is missing
  });
  prompter.saveChoices = {SaveFileChoice{pictures / "first.jpg", kInitialSaveFilter}};
  Find<QPushButton>("saveimagebutton")->click();
  ASSERT_TRUE(std::filesystem::exists(pictures / "first.jpg"));
  EXPECT_EQ(Find<QScrollBar>("compression_scroll")->value(), 35);

  for (const bool escape : {false, true}) {
    WhenModal([&] {
      EXPECT_TRUE(testing::Child<QRadioButton>(preview, "customcompression")->isChecked()) << escape;
      EXPECT_EQ(testing::Child<QScrollBar>(preview, "customslider")->value(), 35) << escape;
      if (escape) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&preview, &key);
      } else {
        testing::Press(preview, "jpegcancel");
      }
      preview.close();
    });
    prompter.saveChoices = {SaveFileChoice{pictures / "second.jpg", kInitialSaveFilter}};
    EXPECT_TRUE(SaveInteractive(workspace).cancelled()) << escape;
  }
}

}  // namespace
}  // namespace quillstone
