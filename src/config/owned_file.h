#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "imaging/status.h"

namespace quillstone {

// The largest file the program reads whole as one of its own files (configuration, text,
// history): far above any real one, low enough that a wrong path (a disk image, a device)
// is refused instead of filling the memory.
inline constexpr std::size_t kMaxOwnedFileBytes = std::size_t{64} << 20;

// Reads the whole file into bytes. A file that does not exist is not an error: the result
// is Ok, bytes is empty and *missing (when given) is set. Any other failure, a directory
// or a file above maxBytes gives an error naming the path; bytes is then left as it was.
Status ReadWholeFile(const std::filesystem::path& path, std::string& bytes, bool* missing = nullptr,
                     std::size_t maxBytes = kMaxOwnedFileBytes);

// Replaces the file's contents with bytes so that a failure never leaves a half-written
// file: the bytes go to a new file in the same folder, are flushed to the disk, and that
// file is renamed over the old one. The new file keeps the old file's permissions; a
// symbolic link is followed, so the file it points to is replaced and the link stays.
// On failure the old file is untouched, the temporary file removed, and the error names
// the path and the cause.
Status ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quillstone
