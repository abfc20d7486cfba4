#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quillstone {

// What reading a whole file gave.
struct WholeFileRead {
  enum class Outcome {
    kRead,     // the bytes hold the whole file
    kMissing,  // no file at that path (nor a folder on the way to it)
    kRefused,  // something is there but it is not read: see reason
  };
  Outcome outcome = Outcome::kRefused;
  // Why the file was not read, as a phrase for "cannot read NAME: <reason>": the system's
  // text ("No such file or directory", "Permission denied"), "it is a folder", "it is not a
  // regular file", "the file is larger than 16 MiB", or what the leading bytes check said.
  std::string reason;
  bool read() const { return outcome == Outcome::kRead; }
};

// Looks at the first bytes of a file (up to kLeadingBytes, fewer when the file is shorter)
// before the rest is read: empty when they may start the kind of file the caller wants,
// otherwise why they cannot.
using LeadingBytesCheck = std::function<std::string(std::string_view leading)>;
inline constexpr std::size_t kLeadingBytes = 64;

// Reads a file the user named (a picture, logo, texture, text or configuration) or one the
// program keeps, whole. Only a regular file is read: the file is opened without blocking,
// so that a named pipe or a device cannot stall the program, and then examined; a folder or
// anything but a regular file is refused, and so is a file larger than maxBytes, before
// a byte of it is read. With a check, the leading bytes are read and checked before the
// rest, so a large file of the wrong kind is refused at once. On any outcome but kRead
// `bytes` is left as it was.
WholeFileRead ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                            const LeadingBytesCheck& check = {});

// "16 MiB", "2 GiB", "300 bytes": a size limit as a message shows it.
std::string ByteSizeText(std::size_t bytes);

}  // namespace quillstone
