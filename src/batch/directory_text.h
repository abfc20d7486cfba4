#pragma once

#include <string>
#include <string_view>

#include "imaging/ascii_case.h"

namespace quillstone {

// A directory as the program shows, stores and joins it: ending in '/'. An empty text
// stays empty (it names no directory, and must not turn into the root).
inline std::string WithTrailingSlash(std::string_view directory) {
  std::string text(directory);
  if (!text.empty() && text.back() != '/') text += '/';
  return text;
}

// The file name of a listed name that may hold a folder part ("a/b.jpg" -> "b.jpg").
inline std::string_view FileNamePart(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// File and directory names are the same when they differ at most in ASCII letter case.
inline bool SameFileName(std::string_view a, std::string_view b) {
  return EqualsIgnoringCase(a, b);
}

}  // namespace quillstone
