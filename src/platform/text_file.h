#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "imaging/status.h"

namespace quillstone {

// The text files the program reads and writes for itself (per-image texts, text files of
// the text page). Texts are held as UTF-8.

// UTF-8 text from the bytes of a file: a leading byte-order mark is dropped, valid UTF-8
// sequences are kept, and every other byte is read as Latin-1.
std::string DecodeTextBytes(std::string_view bytes);

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
inline constexpr long long kMaxTextFileBytes = 16LL << 20;

// Reads a text file into lines (DecodeTextBytes, SplitTextLines).
TextFileRead ReadTextFileLines(const std::string& path);

// Writes bytes to a file through a temporary file in the same folder that is renamed over
// the old one, so a failed write leaves the old file whole. An existing file keeps its
// permissions; a symbolic link is written through to its target.
Status WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace quillstone
