#include "config/profile_file.h"

#include <cstdint>
#include <limits>

#include "imaging/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "platform/whole_file.h"

namespace quillstone {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsCleanName(std::string_view name) {
  return !name.empty() && !HasLineBreakOrNul(name) && TrimAsciiSpace(name).size() == name.size();
}

}  // namespace

std::optional<int> ParseProfileInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::int64_t{1} << 31) return std::nullopt;  // beyond any 32-bit value
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

ProfileFile ProfileFile::Parse(std::string_view text) {
  ProfileFile profile;
  if (text.starts_with(kByteOrderMark)) {
    profile.byteOrderMark_ = true;
    text.remove_prefix(kByteOrderMark.size());
  }
  // CR LF, LF and a lone CR each end a line, as in every text file the program reads.
  while (!text.empty()) {
    const LineBreak lineBreak = FindLineBreak(text);
    profile.lines_.push_back(MakeLine(std::string(text.substr(0, lineBreak.at)),
                                      std::string(text.substr(lineBreak.at, lineBreak.size))));
    text.remove_prefix(lineBreak.at + lineBreak.size);
  }
  return profile;
}

Status ProfileFile::Load(const std::filesystem::path& path, ProfileFile& profile) {
  // A file that is not there reads as an empty profile.
  std::string bytes;
  const WholeFileRead read = ReadWholeFile(path, kMaxTextFileBytes, bytes);
  if (read.outcome == WholeFileRead::Outcome::kRefused)
    return Status::Error("cannot read " + path.string() + ": " + read.reason);
  profile = Parse(bytes);
  return Status::Ok();
}

Status ProfileFile::Save(const std::filesystem::path& path) const {
  return WriteFileReplacing(path, ToText());
}

std::string ProfileFile::ToText() const {
  std::string text;
  if (byteOrderMark_) text += kByteOrderMark;
  for (const Line& line : lines_) {
    text += line.text;
    text += line.ending;
  }
  return text;
}

ProfileFile::Line ProfileFile::MakeLine(std::string text, std::string ending) {
  Line line{std::move(text), std::move(ending)};
  const std::string_view full = line.text;
  const std::string_view trimmed = TrimAsciiSpace(full);
  const auto offset = [&](std::string_view part) {
    return static_cast<std::size_t>(part.data() - full.data());
  };
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return line;
  if (trimmed.front() == '[') {
    const std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos) return line;
    const std::string_view name = TrimAsciiSpace(trimmed.substr(1, close - 1));
    line.kind = Kind::kSection;
    line.nameBegin = offset(name);
    line.nameSize = name.size();
    return line;
  }
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return line;
  const std::string_view name = TrimAsciiSpace(trimmed.substr(0, equals));
  if (name.empty()) return line;
  const std::string_view value = TrimAsciiSpace(trimmed.substr(equals + 1));
  line.kind = Kind::kKey;
  line.nameBegin = offset(name);
  line.nameSize = name.size();
  line.valueBegin = value.empty() ? 0 : offset(value);
  line.valueSize = value.size();
  return line;
}

std::optional<std::pair<std::size_t, std::size_t>> ProfileFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != Kind::kSection || !EqualsIgnoringCase(lines_[i].name(), section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && lines_[end].kind != Kind::kSection) ++end;
    return std::pair{i, end};
  }
  return std::nullopt;
}

std::optional<std::string> ProfileFile::Find(std::string_view section, std::string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  for (std::size_t i = range->first + 1; i < range->second; ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kKey && EqualsIgnoringCase(line.name(), key))
      return std::string(Unquote(line.value()));
  }
  return std::nullopt;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  std::optional<std::string> value = Find(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const std::optional<std::string> value = Find(section, key);
  if (!value) return fallback;
  return ParseProfileInteger(*value).value_or(fallback);
}

std::string ProfileFile::NewLineEnding() const {
  return !lines_.empty() && !lines_.front().ending.empty() ? lines_.front().ending : std::string("\n");
}

Status ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsCleanName(section) || section.find(']') != std::string_view::npos) {
    return Status::Error("cannot store a setting in section \"" + std::string(section) +
                         "\": not a valid section name");
  }
  if (!IsCleanName(key) || key.find('=') != std::string_view::npos || key.front() == ';' ||
      key.front() == '#' || key.front() == '[') {
    return Status::Error("cannot store the setting \"" + std::string(key) + "\": not a valid key name");
  }
  if (HasLineBreakOrNul(value)) {
    return Status::Error("cannot store the setting " + std::string(key) + ": its value holds a line break");
  }
  std::string encoded(value);
  if (!value.empty() && (IsAsciiSpace(value.front()) || IsAsciiSpace(value.back()) ||
                         (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back()))) {
    encoded = "\"" + encoded + "\"";
  }

  const std::string ending = NewLineEnding();
  const auto range = FindSection(section);
  if (range) {
    std::size_t insertAfter = range->first;
    for (std::size_t i = range->first + 1; i < range->second; ++i) {
      Line& line = lines_[i];
      if (line.kind != Kind::kKey) continue;
      if (EqualsIgnoringCase(line.name(), key)) {
        // The indentation and the key's own spelling stay.
        std::string text = line.text.substr(0, line.nameBegin + line.nameSize) + "=" + encoded;
        line = MakeLine(std::move(text), std::move(line.ending));
        return Status::Ok();
      }
      insertAfter = i;
    }
    if (lines_[insertAfter].ending.empty()) lines_[insertAfter].ending = ending;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAfter + 1),
                  MakeLine(std::string(key) + "=" + encoded, ending));
    return Status::Ok();
  }

  if (!lines_.empty()) {
    if (lines_.back().ending.empty()) lines_.back().ending = ending;
    if (!TrimAsciiSpace(lines_.back().text).empty()) lines_.push_back(MakeLine("", ending));
  }
  lines_.push_back(MakeLine("[" + std::string(section) + "]", ending));
  lines_.push_back(MakeLine(std::string(key) + "=" + encoded, ending));
  return Status::Ok();
}

Status ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

}  // namespace quillstone
