#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/status.h"

namespace quillstone {

// An INI profile file: [SECTION] headers and key=value lines, read key by key and updated
// in place, so that everything else in the file (comments, blank lines, unknown keys and
// sections, their order, the line ends) survives a rewrite byte for byte.
//
// Reading, line by line (CR LF, LF and a lone CR each end a line; whitespace = space, tab,
// CR, LF, VT, FF):
// - whitespace at both ends of a line is ignored; a UTF-8 byte-order mark at the start of
//   the file is skipped;
// - '[' ... ']' is a section header; the name is the text up to the first ']', without
//   whitespace at its ends; text after the ']' is ignored;
// - a line starting with ';' or '#' is a comment;
// - any other line holding '=' is a key line: the key is the text before the first '=',
//   the value the text after it, both without whitespace at their ends; a value that
//   starts and ends with the same quote (" or ') loses that one pair of quotes;
// - everything else (blank lines, text without '=', a key line with an empty key, lines
//   before the first header) is kept but never found.
// Section and key names match without regard to ASCII letter case. A lookup finds the
// first section of that name and, within it, the first key of that name; a second section
// of the same name is kept but neither read nor written.
//
// Writing: an existing key line is replaced by "<key as spelled in the file>=<value>",
// keeping its indentation; a new key goes after the last key line of its section (right
// after the header when there is none); a new section goes at the end of the file after a
// blank line. New lines end like the file's first line (LF for a new file).
class ProfileFile {
 public:
  ProfileFile() = default;
  static ProfileFile Parse(std::string_view text);

  // Loads the file; a file that does not exist gives an empty profile and Ok.
  static Status Load(const std::filesystem::path& path, ProfileFile& profile);
  // Writes the profile through WriteFileReplacing (a temporary file renamed over the old one).
  Status Save(const std::filesystem::path& path) const;
  std::string ToText() const;

  // The value as stored (after trimming and unquoting); none when the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // The value as an integer (see ParseProfileInteger); fallback when the key is missing or
  // its value is not a valid integer.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

  // Sets the key's value. Refused with an error, changing nothing, when the section or key
  // name could not be read back as itself (empty, whitespace at an end, a line break, ']' in
  // a section, '=' in a key, a key starting with ';', '#' or '[') or when the value holds a
  // line break or a NUL. A value with whitespace at an end, or one that starts and ends
  // with the same quote, is written inside double quotes so that it reads back unchanged.
  Status WriteString(std::string_view section, std::string_view key, std::string_view value);
  Status WriteInteger(std::string_view section, std::string_view key, int value);

 private:
  enum class Kind { kOther, kSection, kKey };
  // One line of the file with what it is, worked out once when the line is read or
  // written; name and value are offsets into text, both trimmed, the value not unquoted.
  struct Line {
    std::string text;    // without its line end
    std::string ending;  // "\r\n", "\n", "\r" or "" (last line without a line end)
    Kind kind = Kind::kOther;
    std::size_t nameBegin = 0, nameSize = 0;
    std::size_t valueBegin = 0, valueSize = 0;
    std::string_view name() const { return std::string_view(text).substr(nameBegin, nameSize); }
    std::string_view value() const { return std::string_view(text).substr(valueBegin, valueSize); }
  };
  static Line MakeLine(std::string text, std::string ending);
  // The section's header line and the end (one past its last line); none when absent.
  std::optional<std::pair<std::size_t, std::size_t>> FindSection(std::string_view section) const;
  std::string NewLineEnding() const;

  std::vector<Line> lines_;
  bool byteOrderMark_ = false;
};

// An integer as the profile stores it: an optional '+' or '-' followed by one or more
// decimal digits and nothing else, within -2147483648..2147483647. "12abc", "", "1.5",
// "0x10" and "99999999999" are not integers. Surrounding whitespace has already been
// removed by the reader.
std::optional<int> ParseProfileInteger(std::string_view text);

}  // namespace quillstone
