#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace quillstone {

namespace {

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence starting at s[i] (1 for ASCII), or 0 when the
// bytes there are no valid sequence (overlong forms and surrogates included).
size_t ValidSequenceLength(std::string_view s, size_t i) {
  const auto at = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char b = at(0);
  if (b < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  if (at(1) < low || at(1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (!IsContinuation(at(k))) return 0;
  }
  return length;
}

std::string ErrnoText(int error) {
  return std::strerror(error);
}

}  // namespace

std::string DecodeTextBytes(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    if (const size_t n = ValidSequenceLength(bytes, i); n > 0) {
      out.append(bytes.substr(i, n));
      i += n;
      continue;
    }
    const auto b = static_cast<unsigned char>(bytes[i++]);
    out += static_cast<char>(0xC0 | (b >> 6));
    out += static_cast<char>(0x80 | (b & 0x3F));
  }
  return out;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

TextFileRead ReadTextFileLines(const std::string& path) {
  TextFileRead result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    result.outcome = (error == ENOENT || error == ENOTDIR) ? TextFileRead::Outcome::kMissing
                                                           : TextFileRead::Outcome::kUnreadable;
    result.error = ErrnoText(error);
    return result;
  }
  result.outcome = TextFileRead::Outcome::kUnreadable;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    result.error = ErrnoText(errno);
  } else if (!S_ISREG(st.st_mode)) {
    result.error = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
  } else if (st.st_size > kMaxTextFileBytes) {
    result.error = "the file is too large for a text";
  } else {
    std::string bytes;
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    bool failed = false;
    // Reads to the end even if the file grew since fstat, up to the limit.
    while (true) {
      if (got == bytes.size()) {
        if (bytes.size() >= static_cast<size_t>(kMaxTextFileBytes)) break;
        bytes.resize(bytes.size() + 4096);
      }
      const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result.error = ErrnoText(errno);
        failed = true;
        break;
      }
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    if (!failed) {
      bytes.resize(got);
      result.lines = SplitTextLines(DecodeTextBytes(bytes));
      result.outcome = TextFileRead::Outcome::kRead;
    }
  }
  ::close(fd);
  return result;
}

Status WriteFileReplacing(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  if (target.filename().empty()) return Status::Error("cannot write " + path + ": no file name");

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  // A write-protected file stays as it is, although the rename could replace it.
  if (exists && S_ISREG(old.st_mode) && ::access(target.c_str(), W_OK) != 0) {
    return Status::Error("cannot write " + path + ": " + ErrnoText(errno));
  }

  static std::atomic<unsigned> counter{0};
  std::string tempPath;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempPath = (target.parent_path() / ("." + target.filename().string() + "." + std::to_string(::getpid()) +
                                        "-" + std::to_string(counter++) + ".tmp"))
                   .string();
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return Status::Error("cannot write " + path + ": " + ErrnoText(errno));

  int error = 0;
  if (exists && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0) error = errno;
  size_t written = 0;
  while (error == 0 && written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      break;
    }
    written += static_cast<size_t>(n);
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(tempPath.c_str());
    return Status::Error("cannot write " + path + ": " + ErrnoText(error));
  }
  return Status::Ok();
}

}  // namespace quillstone
