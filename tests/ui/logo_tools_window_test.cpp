#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <functional>

#include "imaging/raster_flip.h"
#include "logo/logo_geometry.h"
#include "logo/logo_rotation.h"
#include "support/decoded_file.h"
#include "support/window_fixture.h"
#include "ui/color_swatch.h"
#include "ui/image_view.h"
#include "ui/logo_special_window.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

using testing::MakeGradientRaster;
using testing::Press;
using testing::Turned;
// The window over an 8 x 8 black picture and a 6 x 4 gradient logo with a white column on
// its right, at the top-left place, no frames; renders are counted.
class LogoToolsWindowTest : public testing::WindowTest {
 protected:
  LogoToolsWindowTest() {
    for (int y = 0; y < 4; ++y) logo.SetPixel(5, y, colors::kWhite);
    workspace.SetLogoImage(logo);
    ShowPlain(RasterImage(8, 8), 0);
  }

  // Opens the logo special window from its button and runs `steps` inside it.
  void InSpecialWindow(const std::function<void(LogoSpecialWindow&)>& steps) {
    InDialog<LogoSpecialWindow>(
        "LogoSpecialWindow", [this] { Find<QPushButton>("logospecialbutton")->click(); }, steps);
  }

  RasterImage logo = MakeGradientRaster(6, 4);
};

// The angle controls reach the logo tools (whose rules the workspace tests pin) and render
// through the debounce.
TEST_F(LogoToolsWindowTest, AngleControlsTurnTheLogoAndRenderLater) {
  auto* bar = Find<QScrollBar>("anglebar");
  bar->setValue(90);
  EXPECT_EQ(Find<QLabel>("anglelabel")->text(), "90 deg.");
  EXPECT_EQ(workspace.logoImage(), Turned(logo, 90, colors::kBlack));
  EXPECT_EQ(Find<QLabel>("logowidthlabel")->text(), "width:4");
  EXPECT_EQ(renders, 0);
  WaitForRender(1);
  EXPECT_EQ(renders, 1);

  Find<QAction>("angle180")->trigger();
  EXPECT_EQ(bar->value(), 180);
  prompter.colors = {colors::kRed};
  Find<ColorSwatch>("fillcolor")->clicked();
  EXPECT_EQ(workspace.settings().logoTools.rotationFill, colors::kRed);
  workspace.ChangeLogo(RasterImage(1, 1));
  Find<QPushButton>("angleapply")->click();
  EXPECT_EQ(workspace.logoImage(), Turned(logo, 180, colors::kRed));
  WaitForRender(2);
  EXPECT_EQ(renders, 2);

  prompter.answers = {true};
  Find<QPushButton>("resetangle")->click();
  EXPECT_EQ(bar->value(), 0);
}

TEST_F(LogoToolsWindowTest, UseTransparentAutocropAndSaveWorkOnTheLogo) {
  workspace.settings().watermark.logo.transparentColor = colors::kWhite;
  Find<QPushButton>("usetransparentfill")->click();
  EXPECT_EQ(Find<ColorSwatch>("fillcolor")->color(), colors::kWhite);
  EXPECT_EQ(workspace.settings().logoTools.rotationFill, colors::kWhite);

  Find<QComboBox>("cropcolorselection")->setCurrentIndex(2);  // "Top right": white
  EXPECT_EQ(workspace.settings().logoTools.cropCorner, CropCorner::kTopRight);
  renders = 0;
  Find<QPushButton>("autocroplogo")->click();
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(Find<QLabel>("logowidthlabel")->text(), "width:5");

  prompter.files = {home / "logo.bmp"};
  Find<QPushButton>("savelogo")->click();
  EXPECT_EQ(testing::Decoded(home / "logo.bmp"), workspace.logoImage());
}

TEST_F(LogoToolsWindowTest, SpecialWindowAppliesItsCommandsAndRendersOnce) {
  InSpecialWindow([](LogoSpecialWindow& dialog) {
    Press(dialog, "flipright");
    Press(dialog, "autocrop");  // the white column is now on the left
    Press(dialog, "applylogo");
  });
  RasterImage expected = MakeGradientRaster(5, 4);
  FlipHorizontal(expected);
  EXPECT_EQ(workspace.logoImage(), expected);
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(Find<QLabel>("logowidthlabel")->text(), "width:5");
}

TEST_F(LogoToolsWindowTest, SpecialWindowCropsByDraggingPastTheCorner) {
  prompter.answers = {true};
  InSpecialWindow([](LogoSpecialWindow& dialog) {
    dialog.findChild<QRadioButton*>("mousemode1")->click();
    auto* view = testing::Child<ImageView>(dialog, "activelogo");
    if (view == nullptr) return;
    QTest::mousePress(view, Qt::LeftButton, {}, {2, 1});
    QTest::mouseMove(view, {4, 3});
    QTest::mouseMove(view, {20, 30});
    QTest::mouseRelease(view, Qt::LeftButton, {}, {20, 30});
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("mousemode0")->isChecked()) << "back to colour selection";
    EXPECT_EQ(dialog.findChild<QLabel*>("activelogosize")->text(), "4 x 3");
    Press(dialog, "applylogo");
  });
  EXPECT_EQ(workspace.logoImage().Width(), 4);
}

// The resize presets and "Use resized logo" work on the window's copy; Cancel keeps the logo.
TEST_F(LogoToolsWindowTest, SpecialWindowResizePresetsAndCancel) {
  InSpecialWindow([](LogoSpecialWindow& dialog) {
    Press(dialog, "resize50");
    EXPECT_EQ(testing::Child<QLabel>(dialog, "resizelabel")->text(), "50%");
    EXPECT_EQ(testing::Child<QLabel>(dialog, "resizedlogosize")->text(), "3 x 2");
    Press(dialog, "useresized");
    EXPECT_EQ(testing::Child<QLabel>(dialog, "activelogosize")->text(), "3 x 2");
    Press(dialog, "reloadlogo");
    Press(dialog, "invert");
    Press(dialog, "rotate90");
    EXPECT_EQ(testing::Child<QLabel>(dialog, "activelogosize")->text(), "4 x 6");
    Press(dialog, "cancellogo");
  });
  EXPECT_EQ(workspace.logoImage(), logo);
  EXPECT_EQ(renders, 0);
}

TEST_F(LogoToolsWindowTest, SwapMenusAreOnAndExchangeLogoAndPicture) {
  prompter.answers = {true};
  Find<QAction>("menuuseimageaslogo")->trigger();
  EXPECT_EQ(workspace.logoImage(), workspace.watermarkedImage());
  EXPECT_EQ(Find<QLabel>("logowidthlabel")->text(), "width:8");

  prompter.answers = {true};
  Find<QAction>("menuuselogo")->trigger();
  EXPECT_EQ(Find<QLabel>("loadedfilename")->text(), "temp.bmp");
  EXPECT_EQ(workspace.originalImage(), workspace.logoImage());
  EXPECT_EQ(renders, 1);
}

}  // namespace
}  // namespace quillstone
