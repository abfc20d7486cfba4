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

TEST(OrientationSettings, EntriesTextsAndAngles) {
  struct Case {
    Orientation orientation;
    const char* text;
    int load;
    int back;
  };
  for (const Case& c : {Case{Orientation::kUnrotated, "Unrotated image", 0, 0},
                        Case{Orientation::kRotate90Clockwise, "Rotate 90 deg. clockwise", 270, -270},
                        Case{Orientation::kRotate180Clockwise, "Rotate 180 deg. clockwise", 180, -180},
                        Case{Orientation::kRotate270Clockwise, "Rotate 270 deg. clockwise", 90, -90}}) {
    EXPECT_EQ(OrientationText(c.orientation), c.text);
    EXPECT_EQ(OrientationFromText(c.text), c.orientation);
    EXPECT_EQ(LoadAngle(c.orientation), c.load) << c.text;
    EXPECT_EQ(BackAngle(c.orientation), c.back) << c.text;
  }
  EXPECT_EQ(OrientationFromText("rotate 90 deg. clockwise"), std::nullopt);  // texts compare exactly
  EXPECT_EQ(OrientationFromText(""), std::nullopt);
}

TEST(OrientationSettings, TurningBackNeedsARotatingEntryAndTheCheckBox) {
  struct Case {
    Orientation orientation;
    bool checked;
    bool enabled;
    bool turnsBack;
  };
  for (const Case& c : {Case{Orientation::kUnrotated, true, false, false},
                        Case{Orientation::kRotate90Clockwise, false, true, false},
                        Case{Orientation::kRotate90Clockwise, true, true, true},
                        Case{Orientation::kRotate270Clockwise, true, true, true}}) {
    const OrientationSettings s{c.orientation, c.checked};
    EXPECT_EQ(RotateBackEnabled(s), c.enabled) << OrientationText(c.orientation);
    EXPECT_EQ(RotatesBackBeforeSaving(s), c.turnsBack) << OrientationText(c.orientation) << " " << c.checked;
  }
}

class OrientationTurns : public ::testing::TestWithParam<Orientation> {};

TEST_P(OrientationTurns, LoadTurnMatchesRotateByAngleAndTurningBackRestores) {
  const Orientation orientation = GetParam();
  const RasterImage original = testing::MakeGradientRaster(5, 2);
  RasterImage expected;
  ASSERT_TRUE(RotateByAngle(original, expected, colors::kBlack, LoadAngle(orientation)).ok());

  RasterImage image = original;
  RasterImage scratch;
  ApplyOrientation(image, orientation, scratch);
  EXPECT_EQ(image, expected);
  RotateBack(image, orientation, scratch);
  EXPECT_EQ(image, original);
}

INSTANTIATE_TEST_SUITE_P(AllEntries, OrientationTurns,
                         ::testing::Values(Orientation::kUnrotated, Orientation::kRotate90Clockwise,
                                           Orientation::kRotate180Clockwise,
                                           Orientation::kRotate270Clockwise));

TEST(ApplyOrientation, NinetyClockwiseMovesTheTopLeftToTheTopRight) {
  RasterImage image = LetterRaster({"abcd", "efgh"});
  RasterImage scratch;
  ApplyOrientation(image, Orientation::kRotate90Clockwise, scratch);
  EXPECT_EQ(Letters(image), (std::vector<std::string>{"ea", "fb", "gc", "hd"}));
}

}  // namespace
}  // namespace quillstone
