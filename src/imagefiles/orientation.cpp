#include "imagefiles/orientation.h"

#include <utility>

#include "imagefiles/rotate_by_angle.h"

namespace quillstone {

namespace {

// Every orientation angle is a multiple of 90 degrees, so the turn goes through the
// exact quarter-turn path and cannot fail.
void TurnInPlace(RasterImage& image, int angleDegrees, RasterImage& scratch) {
  if (image.Empty() || angleDegrees % 360 == 0) return;
  RotateQuarterTurns(image, scratch, angleDegrees / 90);
  std::swap(image, scratch);
}

}  // namespace

void ApplyOrientation(RasterImage& image, Orientation orientation, RasterImage& scratch) {
  TurnInPlace(image, LoadAngle(orientation), scratch);
}

void RotateBack(RasterImage& image, Orientation orientation, RasterImage& scratch) {
  TurnInPlace(image, BackAngle(orientation), scratch);
}

}  // namespace quillstone
