#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStringList>
#include <QWheelEvent>

#include "config/configuration_file.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "support/window_fixture.h"
#include "ui/color_swatch.h"
#include "ui/combination_dialog.h"
#include "ui/zoom_view.h"

namespace quillstone {
namespace {

// The window over a tiny picture whose pixels are worked out by hand: an 8 x 8 black image,
// a 2 x 2 white logo at the top-left place, no frames.
class MainWindowTest : public testing::WindowTest {
 protected:
  MainWindowTest() {
    QObject::connect(&window, &MainWindow::rendered, [this] { lastRenderAt = clock.elapsed(); });
    workspace.SetLogoImage(RasterImage(2, 2, colors::kWhite));
    ShowPlain(RasterImage(8, 8), 0);
    clock.start();
  }

  Rgb Marked(int x, int y) const { return workspace.watermarkedImage().Pixel(x, y); }

  qint64 lastRenderAt = -1;
  QElapsedTimer clock;
};

TEST_F(MainWindowTest, SliderBurstRendersOnceHalfASecondAfterTheFirstMoveWithTheLastPosition) {
  auto* slider = Find<QScrollBar>("ScrollBar1");
  clock.restart();
  for (const int value : {10, 20, 30, 40, 73}) {
    slider->setValue(value);
    if (value != 73) QTest::qWait(75);
  }
  const qint64 lastMoveAt = clock.elapsed();
  ASSERT_LE(lastMoveAt, 400) << "the machine is too busy for this timing test";
  EXPECT_EQ(renders, 0);
  WaitForRender(1);
  ASSERT_EQ(renders, 1);
  EXPECT_GE(lastRenderAt, 495);
  // A timer restarted by each move would fire 500 ms after the last one.
  EXPECT_LT(lastRenderAt, lastMoveAt + 500);
  QTest::qWait(700);
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(Find<QLabel>("logopercentlabel")->text(), "73% logo");
  EXPECT_EQ(Find<QLabel>("imagepercentlabel")->text(), "27% image");
  EXPECT_EQ(Marked(0, 0), (Rgb{186, 186, 186})) << "73 % of white over black";
}

TEST_F(MainWindowTest, CombinationDialogRendersOnOkEvenUnchangedWhileTheSelectedItemDoesNot) {
  auto* lt = Find<QRadioButton>("RadioGroup2_1");
  lt->click();
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(Find<QLabel>("combinationlabel")->text(), "Watermarking action: Logo and Text");
  lt->click();
  EXPECT_EQ(renders, 1);

  // Clicking a dialog item moves the selector at once (one render); "OK" renders again.
  InDialog<CombinationDialog>(
      "CombinationWindow", [this] { Find<QAction>("menucombine")->trigger(); },
      [](CombinationDialog& dialog) {
        testing::Press(dialog, "combinationitem2");
        testing::Press(dialog, "combinationok");
      });
  EXPECT_EQ(renders, 3);
  EXPECT_TRUE(Find<QRadioButton>("RadioGroup2_2")->isChecked());
  EXPECT_EQ(workspace.settings().watermark.combination, CombinationOrder::kTL);
  EXPECT_EQ(Find<QLabel>("combinationlabel")->text(), "Watermarking action: Text and Logo");

  InDialog<CombinationDialog>(
      "CombinationWindow", [this] { Find<QPushButton>("combinebutton")->click(); },
      [](CombinationDialog& dialog) { testing::Press(dialog, "combinationok"); });
  EXPECT_EQ(renders, 4);
}

// A colour style chosen while the text action is on still asks for a render, through the
// debounce; that the render then draws no colour is the render's own rule.
TEST_F(MainWindowTest, ColorStyleChangeUnderUseTextRequestsARender) {
  Find<QRadioButton>("actiongroup2")->click();
  WaitForRender(1);
  renders = 0;
  Find<QListWidget>("colorstyle")->setCurrentRow(0);
  EXPECT_EQ(workspace.settings().watermark.color.style, 0);
  EXPECT_EQ(renders, 0);
  WaitForRender(1);
  EXPECT_EQ(renders, 1);
}

TEST_F(MainWindowTest, ConfigurationLoadRendersOnceAndAtMostOnceMoreLater) {
  const auto path = home / "work.ini";
  ASSERT_TRUE(
      WriteFileReplacing(path.string(),
                         "[LOGOSECTION]\r\nlogoprozent=30\r\n[COLORSECTION]\r\nblendinginpercent=20\r\n"
                         "stepinpixel=3\r\n"));
  prompter.files = {path};
  Find<QAction>("menuloadconfiguration")->trigger();
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(Find<QScrollBar>("ScrollBar2")->value(), 20);
  EXPECT_EQ(Find<QLabel>("steplabel")->text(), "Step 3");
  EXPECT_EQ(Find<QLabel>("lastconfigfile")->text(), "work.ini");
  QTest::qWait(700);
  EXPECT_LE(renders, 2);
}

TEST_F(MainWindowTest, ClearAndSetAllRenderOnceEach) {
  Find<QPushButton>("setallpositions")->click();
  EXPECT_EQ(renders, 1);
  for (const bool on : workspace.settings().watermark.logo.places) EXPECT_TRUE(on);
  Find<QPushButton>("clearpositions")->click();
  EXPECT_EQ(renders, 2);
  for (const bool on : workspace.settings().watermark.logo.places) EXPECT_FALSE(on);
  EXPECT_FALSE(Find<QCheckBox>("c5")->isChecked());
}

// The relative sizes and tiling are wired to their settings; tiling sets the places aside.
TEST_F(MainWindowTest, RelativeSizeAndTilingControlsSetTheirSettings) {
  const WatermarkSettings& s = workspace.settings().watermark;
  Find<QCheckBox>("logorelative")->click();
  Find<QCheckBox>("textrelative")->click();
  Find<QCheckBox>("logotile")->click();
  EXPECT_EQ(renders, 3);
  EXPECT_TRUE(s.logo.relativeSize && s.text.relativeSize && s.logo.tile);
  EXPECT_FALSE(Find<QCheckBox>("c1")->isEnabled());
  Find<QScrollBar>("logorelativepercent")->setValue(12);
  Find<QScrollBar>("logotilespacing")->setValue(100);
  Find<QScrollBar>("textrelativepercent")->setValue(7);
  EXPECT_EQ(s.logo.relativePercent, 12);
  EXPECT_EQ(s.logo.tileSpacing, 100);
  EXPECT_EQ(s.text.relativePercent, 7);
  auto* angle = Find<QComboBox>("logotileangle");
  angle->setCurrentIndex(3);
  emit angle->activated(3);
  EXPECT_EQ(s.logo.tileAngle, -30);
}

// The paper colours are bound as swatches that render also when the dialog is cancelled.
TEST_F(MainWindowTest, PaperColorSwatchRendersAlsoWhenCancelled) {
  workspace.settings().watermark.color.style = ColorStyleIndex(ColorStyle::kPaper2);
  window.ShowSettings();
  prompter.colors = {std::nullopt, colors::kRed};
  QTest::mouseClick(Find<ColorSwatch>("papercolor_02"), Qt::LeftButton);
  EXPECT_EQ(renders, 1);
  QTest::mouseClick(Find<ColorSwatch>("papercolor_02"), Qt::LeftButton);
  EXPECT_EQ(workspace.settings().watermark.color.paperColors[1], colors::kRed);
}

// Also with a long message in the status bar; on such a screen the controls scroll beside
// the picture, which shows whole and takes at least a third of the width.
TEST_F(MainWindowTest, FitsASmallScreen) {
  Find<QLabel>("statusmessage")->setText(QString(400, QLatin1Char('x')));
  const QSize least = window.minimumSizeHint();
  EXPECT_LE(least.width(), 1024);
  EXPECT_LE(least.height(), 600);
  window.resize(1024, 600);
  window.show();
  auto* picture = Find<QWidget>("fullviewscroll");
  EXPECT_EQ(picture->visibleRegion().boundingRect(), picture->rect());
  EXPECT_GE(picture->width(), 1024 / 3);
}

// A picture larger than the view shows fitted; the View entries, Ctrl + wheel and a drag
// zoom and pan the view, and the status bar follows. The marked picture stays as it was.
TEST_F(MainWindowTest, FullViewZoomsAndPans) {
  workspace.SetSourceImage(testing::MakeGradientRaster(3000, 2000), "big.bmp", home.path().string());
  window.RenderNow();
  const RasterImage marked = workspace.watermarkedImage();
  window.resize(1024, 600);
  window.show();
  auto* area = Find<ZoomView>("fullviewscroll");
  auto* zoom = Find<QLabel>("statuszoom");
  const double fit = area->zoom();
  EXPECT_LT(fit, 0.5);
  EXPECT_TRUE(zoom->text().endsWith("(fit)")) << zoom->text().toStdString();

  Find<QAction>("menuactualsize")->trigger();
  EXPECT_EQ(Find<QWidget>("fullimage")->size(), QSize(3000, 2000));
  EXPECT_EQ(zoom->text(), "Zoom 100%");
  Find<QAction>("menuzoomin")->trigger();
  EXPECT_DOUBLE_EQ(area->zoom(), 1.5);
  Find<QAction>("menuzoomout")->trigger();
  EXPECT_DOUBLE_EQ(area->zoom(), 1.0);

  // Dragging left and up shows more of the right and the bottom.
  auto* picture = Find<QWidget>("fullimage");
  const QPoint before(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
  QTest::mousePress(picture, Qt::LeftButton, {}, {1500, 1000});
  QTest::mouseMove(picture, {1460, 970});
  QTest::mouseRelease(picture, Qt::LeftButton, {}, {1460, 970});
  EXPECT_EQ(QPoint(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value()),
            before + QPoint(40, 30));

  Find<QAction>("menufittowindow")->trigger();
  EXPECT_DOUBLE_EQ(area->zoom(), fit);
  QWheelEvent wheel(QPointF(10, 10), area->viewport()->mapToGlobal(QPointF(10, 10)), {}, {0, 120},
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(area->viewport(), &wheel);
  EXPECT_GT(area->zoom(), fit);
  EXPECT_FALSE(area->fitting());
  EXPECT_EQ(workspace.watermarkedImage(), marked);
}

// Closing the window goes through the workspace's quit: No keeps it open, Yes writes the
// files (the workspace tests say which) and closes it.
TEST_F(MainWindowTest, ClosingAsksTheQuitQuestion) {
  prompter.answers = {false};
  EXPECT_FALSE(window.close());
  EXPECT_EQ(prompter.questions.size(), 1u);
  prompter.answers = {true};
  EXPECT_TRUE(window.close());
  EXPECT_TRUE(std::filesystem::exists(home / kDefaultConfigurationName));
}

// SIGTERM's way out writes the files and closes the window without the question.
TEST_F(MainWindowTest, QuittingWithoutTheQuestionWritesTheFilesAndCloses) {
  window.show();
  window.QuitWithoutQuestion();
  EXPECT_TRUE(std::filesystem::exists(home / kDefaultConfigurationName));
  EXPECT_FALSE(window.isVisible());
}

// Save, quit and quick help have the keys users expect, and no key is given twice.
TEST_F(MainWindowTest, ShortcutsIncludeSaveQuitAndHelpAndNoneIsGivenTwice) {
  const std::pair<const char*, QKeySequence> expected[] = {
      {"menusaveimage", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"menuquit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {"menuquickhelp", QKeySequence(Qt::Key_F1)},
  };
  for (const auto& [name, keys] : expected) EXPECT_EQ(Find<QAction>(name)->shortcut(), keys);
  QStringList given;
  for (const QAction* action : window.findChildren<QAction*>())
    for (const QKeySequence& keys : action->shortcuts()) given << keys.toString();
  for (const QShortcut* shortcut : window.findChildren<QShortcut*>())
    for (const QKeySequence& keys : shortcut->keys()) given << keys.toString();
  EXPECT_EQ(given.removeDuplicates(), 0) << given.join(' ').toStdString();
}

}  // namespace
}  // namespace quillstone
