#pragma once

#include <filesystem>
#include <system_error>

namespace quillstone {

// Questions about a path that never throw: a path that cannot be examined (no permission,
// a broken link, an empty path) answers false.
inline bool IsDirectory(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

inline bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

inline bool PathExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace quillstone
