#pragma once

#include <optional>
#include <string_view>

namespace quillstone {

// How a freshly loaded source image is turned before it is marked: the entries of the
// orientation list, in list order. The marked image can be turned back before saving.
enum class Orientation : int {
  kUnrotated = 0,       // "Unrotated image"
  kRotate90Clockwise,   // "Rotate 90 deg. clockwise"
  kRotate180Clockwise,  // "Rotate 180 deg. clockwise"
  kRotate270Clockwise,  // "Rotate 270 deg. clockwise"
};
inline constexpr int kOrientationCount = 4;
static_assert(static_cast<int>(Orientation::kRotate270Clockwise) + 1 == kOrientationCount);

// The orientation choice of the window. Neither field is written to configuration files;
// both start at these values on every run.
struct OrientationSettings {
  // Orientation list (RotationCombobox), compared and shown by its entry texts.
  Orientation orientation = Orientation::kUnrotated;
  // "Rotate image back to original alignment" (originalalignment): a batch run turns each
  // marked image back before writing it. The check box is enabled only while the
  // orientation rotates; RotatesBackBeforeSaving() combines both.
  bool rotateBack = false;

  friend bool operator==(const OrientationSettings&, const OrientationSettings&) = default;
};

// The list entry text of an orientation, e.g. "Rotate 90 deg. clockwise".
std::string_view OrientationText(Orientation orientation);
// The orientation whose entry text is exactly `text`; nullopt for any other text.
std::optional<Orientation> OrientationFromText(std::string_view text);

// The counter-clockwise angle in degrees that turns a loaded image: 0, 270, 180 or 90
// (a quarter turn clockwise is 270 counter-clockwise).
int LoadAngle(Orientation orientation);
// The angle that turns a marked image back to the alignment of its file: 0, -270, -180
// or -90.
int BackAngle(Orientation orientation);

// Whether the "Rotate image back" check box is enabled: one of the rotating entries.
inline bool RotateBackEnabled(const OrientationSettings& s) {
  return s.orientation != Orientation::kUnrotated;
}
// Whether a batch run turns its images back before writing them: enabled and checked.
inline bool RotatesBackBeforeSaving(const OrientationSettings& s) {
  return RotateBackEnabled(s) && s.rotateBack;
}

}  // namespace quillstone
