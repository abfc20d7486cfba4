#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>

namespace quillstone {
namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

WholeFileRead Refused(std::string reason) {
  return {WholeFileRead::Outcome::kRefused, std::move(reason)};
}

// Reads up to `want` bytes into data, fewer only at the end of the file; `got` counts
// them. Returns 0 or the errno of a failed read.
int ReadUpTo(int fd, char* data, std::size_t want, std::size_t& got) {
  got = 0;
  while (got < want) {
    const ssize_t n = ::read(fd, data + got, want - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace

std::string ByteSizeText(std::size_t bytes) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  constexpr std::size_t kGiB = std::size_t{1} << 30;
  if (bytes >= kGiB && bytes % kGiB == 0) return std::to_string(bytes / kGiB) + " GiB";
  if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

WholeFileRead ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                            const LeadingBytesCheck& check) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) return {WholeFileRead::Outcome::kMissing, std::strerror(error)};
    return Refused(std::strerror(error));
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Refused(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) return Refused("it is a folder");
  if (!S_ISREG(info.st_mode)) return Refused("it is not a regular file");
  const std::string tooLargeReason = "the file is larger than " + ByteSizeText(maxBytes);
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return Refused(tooLargeReason);

  const auto size = static_cast<std::size_t>(info.st_size);
  std::string content;
  std::size_t got = 0;
  try {
    if (check) {
      // Read into a small buffer first: the whole file's memory is taken only once its
      // first bytes are of the right kind.
      content.resize(std::min(size, kLeadingBytes));
      if (const int error = ReadUpTo(fd.get(), content.data(), content.size(), got); error != 0)
        return Refused(std::strerror(error));
      if (std::string problem = check(std::string_view(content.data(), got)); !problem.empty())
        return Refused(std::move(problem));
    }
    content.resize(size);
    std::size_t more = 0;
    if (const int error = ReadUpTo(fd.get(), content.data() + got, size - got, more); error != 0)
      return Refused(std::strerror(error));
    got += more;
    // The file may have grown since it was measured: read on, within the limit. One byte is
    // read aside first, so that a file that has not grown (nearly always) is never copied
    // into a larger buffer.
    while (got == content.size()) {
      char probe;
      std::size_t extra = 0;
      if (const int error = ReadUpTo(fd.get(), &probe, 1, extra); error != 0)
        return Refused(std::strerror(error));
      if (extra == 0) break;
      if (content.size() >= maxBytes) return Refused(tooLargeReason);
      content.resize(std::min(maxBytes, content.size() + 65536));
      content[got++] = probe;
      if (const int error = ReadUpTo(fd.get(), content.data() + got, content.size() - got, more); error != 0)
        return Refused(std::strerror(error));
      got += more;
    }
  } catch (const std::bad_alloc&) {
    return Refused("not enough memory to read " + ByteSizeText(size));
  }
  content.resize(got);
  bytes = std::move(content);
  return {WholeFileRead::Outcome::kRead, {}};
}

}  // namespace quillstone
