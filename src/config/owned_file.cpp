#include "config/owned_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace quillstone {
namespace {

std::string Failure(const std::filesystem::path& path, const std::string& cause) {
  return "cannot read " + path.string() + ": " + cause;
}

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

}  // namespace

Status ReadWholeFile(const std::filesystem::path& path, std::string& bytes, bool* missing,
                     std::size_t maxBytes) {
  if (missing != nullptr) *missing = false;
  // Non-blocking, so that a named pipe given as a path cannot stall the program.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      if (missing != nullptr) *missing = true;
      bytes.clear();
      return Status::Ok();
    }
    return Status::Error(Failure(path, std::strerror(errno)));
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Status::Error(Failure(path, std::strerror(errno)));
  if (S_ISDIR(info.st_mode)) return Status::Error(Failure(path, "it is a folder"));
  if (!S_ISREG(info.st_mode)) return Status::Error(Failure(path, "it is not a regular file"));
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
    return Status::Error(Failure(path, "the file is too large"));
  std::string content;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::Error(Failure(path, std::strerror(errno)));
    }
    if (n == 0) break;
    // The file may have grown since it was measured.
    if (content.size() + static_cast<std::size_t>(n) > maxBytes) {
      return Status::Error(Failure(path, "the file is too large"));
    }
    content.append(buffer, static_cast<std::size_t>(n));
  }
  bytes = std::move(content);
  return Status::Ok();
}

}  // namespace quillstone
