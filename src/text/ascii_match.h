#pragma once

#include <string_view>

#include "imaging/ascii_case.h"

namespace quillstone {

// Matching of commands and tags: only the ASCII letters fold, every other byte (UTF-8
// sequences included) must be equal.

// Whether text starts with lowerNeedle (written in lower case).
constexpr bool StartsWithFolded(std::string_view text, std::string_view lowerNeedle) {
  if (text.size() < lowerNeedle.size()) return false;
  for (size_t k = 0; k < lowerNeedle.size(); ++k) {
    if (ToLowerAscii(text[k]) != lowerNeedle[k]) return false;
  }
  return true;
}

// The first position at or after from where lowerNeedle starts, or npos.
constexpr size_t FindFolded(std::string_view text, std::string_view lowerNeedle, size_t from = 0) {
  if (lowerNeedle.empty() || lowerNeedle.size() > text.size()) return std::string_view::npos;
  for (size_t i = from; i + lowerNeedle.size() <= text.size(); ++i) {
    if (StartsWithFolded(text.substr(i), lowerNeedle)) return i;
  }
  return std::string_view::npos;
}

}  // namespace quillstone
