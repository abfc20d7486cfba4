#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "imagefiles/bmp_writer.h"
#include "support/window_fixture.h"
#include "ui/color_swatch.h"
#include "workspace/banner_flow.h"

namespace quillstone {
namespace {

using testing::Child;

// The window over a 20 x 10 black picture with frames off and no logo place, so a render
// shows only what a decoration window changed.
class DecorWindowsTest : public testing::WindowTest {
 protected:
  DecorWindowsTest() { ShowPlain(RasterImage(20, 10), -1); }
};

TEST_F(DecorWindowsTest, FrameButtonOpensFrameControlWhoseChangesRenderLaterAndAtBack) {
  InDialog(
      "FrameWindow", [this] { Find<QPushButton>("framebutton")->click(); },
      [this](QDialog& dialog) {
        auto* width = Child<QScrollBar>(dialog, "outerframewidth");
        width->setValue(3);
        EXPECT_EQ(Child<QLabel>(dialog, "outerframewidthlabel")->text(), "3");
        EXPECT_FALSE(window.renderDebounce().Pending()) << "the outer frame is off";
        Child<QCheckBox>(dialog, "drawouterframe")->click();
        EXPECT_TRUE(window.renderDebounce().Pending());
        prompter.colors = {colors::kRed};
        Child<QPushButton>(dialog, "outerframecolorbutton")->click();
        EXPECT_EQ(Child<ColorSwatch>(dialog, "outerframecolor")->color(), colors::kRed);
        Child<QPushButton>(dialog, "frameback")->click();
      });
  EXPECT_EQ(workspace.settings().watermark.frame.outerColor, colors::kRed);
  EXPECT_TRUE(Find<QCheckBox>("outerframecheck")->isChecked());
  EXPECT_EQ(renders, 1) << "the pending render, once, at Back";
  EXPECT_FALSE(window.renderDebounce().Pending());
  EXPECT_EQ(Marked().Width(), 26) << "the switch and the width reached the frame";
}

TEST_F(DecorWindowsTest, ExpandButtonOpensTheTextureWindowOnTheSettingsTheCommandLineSets) {
  ASSERT_TRUE(WriteBmp(RasterImage(7, 5, colors::kGreen), home / "green.bmp").ok());
  prompter.files = {home / "green.bmp"};
  prompter.colors = {colors::kBlue};
  InDialog(
      "TextureWindow", [this] { Find<QPushButton>("expandbutton")->click(); },
      [this](QDialog& dialog) {
        auto* mode = Child<QWidget>(dialog, "texture_options");
        EXPECT_FALSE(mode->isEnabled()) << "the mode waits for Expand image";
        Child<QCheckBox>(dialog, "expand_checkbox")->click();
        EXPECT_TRUE(mode->isEnabled());
        Child<QRadioButton>(dialog, "texture_options0")->click();
        Child<QScrollBar>(dialog, "Scroll_bottom")->setValue(8);
        EXPECT_EQ(Child<QLabel>(dialog, "bottommarginlabel")->text(), "8 pixel");
        Child<QScrollBar>(dialog, "scroll_top")->setValue(30);
        Child<QPushButton>(dialog, "resettop")->click();
        QTest::mouseClick(Child<ColorSwatch>(dialog, "allsidescolor"), Qt::LeftButton);
        EXPECT_EQ(Child<ColorSwatch>(dialog, "leftcolor")->color(), colors::kBlue);
        Child<QPushButton>(dialog, "loadtexture")->click();
        EXPECT_EQ(Child<QLabel>(dialog, "texturesizelabel")->text(), "7 x 5 pixel");
        Child<QPushButton>(dialog, "texturesizeleft")->click();
        EXPECT_EQ(Child<QScrollBar>(dialog, "Scroll_left")->value(), 7);
        Child<QCheckBox>(dialog, "leftusetexture")->click();
        Child<QComboBox>(dialog, "Left_alignment")->setCurrentIndex(3);
        Child<QPushButton>(dialog, "textureback")->click();
      });
  const TextureSettings& texture = workspace.settings().watermark.texture;
  EXPECT_EQ(texture.mode, TextureMode::kBeforeWatermarking);
  EXPECT_EQ(texture.top, (TextureSide{0, colors::kBlue, false, TextureAlign::kStretch}));
  EXPECT_EQ(texture.left, (TextureSide{7, colors::kBlue, true, TextureAlign::kCenter}));
  EXPECT_EQ(texture.right.color, colors::kBlue);
  EXPECT_TRUE(Find<QCheckBox>("expandimagecheck")->isChecked());
  EXPECT_EQ(testing::SizeOf(Marked()), std::pair(27, 18)) << "expanded, by 7 on the left, 8 below";
}

// "OK" with a width the banner refuses keeps the window open; a preset then gives a banner
// that becomes the picture shown, named as the loaded file.
TEST_F(DecorWindowsTest, BannerEntryOpensTheBannerWindowWhoseOkMakesTheNewSource) {
  QAction* entry = Find<QAction>("menubanner");
  InDialog(
      "BannerWindow", [entry] { entry->trigger(); },
      [this](QDialog& dialog) {
        auto* width = Child<QLineEdit>(dialog, "bannerwidth");
        width->selectAll();
        QTest::keyClicks(width, "3000");
        EXPECT_EQ(workspace.settings().banner.width, "3000");
        Child<QPushButton>(dialog, "bannerok")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_THAT(prompter.messages, ::testing::ElementsAre(::testing::StartsWith("Stop: The maximum")));
        width->selectAll();
        QTest::keyClicks(width, "1-2a 34567");
        EXPECT_EQ(width->text(), "1234") << "four digits only";
        auto* presets = Child<QComboBox>(dialog, "examplesizes");
        presets->setCurrentIndex(5);
        emit presets->activated(5);
        EXPECT_EQ(width->text(), "320");
        EXPECT_EQ(Child<QLineEdit>(dialog, "bannerheight")->text(), "60");
        Child<QScrollBar>(dialog, "bannermargin")->setValue(4);
        EXPECT_EQ(Child<QLabel>(dialog, "bannermarginlabel")->text(), "Add 8 pixel to calculated size");
        Child<QPushButton>(dialog, "bannerok")->click();
        EXPECT_FALSE(dialog.isVisible());
      });
  EXPECT_EQ(workspace.originalImage(), RasterImage(320, 60, MakeColor(255, 255, 198)));
  EXPECT_EQ(Find<QLabel>("loadedfilename")->text(), QString::fromUtf8(kBannerFileName.data()));
  EXPECT_EQ(renders, 1);

  InDialog(
      "BannerWindow", [entry] { entry->trigger(); },
      [](QDialog& dialog) { Child<QPushButton>(dialog, "bannercancel")->click(); });
  EXPECT_EQ(renders, 1) << "Cancel does nothing";
}

}  // namespace
}  // namespace quillstone
