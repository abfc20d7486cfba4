#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillstone {

// The text files the program reads and writes for itself (per-image texts, text files of
// the text page). Texts are held as UTF-8.

// UTF-8 text from the bytes of a file: a leading byte-order mark is dropped, valid UTF-8
// sequences are kept, and every other byte is read as Latin-1.
std::string DecodeTextBytes(std::string_view bytes);

// Where the first line of a text ends: at is the offset of its line break (the text's size
// when there is none) and size the break's length, 2 for CR LF, 1 for a lone LF or CR, 0
// for none. Every reader of lines, texts and configurations alike, breaks them here.
struct LineBreak {
  std::size_t at = 0;
  std::size_t size = 0;
};
LineBreak FindLineBreak(std::string_view text);

// The length of the valid UTF-8 sequence starting at s[i] (1 for ASCII), or 0 when the
// bytes there are no valid sequence (overlong forms and surrogates included).
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i);

// The lines of a text: CR LF, LF and CR each end a line; a break at the very end starts
// no further line, so "" gives no lines and "a\r\n" gives one.
std::vector<std::string> SplitTextLines(std::string_view text);

// Every line followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

struct TextFileRead {
  enum class Outcome {
    kRead,        // lines hold the file's lines
    kMissing,     // no file at that path
    kUnreadable,  // something is there but it cannot be read as a text file
  };
  Outcome outcome = Outcome::kMissing;
  std::vector<std::string> lines;
  std::string error;  // why, for kUnreadable
};

// Files larger than this are refused as unreadable: a text is lines typed by hand.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{16} << 20;

// Reads a text file into lines (ReadWholeFile, DecodeTextBytes, SplitTextLines). Texts are
// written through WriteFileReplacing (platform/atomic_file.h).
TextFileRead ReadTextFileLines(const std::string& path);

}  // namespace quillstone
