#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "imaging/status.h"

namespace quillstone {

// The largest file the program reads whole as one of its own files (configuration, text,
// history): far above any real one, low enough that a wrong path (a disk image, a device)
// is refused instead of filling the memory.
inline constexpr std::size_t kMaxOwnedFileBytes = std::size_t{64} << 20;

// Reads the whole file into bytes, as they are (no text decoding: the configuration and
// the directory histories hold paths, which must keep every byte). A file that does not
// exist is not an error: the result is Ok, bytes is empty and *missing (when given) is set.
// Any other failure, a folder, something that is not a regular file or a file above
// maxBytes gives an error naming the path; bytes is then left as it was.
// Files are written through WriteFileReplacing (platform/text_file.h).
Status ReadWholeFile(const std::filesystem::path& path, std::string& bytes, bool* missing = nullptr,
                     std::size_t maxBytes = kMaxOwnedFileBytes);

}  // namespace quillstone
