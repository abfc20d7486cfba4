#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/status.h"

namespace quillstone {

// Text as a list of hard lines. Lines end with LF, CR LF or a lone CR; a break at the very
// end does not start another line, so "a\nb\n" and "a\nb" are both the lines "a" and "b",
// and "" is no line at all. A leading UTF-8 byte-order mark is dropped.
std::vector<std::string> SplitTextLines(std::string_view text);

// The bytes as UTF-8 text: unchanged when they are valid UTF-8, otherwise read as Latin-1
// (each byte is the character of the same number) and converted.
std::string DecodeTextBytes(std::string_view bytes);

// Every line followed by LF, so that SplitTextLines gives the same lines back.
std::string JoinTextLines(const std::vector<std::string>& lines);

// Reads a text file into lines (decoded as above). A missing file leaves lines as they
// were, sets *missing and is not an error; a read error leaves lines as they were.
Status ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines,
                     bool* missing = nullptr);

// Writes the lines as UTF-8 with LF line ends, through ReplaceFile.
Status WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace quillstone
