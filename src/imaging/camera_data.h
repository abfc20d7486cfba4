#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quillstone {

// The camera's own notes on a photo that a text can show, as "$exif:NAME$".
enum class CameraField : int {
  kArtist,
  kCopyright,
  kMake,
  kModel,
  kLensModel,
  kDateTimeOriginal,
  kExposureTime,
  kFNumber,
  kIso,
  kFocalLength,
};
inline constexpr int kCameraFieldCount = 10;

// The NAME of each field, in the order of CameraField.
inline constexpr std::array<std::string_view, kCameraFieldCount> kCameraFieldNames{
    "Artist",           "Copyright",    "Make",    "Model", "LensModel",
    "DateTimeOriginal", "ExposureTime", "FNumber", "ISO",   "FocalLength"};

// The text command that shows the field of that NAME: "$exif:NAME$".
inline std::string CameraCommand(std::string_view name) {
  return "$exif:" + std::string(name) + "$";
}

// The fields of one photo as text ready to show ("1/250 s", "F2.8", "50.0 mm"), except the
// date and time of the shot, which stays as the camera wrote it ("2024:06:01 14:30:05") for
// the text to format. Empty: the photo does not say.
struct CameraData {
  std::array<std::string, kCameraFieldCount> values;

  const std::string& operator[](CameraField field) const { return values[static_cast<int>(field)]; }
  std::string& operator[](CameraField field) { return values[static_cast<int>(field)]; }
  friend bool operator==(const CameraData&, const CameraData&) = default;
};

}  // namespace quillstone
