#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>

namespace quillstone {
namespace {

constexpr std::size_t kStreamBuffer = 1 << 16;

// Links followed before a chain counts as a loop, as the kernel does.
constexpr int kMaxLinks = 40;

std::string TemporaryName() {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string name = ".qs00000000.tmp";
  for (std::size_t i = 3; i < 11; ++i) name[i] = kDigits[generator() % 36];
  return name;
}

}  // namespace

Status ResolveWriteTarget(const std::filesystem::path& path, std::filesystem::path& target) {
  std::filesystem::path current = path;
  for (int links = 0;; ++links) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    if (links == kMaxLinks) return Status::Error("cannot write " + path.string() + ": a link loop");
    std::error_code error;
    const std::filesystem::path next = std::filesystem::read_symlink(current, error);
    if (error) return Status::Error("cannot write " + path.string() + ": " + error.message());
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  target = current.lexically_normal();
  return Status::Ok();
}

Status AtomicFile::ErrorFor(std::string_view action, const std::filesystem::path& path, int errorNumber) {
  return Status::Error("cannot " + std::string(action) + " " + path.string() + ": " +
                       std::strerror(errorNumber));
}

Status AtomicFile::Open(const std::filesystem::path& path) {
  Discard();
  path_ = path;
  writeError_ = 0;
  if (path.filename().empty()) return Status::Error("cannot write " + path.string() + ": no file name");
  // A symbolic link is written through: its target is replaced, the link stays.
  if (Status status = ResolveWriteTarget(path, target_); !status) return status;
  struct stat old {};
  const bool replacing = ::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  replacing_ = replacing;
  // A write-protected file stays as it is, although the rename could replace it.
  if (replacing && ::access(target_.c_str(), W_OK) != 0) return ErrorFor("write", path, errno);
  const std::filesystem::path directory = target_.has_parent_path() ? target_.parent_path() : ".";
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempPath_ = directory / TemporaryName();
    fd = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    const int error = errno;
    tempPath_.clear();
    return ErrorFor("write", path, error);
  }
  if (replacing) ::fchmod(fd, old.st_mode & 07777);
  stream_ = ::fdopen(fd, "wb");
  if (stream_ == nullptr) {
    const int error = errno;
    ::close(fd);
    Discard();
    return ErrorFor("write", path, error);
  }
  std::setvbuf(stream_, nullptr, _IOFBF, kStreamBuffer);
  return Status::Ok();
}

void AtomicFile::Write(const void* data, std::size_t size) {
  if (writeError_ != 0 || stream_ == nullptr || size == 0) return;
  if (std::fwrite(data, 1, size, stream_) != size) writeError_ = errno != 0 ? errno : EIO;
}

void AtomicFile::WriteZeros(std::size_t size) {
  static constexpr std::array<std::uint8_t, 64> kZeros{};
  while (size > 0) {
    const std::size_t n = size < kZeros.size() ? size : kZeros.size();
    Write(kZeros.data(), n);
    size -= n;
  }
}

Status AtomicFile::Commit() {
  if (stream_ == nullptr) return Status::Error("cannot write " + path_.string() + ": the file is not open");
  errno = 0;
  if (writeError_ == 0 && (std::fflush(stream_) != 0 || std::ferror(stream_)))
    writeError_ = errno != 0 ? errno : EIO;
  // A replaced file must not be lost to a crash between the rename and the write-back.
  if (writeError_ == 0 && replacing_ && ::fsync(::fileno(stream_)) != 0) writeError_ = errno;
  errno = 0;
  const int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (writeError_ == 0 && closed != 0) writeError_ = errno != 0 ? errno : EIO;
  if (writeError_ != 0) {
    const int error = writeError_;
    Discard();
    return ErrorFor("write", path_, error);
  }
  if (std::rename(tempPath_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    Discard();
    return ErrorFor("replace", path_, error);
  }
  tempPath_.clear();
  return Status::Ok();
}

void AtomicFile::Discard() {
  if (stream_ != nullptr) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
  if (!tempPath_.empty()) {
    ::unlink(tempPath_.c_str());
    tempPath_.clear();
  }
}

Status WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
  AtomicFile file;
  if (Status status = file.Open(path); !status) return status;
  file.Write(bytes.data(), bytes.size());
  return file.Commit();
}

}  // namespace quillstone
