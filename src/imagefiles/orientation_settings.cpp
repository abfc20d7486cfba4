#include "imagefiles/orientation_settings.h"

#include <array>

namespace quillstone {

namespace {

struct OrientationEntry {
  std::string_view text;
  int loadAngle;  // degrees counter-clockwise
};

constexpr std::array<OrientationEntry, kOrientationCount> kEntries = {{
    {"Unrotated image", 0},
    {"Rotate 90 deg. clockwise", 270},
    {"Rotate 180 deg. clockwise", 180},
    {"Rotate 270 deg. clockwise", 90},
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

int LoadAngle(Orientation orientation) {
  return EntryOf(orientation).loadAngle;
}

int BackAngle(Orientation orientation) {
  return -EntryOf(orientation).loadAngle;
}

}  // namespace quillstone
