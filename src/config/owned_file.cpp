#include "config/owned_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace quillstone {
namespace {

std::string Describe(const std::filesystem::path& path, const char* what, int error) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

// Closes a descriptor when it goes out of scope unless released.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports the error of close, which is where some file systems report
  // a failed write.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The file a write to path lands in: path itself, or the end of its chain of links.
std::filesystem::path ResolveTarget(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : resolved;
}

}  // namespace

Status ReadWholeFile(const std::filesystem::path& path, std::string& bytes, bool* missing,
                     std::size_t maxBytes) {
  if (missing != nullptr) *missing = false;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) {
      if (missing != nullptr) *missing = true;
      bytes.clear();
      return Status::Ok();
    }
    return Status::Error(Describe(path, "cannot open", errno));
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return Status::Error(Describe(path, "cannot read", errno));
  if (S_ISDIR(info.st_mode)) return Status::Error("cannot read " + path.string() + ": it is a folder");
  if (S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) > maxBytes) {
    return Status::Error("cannot read " + path.string() + ": the file is too large");
  }
  std::string content;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::Error(Describe(path, "cannot read", errno));
    }
    if (n == 0) break;
    if (content.size() + static_cast<std::size_t>(n) > maxBytes) {
      return Status::Error("cannot read " + path.string() + ": the file is too large");
    }
    content.append(buffer, static_cast<std::size_t>(n));
  }
  bytes = std::move(content);
  return Status::Ok();
}

Status ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path target = ResolveTarget(path);
  if (target.filename().empty()) return Status::Error("cannot write " + path.string() + ": no file name");
  const std::filesystem::path folder = target.parent_path();

  // A name nobody else uses: hidden, beside the target, unique per process and call.
  std::filesystem::path temp;
  int rawFd = -1;
  for (int attempt = 0; attempt < 100 && rawFd < 0; ++attempt) {
    temp = folder / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                     std::to_string(counter.fetch_add(1)));
    rawFd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (rawFd < 0 && errno != EEXIST) return Status::Error(Describe(path, "cannot write", errno));
  }
  if (rawFd < 0) return Status::Error(Describe(path, "cannot write", EEXIST));
  FileDescriptor fd(rawFd);

  const auto fail = [&](int error) {
    ::unlink(temp.c_str());
    return Status::Error(Describe(path, "cannot write", error));
  };
  if (!WriteAll(fd.get(), bytes)) return fail(errno);
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    if (::fchmod(fd.get(), old.st_mode & 07777) != 0) return fail(errno);
  }
  if (::fsync(fd.get()) != 0) return fail(errno);
  if (fd.Close() != 0) return fail(errno);
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);

  // Make the rename itself durable; a failure here loses nothing that was not lost anyway.
  const int folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return Status::Ok();
}

}  // namespace quillstone
