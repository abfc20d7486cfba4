#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <functional>

#include "imagefiles/bmp_writer.h"
#include "support/test_support.h"
#include "ui/color_swatch.h"
#include "ui/main_window.h"
#include "workspace/banner_flow.h"
#include "workspace/scripted_prompter.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

using testing::TempDir;

void Click(QWidget* widget) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

// Replaces the field's text by typing, key by key.
void Type(QLineEdit* field, const QString& keys) {
  field->selectAll();
  for (const QChar key : keys) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(key));
    QApplication::sendEvent(field, &press);
  }
}

// The window over a 20 x 10 black picture with frames off and no logo place, so a render
// shows only what a decoration window changed.
class DecorWindowsTest : public ::testing::Test {
 protected:
  DecorWindowsTest()
      : workspace(prompter, opener, {testing::SourceDir() / "data", home.path()}),
        window(workspace, prompter) {
    QObject::connect(&window, &MainWindow::rendered, [this] { ++renders; });
    WatermarkSettings& s = workspace.settings().watermark;
    s.frame.outerOn = false;
    s.frame.innerOn = false;
    s.logo.places.fill(false);
    workspace.SetSourceImage(RasterImage(20, 10), "black.bmp", home.path().string());
    window.ShowSettings();
    window.renderDebounce().Flush();
    renders = 0;
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Opens a window by `open` and runs `steps` inside it once it shows; the steps close it.
  void InWindow(const char* name, const std::function<void()>& open,
                const std::function<void(QDialog*)>& steps) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = window.findChild<QDialog*>(name);
      ASSERT_NE(dialog, nullptr) << name;
      EXPECT_TRUE(dialog->isVisible());
      ran = true;
      steps(dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    open();
    EXPECT_TRUE(ran) << name << " did not open";
  }

  template <typename T>
  static T* In(QDialog* dialog, const char* name) {
    T* widget = dialog->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  const RasterImage& Marked() const { return workspace.watermarkedImage(); }

  TempDir home;
  testing::ScriptedPrompter prompter;
  testing::RecordingOpener opener;
  Workspace workspace;
  MainWindow window;
  int renders = 0;
};

// A width bar of a frame that is off renders nothing; switched on, the frame and its width
// reach the main window's switch and, at "Back", the picture.
TEST_F(DecorWindowsTest, FrameButtonOpensFrameControlWhoseChangesRenderLaterAndAtBack) {
  InWindow(
      "FrameWindow", [this] { Find<QPushButton>("framebutton")->click(); },
      [this](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Frame control");
        auto* width = In<QScrollBar>(dialog, "outerframewidth");
        width->setValue(3);
        EXPECT_EQ(In<QLabel>(dialog, "outerframewidthlabel")->text(), "3");
        EXPECT_FALSE(window.renderDebounce().Pending()) << "the outer frame is off";
        In<QCheckBox>(dialog, "drawouterframe")->click();
        EXPECT_TRUE(window.renderDebounce().Pending());
        prompter.colors = {colors::kRed};
        In<QPushButton>(dialog, "outerframecolorbutton")->click();
        EXPECT_EQ(In<ColorSwatch>(dialog, "outerframecolor")->color(), colors::kRed);
        In<QPushButton>(dialog, "frameback")->click();
      });
  const FrameSettings& frame = workspace.settings().watermark.frame;
  EXPECT_TRUE(frame.outerOn);
  EXPECT_EQ(frame.outerWidth, 3);
  EXPECT_EQ(frame.outerColor, colors::kRed);
  EXPECT_TRUE(Find<QCheckBox>("outerframecheck")->isChecked());
  EXPECT_EQ(renders, 1) << "the pending render, once, at Back";
  EXPECT_FALSE(window.renderDebounce().Pending());
  EXPECT_EQ(Marked().Width(), 26);
  EXPECT_EQ(Marked().Pixel(0, 0), SplitColor(colors::kRed));
}

TEST_F(DecorWindowsTest, ExpandButtonOpensTheTextureWindowOnTheSettingsTheCommandLineSets) {
  ASSERT_TRUE(WriteBmp(RasterImage(7, 5, colors::kGreen), home / "green.bmp").ok());
  prompter.files = {home / "green.bmp"};
  prompter.colors = {colors::kBlue};
  InWindow(
      "TextureWindow", [this] { Find<QPushButton>("expandbutton")->click(); },
      [this](QDialog* dialog) {
        auto* mode = In<QWidget>(dialog, "texture_options");
        EXPECT_FALSE(mode->isEnabled()) << "the mode waits for Expand image";
        In<QCheckBox>(dialog, "expand_checkbox")->click();
        EXPECT_TRUE(mode->isEnabled());
        In<QRadioButton>(dialog, "texture_options0")->click();
        In<QScrollBar>(dialog, "Scroll_bottom")->setValue(8);
        EXPECT_EQ(In<QLabel>(dialog, "bottommarginlabel")->text(), "8 pixel");
        In<QScrollBar>(dialog, "scroll_top")->setValue(30);
        In<QPushButton>(dialog, "resettop")->click();
        Click(In<ColorSwatch>(dialog, "allsidescolor"));
        EXPECT_EQ(In<ColorSwatch>(dialog, "leftcolor")->color(), colors::kBlue);
        In<QPushButton>(dialog, "loadtexture")->click();
        EXPECT_EQ(In<QLabel>(dialog, "texturesizelabel")->text(), "7 x 5 pixel");
        In<QPushButton>(dialog, "texturesizeleft")->click();
        EXPECT_EQ(In<QScrollBar>(dialog, "Scroll_left")->value(), 7);
        In<QCheckBox>(dialog, "leftusetexture")->click();
        In<QComboBox>(dialog, "Left_alignment")->setCurrentIndex(3);
        In<QPushButton>(dialog, "textureback")->click();
      });
  const TextureSettings& texture = workspace.settings().watermark.texture;
  EXPECT_TRUE(texture.enabled);
  EXPECT_EQ(texture.mode, TextureMode::kBeforeWatermarking);
  EXPECT_EQ(texture.top, (TextureSide{0, colors::kBlue, false, TextureAlign::kStretch}));
  EXPECT_EQ(texture.bottom.margin, 8);
  EXPECT_EQ(texture.left, (TextureSide{7, colors::kBlue, true, TextureAlign::kCenter}));
  EXPECT_EQ(texture.right.color, colors::kBlue);
  EXPECT_TRUE(Find<QCheckBox>("expandimagecheck")->isChecked());
  EXPECT_EQ(Marked().Width(), 27);
  EXPECT_EQ(Marked().Height(), 18);
  EXPECT_EQ(Marked().Pixel(0, 9), SplitColor(colors::kGreen)) << "the texture centred on the left";
  EXPECT_EQ(Marked().Pixel(0, 0), SplitColor(colors::kBlue));
  EXPECT_EQ(Marked().Pixel(7, 17), SplitColor(colors::kBlue));
}

// "OK" with a width the banner refuses keeps the window open; a preset then gives a banner
// that becomes the picture shown, named as the loaded file.
TEST_F(DecorWindowsTest, BannerEntryOpensTheBannerWindowWhoseOkMakesTheNewSource) {
  QAction* entry = Find<QAction>("menubanner");
  EXPECT_TRUE(entry->isEnabled());
  EXPECT_EQ(entry->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
  InWindow(
      "BannerWindow", [entry] { entry->trigger(); },
      [this](QDialog* dialog) {
        auto* width = In<QLineEdit>(dialog, "bannerwidth");
        Type(width, "3000");
        EXPECT_EQ(workspace.settings().banner.width, "3000");
        In<QPushButton>(dialog, "bannerok")->click();
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].rfind("Stop: The maximum", 0), 0u);
        Type(width, "1-2a 34567");
        EXPECT_EQ(width->text(), "1234") << "four digits only";
        auto* presets = In<QComboBox>(dialog, "examplesizes");
        presets->setCurrentIndex(5);
        emit presets->activated(5);
        EXPECT_EQ(width->text(), "320");
        EXPECT_EQ(In<QLineEdit>(dialog, "bannerheight")->text(), "60");
        In<QScrollBar>(dialog, "bannermargin")->setValue(4);
        EXPECT_EQ(In<QLabel>(dialog, "bannermarginlabel")->text(), "Add 8 pixel to calculated size");
        In<QPushButton>(dialog, "bannerok")->click();
        EXPECT_FALSE(dialog->isVisible());
      });
  EXPECT_EQ(workspace.originalImage(), RasterImage(320, 60, MakeColor(255, 255, 198)));
  EXPECT_EQ(Find<QLabel>("loadedfilename")->text(), QString::fromUtf8(kBannerFileName.data()));
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(prompter.messages.back(), "Banner: " + std::string(kBannerSavedMessage));

  InWindow(
      "BannerWindow", [entry] { entry->trigger(); },
      [](QDialog* dialog) { In<QPushButton>(dialog, "bannercancel")->click(); });
  EXPECT_EQ(renders, 1) << "Cancel does nothing";
}

}  // namespace
}  // namespace quillstone
