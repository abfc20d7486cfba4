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
  kAsCamera,            // "As the camera recorded (EXIF)": each picture by its EXIF orientation
};
inline constexpr int kOrientationCount = 5;
static_assert(static_cast<int>(Orientation::kAsCamera) + 1 == kOrientationCount);

// The orientation choice of the window. Neither field is written to configuration files;
// both start at these values on every run.
struct OrientationSettings {
  // Orientation list (RotationCombobox), compared and shown by its entry texts.
  Orientation orientation = Orientation::kAsCamera;
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

// How a loaded picture is turned: first mirrored left to right (when `mirror`), then turned
// by `quarterTurns` quarter turns counter-clockwise (0..3). The eight EXIF orientations and
// the list's quarter turns are all of this form.
struct PictureTurn {
  bool mirror = false;
  int quarterTurns = 0;

  bool IsIdentity() const { return !mirror && quarterTurns == 0; }
  friend bool operator==(const PictureTurn&, const PictureTurn&) = default;
};

// The turn that makes a picture stored with EXIF orientation 1..8 upright (any other value
// turns nothing): 2 mirrors, 3 turns half way, 4 mirrors upside down, 5 and 7 mirror across
// a diagonal, 6 turns a quarter clockwise, 8 a quarter counter-clockwise.
PictureTurn ExifTurn(int exifOrientation);

// The turn a loaded picture gets from the orientation choice: a quarter turn clockwise for
// "Rotate 90 deg. clockwise" and so on; with kAsCamera the picture's own EXIF orientation.
PictureTurn LoadTurn(Orientation orientation, int exifOrientation);

// Whether the "Rotate image back" check box is enabled: one of the rotating entries.
inline bool RotateBackEnabled(const OrientationSettings& s) {
  return s.orientation != Orientation::kUnrotated;
}
// Whether a batch run turns its images back before writing them: enabled and checked.
inline bool RotatesBackBeforeSaving(const OrientationSettings& s) {
  return RotateBackEnabled(s) && s.rotateBack;
}

}  // namespace quillstone
