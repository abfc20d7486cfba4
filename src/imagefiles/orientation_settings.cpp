#include "imagefiles/orientation_settings.h"

#include <array>

namespace quillstone {

namespace {

struct OrientationEntry {
  std::string_view text;
  int quarterTurns;  // counter-clockwise
};

constexpr std::array<OrientationEntry, kOrientationCount> kEntries = {{
    {"Unrotated image", 0},
    {"Rotate 90 deg. clockwise", 3},
    {"Rotate 180 deg. clockwise", 2},
    {"Rotate 270 deg. clockwise", 1},
    {"As the camera recorded (EXIF)", 0},
}};

const OrientationEntry& EntryOf(Orientation orientation) {
  const int index = static_cast<int>(orientation);
  return kEntries[index >= 0 && index < kOrientationCount ? index : 0];
}

}  // namespace

std::string_view OrientationText(Orientation orientation) {
  return EntryOf(orientation).text;
}

std::optional<Orientation> OrientationFromText(std::string_view text) {
  for (int i = 0; i < kOrientationCount; ++i) {
    if (kEntries[i].text == text) return static_cast<Orientation>(i);
  }
  return std::nullopt;
}

PictureTurn ExifTurn(int exifOrientation) {
  // Index: the EXIF orientation. A transposed picture (5) is a mirrored one turned a quarter
  // counter-clockwise; a transversed one (7) a mirrored one turned a quarter clockwise.
  constexpr std::array<PictureTurn, 9> kTurns = {{
      {false, 0},
      {false, 0},
      {true, 0},
      {false, 2},
      {true, 2},
      {true, 1},
      {false, 3},
      {true, 3},
      {false, 1},
  }};
  return exifOrientation >= 1 && exifOrientation <= 8 ? kTurns[exifOrientation] : PictureTurn{};
}

PictureTurn LoadTurn(Orientation orientation, int exifOrientation) {
  if (orientation == Orientation::kAsCamera) return ExifTurn(exifOrientation);
  return {false, EntryOf(orientation).quarterTurns};
}

}  // namespace quillstone
