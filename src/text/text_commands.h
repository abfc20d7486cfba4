#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "imaging/camera_data.h"
#include "platform/date_time.h"
#include "platform/locale_info.h"

namespace quillstone {

// What the dynamic commands of a line stand for at the moment it is expanded.
struct ExpansionContext {
  LocalDateTime now;
  std::string fileName;         // "$fn$": name with extension, no directory; may be empty
  std::string sourceDirectory;  // where that file lies, for "$fdate$" and "$ftime$"
  std::string dateFormat;       // empty: the locale's short date format
  std::string timeFormat;       // empty: the locale's long time format
  int imageWidth = 0;           // "$width$", "$height$": the image as the text stage sees it
  int imageHeight = 0;
  const LocaleInfo* locale = nullptr;  // names and separators; null: SystemLocaleInfo()
  const CameraData* camera = nullptr;  // "$exif:NAME$"; null: the picture has none
};

// Replaces the commands of a line by their values, in this order, each command at every
// place before the next is looked for:
//   "$date$"    today at 00:00 in the date format
//   "$fdate$"   the file's last-write time (FileDateTime) in the date format
//   "$time$"    the time of day, milliseconds included, in the time format
//   "$ftime$"   the file's last-write time in the time format
//   "$fn$"      the file name
//   "$fnwe$"    the file name without its extension
//   "$width$", "$height$"  the image size in pixels, decimal
//   "$exif:NAME$"  the camera's field NAME (kCameraFieldNames), nothing when it has none;
//               DateTimeOriginal in the date format, a space and the time format
// Only ASCII letters fold, so "$DATE$" is "$date$". Text a command inserts is not searched
// again for that command (later commands do look at it).
std::string ExpandTextCommands(std::string_view line, const ExpansionContext& context);

// "YYYY:MM:DD HH:MM:SS", the way EXIF stores a moment; none when the text is not one.
std::optional<LocalDateTime> ParseExifDateTime(std::string_view text);

// The file name without its extension: the extension runs from the last "." to the end
// unless a "/" follows that dot. "photo.large.jpg" gives "photo.large", ".profile" "".
std::string FileNameWithoutExtension(std::string_view fileName);

// The last-write time of directory + "/" + fileName ("/" only when the directory does not
// end with one; an empty directory leaves the name alone) in local time, at two-second
// resolution: even seconds, milliseconds 0. The zero date-time (30 December 1899 00:00)
// when the file name is empty or the file cannot be opened for reading.
LocalDateTime FileDateTime(std::string_view sourceDirectory, std::string_view fileName);

}  // namespace quillstone
