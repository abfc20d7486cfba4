#include "text/text_commands.h"

#include <optional>
#include <utility>

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

}  // namespace

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
  return text;
}

}  // namespace quillstone
