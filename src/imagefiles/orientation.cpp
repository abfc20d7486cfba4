#include "imagefiles/orientation.h"

#include <utility>

#include "imagefiles/rotate_by_angle.h"
#include "imaging/raster_flip.h"

namespace quillstone {

namespace {

void TurnQuarters(RasterImage& image, int quarterTurns, RasterImage& scratch) {
  if (image.Empty() || quarterTurns % 4 == 0) return;
  RotateQuarterTurns(image, scratch, quarterTurns);
  std::swap(image, scratch);
}

}  // namespace

void ApplyTurn(RasterImage& image, PictureTurn turn, RasterImage& scratch) {
  if (turn.mirror) FlipHorizontal(image);
  TurnQuarters(image, turn.quarterTurns, scratch);
}

void UndoTurn(RasterImage& image, PictureTurn turn, RasterImage& scratch) {
  TurnQuarters(image, -turn.quarterTurns, scratch);
  if (turn.mirror) FlipHorizontal(image);
}

}  // namespace quillstone
