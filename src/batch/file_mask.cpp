#include "batch/file_mask.h"

#include "imagefiles/image_decoder.h"
#include "imaging/ascii_case.h"

namespace quillstone {
namespace {

// Bytes of the character starting at i: a lead byte and its continuation bytes.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
  std::size_t end = i + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  return end - i;
}

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  // Greedy matching with one backtrack point: the last '*' seen and where in the name its
  // run ends for now. Linear in practice, at most name x pattern steps.
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starPattern = std::string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
      continue;
    }
    if (p < pattern.size() && pattern[p] == '?') {
      n += CharacterLength(name, n);
      ++p;
      continue;
    }
    if (p < pattern.size() && ToLowerAscii(pattern[p]) == ToLowerAscii(name[n])) {
      ++n;
      ++p;
      continue;
    }
    if (starPattern == std::string_view::npos) return false;
    starName += CharacterLength(name, starName);
    n = starName;
    p = starPattern + 1;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool MatchesFileMask(std::string_view name, std::string_view masks) {
  while (true) {
    const std::size_t end = masks.find(';');
    const std::string_view pattern = TrimAsciiSpace(masks.substr(0, end));
    if (!pattern.empty() && MatchesWildcard(name, pattern)) return true;
    if (end == std::string_view::npos) return false;
    masks.remove_prefix(end + 1);
  }
}

std::string NormalizeMaskEntry(std::string_view text) {
  text = TrimAsciiSpace(text);
  if (text.empty()) return "*.jpg";
  const std::size_t dot = text.rfind('.');
  if (dot != std::string_view::npos) {
    if (ImageFileKindFor(std::string("mask") + std::string(text.substr(dot))) != ImageFileKind::kUnknown)
      return std::string(text);
  }
  return std::string(text.substr(0, dot)) + ".jpg";
}

}  // namespace quillstone
