#include "text/text_commands.h"

#include <optional>
#include <utility>

#include "imaging/ascii_case.h"
#include "platform/file_time.h"
#include "text/ascii_match.h"
#include "text/date_time_format.h"

namespace quillstone {

namespace {

// Replaces every occurrence of command (lower case) in text by value(), which is called
// at most once. The search goes on after the inserted text.
template <typename Value>
void ReplaceCommand(std::string& text, std::string_view command, Value&& value) {
  size_t pos = FindFolded(text, command);
  if (pos == std::string::npos) return;
  const std::string inserted = value();
  std::string out;
  out.reserve(text.size() + inserted.size());
  size_t copied = 0;
  while (pos != std::string::npos) {
    out.append(text, copied, pos - copied);
    out += inserted;
    copied = pos + command.size();
    pos = FindFolded(text, command, copied);
  }
  out.append(text, copied);
  text = std::move(out);
}

// Today at 00:00.
LocalDateTime DateOnly(const LocalDateTime& t) {
  return {t.year, t.month, t.day, 0, 0, 0, 0};
}

// The time of day on the zero date.
LocalDateTime TimeOnly(const LocalDateTime& t) {
  LocalDateTime result = kZeroDateTime;
  result.hour = t.hour;
  result.minute = t.minute;
  result.second = t.second;
  result.millisecond = t.millisecond;
  return result;
}

// The camera's field as a text shows it.
std::string CameraText(const CameraData& camera, CameraField field, const std::string& dateFormat,
                       const std::string& timeFormat, const LocaleInfo& locale) {
  const std::string& value = camera[field];
  if (field != CameraField::kDateTimeOriginal) return value;
  const std::optional<LocalDateTime> taken = ParseExifDateTime(value);
  if (!taken) return value;
  return FormatDateTime(dateFormat, *taken, locale) + " " + FormatDateTime(timeFormat, *taken, locale);
}

}  // namespace

std::optional<LocalDateTime> ParseExifDateTime(std::string_view text) {
  // Digits at every place but the separators "YYYY:MM:DD HH:MM:SS".
  constexpr std::string_view kShape = "0000:00:00 00:00:00";
  if (text.size() != kShape.size()) return std::nullopt;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return std::nullopt;
  }
  const auto number = [text](std::size_t at, std::size_t digits) {
    int n = 0;
    for (std::size_t i = at; i < at + digits; ++i) n = n * 10 + (text[i] - '0');
    return n;
  };
  LocalDateTime t{number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2), 0};
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 59)
    return std::nullopt;
  return t;
}

std::string FileNameWithoutExtension(std::string_view fileName) {
  const size_t dot = fileName.find_last_of('.');
  if (dot == std::string_view::npos) return std::string(fileName);
  if (fileName.find('/', dot) != std::string_view::npos) return std::string(fileName);
  return std::string(fileName.substr(0, dot));
}

LocalDateTime FileDateTime(std::string_view sourceDirectory, std::string_view fileName) {
  std::string path(sourceDirectory);
  if (!path.empty() && path.back() != '/') path += '/';
  path += fileName;
  if (path.empty() || path.back() == '/') return kZeroDateTime;
  const std::optional<LocalDateTime> written = FileLastWriteTime(path);
  if (!written) return kZeroDateTime;
  LocalDateTime t = *written;
  t.second -= t.second % 2;
  t.millisecond = 0;
  return t;
}

std::string ExpandTextCommands(std::string_view line, const ExpansionContext& context) {
  if (line.find('$') == std::string_view::npos) return std::string(line);
  const LocaleInfo& locale = context.locale ? *context.locale : SystemLocaleInfo();
  const std::string& dateFormat = context.dateFormat.empty() ? locale.shortDateFormat : context.dateFormat;
  const std::string& timeFormat = context.timeFormat.empty() ? locale.longTimeFormat : context.timeFormat;

  // "$fdate$" and "$ftime$" read the file once between them.
  std::optional<LocalDateTime> fileTime;
  const auto fileDateTime = [&]() -> const LocalDateTime& {
    if (!fileTime) fileTime = FileDateTime(context.sourceDirectory, context.fileName);
    return *fileTime;
  };

  std::string text(line);
  ReplaceCommand(text, "$date$", [&] { return FormatDateTime(dateFormat, DateOnly(context.now), locale); });
  ReplaceCommand(text, "$fdate$", [&] { return FormatDateTime(dateFormat, fileDateTime(), locale); });
  ReplaceCommand(text, "$time$", [&] { return FormatDateTime(timeFormat, TimeOnly(context.now), locale); });
  ReplaceCommand(text, "$ftime$", [&] { return FormatDateTime(timeFormat, fileDateTime(), locale); });
  ReplaceCommand(text, "$fn$", [&] { return context.fileName; });
  ReplaceCommand(text, "$fnwe$", [&] { return FileNameWithoutExtension(context.fileName); });
  ReplaceCommand(text, "$width$", [&] { return std::to_string(context.imageWidth); });
  ReplaceCommand(text, "$height$", [&] { return std::to_string(context.imageHeight); });
  if (FindFolded(text, "$exif:") != std::string::npos) {
    static const CameraData kNone;
    const CameraData& camera = context.camera != nullptr ? *context.camera : kNone;
    for (int i = 0; i < kCameraFieldCount; ++i) {
      const std::string command = ToLowerAscii(CameraCommand(kCameraFieldNames[i]));
      ReplaceCommand(text, command, [&] {
        return CameraText(camera, static_cast<CameraField>(i), dateFormat, timeFormat, locale);
      });
    }
  }
  return text;
}

}  // namespace quillstone
