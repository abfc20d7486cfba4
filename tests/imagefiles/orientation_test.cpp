#include "imagefiles/orientation.h"

#include <gtest/gtest.h>

#include "imagefiles/geometry_rasters.h"
#include "imagefiles/orientation_settings.h"
#include "imagefiles/rotate_by_angle.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::LetterRaster;
using testing::Letters;

TEST(OrientationSettings, TextsCompareExactlyAndTurningBackNeedsATurningEntryAndTheCheckBox) {
  EXPECT_EQ(OrientationFromText("Rotate 90 deg. clockwise"), Orientation::kRotate90Clockwise);
  EXPECT_EQ(OrientationFromText("As the camera recorded (EXIF)"), Orientation::kAsCamera);
  EXPECT_EQ(OrientationFromText("rotate 90 deg. clockwise"), std::nullopt);
  EXPECT_EQ(OrientationFromText(""), std::nullopt);
  struct Case {
    Orientation orientation;
    bool checked;
    bool enabled;
    bool turnsBack;
  };
  for (const Case& c : {Case{Orientation::kUnrotated, true, false, false},
                        Case{Orientation::kRotate90Clockwise, false, true, false},
                        Case{Orientation::kRotate90Clockwise, true, true, true},
                        Case{Orientation::kAsCamera, true, true, true}}) {
    const OrientationSettings s{c.orientation, c.checked};
    EXPECT_EQ(RotateBackEnabled(s), c.enabled) << OrientationText(c.orientation);
    EXPECT_EQ(RotatesBackBeforeSaving(s), c.turnsBack) << OrientationText(c.orientation) << " " << c.checked;
  }
}

// The list's quarter turns are RotateByAngle's exact turns by the clockwise angle, whatever
// the picture's EXIF orientation, and turning back restores the picture.
TEST(OrientationTurns, ListEntriesTurnClockwiseAndTurningBackRestores) {
  const RasterImage original = testing::MakeGradientRaster(5, 2);
  for (const auto& [orientation, clockwise] :
       {std::pair{Orientation::kUnrotated, 0}, std::pair{Orientation::kRotate90Clockwise, 90},
        std::pair{Orientation::kRotate180Clockwise, 180}, std::pair{Orientation::kRotate270Clockwise, 270}}) {
    RasterImage expected;
    ASSERT_TRUE(RotateByAngle(original, expected, colors::kBlack, -clockwise).ok());
    RasterImage image = original;
    RasterImage scratch;
    const PictureTurn turn = LoadTurn(orientation, 6);
    ApplyTurn(image, turn, scratch);
    EXPECT_EQ(image, expected) << clockwise;
    UndoTurn(image, turn, scratch);
    EXPECT_EQ(image, original) << clockwise;
  }
}

// A camera stores "abc/def" in each of the eight EXIF orientations; every one comes out
// upright, and turning back gives the stored pixels again.
TEST(OrientationTurns, EveryExifOrientationComesOutUpright) {
  const std::vector<std::string> upright = {"abc", "def"};
  const auto& stored = testing::kExifStoredLetters;
  for (int exif = 1; exif <= 8; ++exif) {
    RasterImage image = LetterRaster(stored[exif - 1]);
    RasterImage scratch;
    const PictureTurn turn = LoadTurn(Orientation::kAsCamera, exif);
    ApplyTurn(image, turn, scratch);
    EXPECT_EQ(Letters(image), upright) << exif;
    UndoTurn(image, turn, scratch);
    EXPECT_EQ(Letters(image), stored[exif - 1]) << exif;
  }
  EXPECT_TRUE(ExifTurn(0).IsIdentity());
  EXPECT_TRUE(ExifTurn(9).IsIdentity());
  EXPECT_TRUE(LoadTurn(Orientation::kUnrotated, 6).IsIdentity());
}

}  // namespace
}  // namespace quillstone
