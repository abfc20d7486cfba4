#include "platform/text_file.h"

#include "platform/whole_file.h"

namespace quillstone {

namespace {

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

}  // namespace

size_t Utf8SequenceLength(std::string_view s, size_t i) {
  const auto at = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char b = at(0);
  if (b < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  if (at(1) < low || at(1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (!IsContinuation(at(k))) return 0;
  }
  return length;
}

std::string DecodeTextBytes(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    if (const size_t n = Utf8SequenceLength(bytes, i); n > 0) {
      out.append(bytes.substr(i, n));
      i += n;
      continue;
    }
    const auto b = static_cast<unsigned char>(bytes[i++]);
    out += static_cast<char>(0xC0 | (b >> 6));
    out += static_cast<char>(0x80 | (b & 0x3F));
  }
  return out;
}

LineBreak FindLineBreak(std::string_view text) {
  const std::size_t at = text.find_first_of("\r\n");
  if (at == std::string_view::npos) return {text.size(), 0};
  return {at, text.substr(at).starts_with("\r\n") ? std::size_t{2} : std::size_t{1}};
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const LineBreak lineBreak = FindLineBreak(text);
    lines.emplace_back(text.substr(0, lineBreak.at));
    text.remove_prefix(lineBreak.at + lineBreak.size);
  }
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

TextFileRead ReadTextFileLines(const std::string& path) {
  TextFileRead result;
  std::string bytes;
  const WholeFileRead read = ReadWholeFile(path, kMaxTextFileBytes, bytes);
  switch (read.outcome) {
    case WholeFileRead::Outcome::kRead:
      result.outcome = TextFileRead::Outcome::kRead;
      result.lines = SplitTextLines(DecodeTextBytes(bytes));
      break;
    case WholeFileRead::Outcome::kMissing:
      result.outcome = TextFileRead::Outcome::kMissing;
      result.error = read.reason;
      break;
    case WholeFileRead::Outcome::kRefused:
      result.outcome = TextFileRead::Outcome::kUnreadable;
      result.error = read.reason;
      break;
  }
  return result;
}

}  // namespace quillstone
