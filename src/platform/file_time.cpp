#include "platform/file_time.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <ctime>

namespace quillstone {

LocalDateTime ToLocalDateTime(long long epochSeconds, int millisecond) {
  const std::time_t seconds = static_cast<std::time_t>(epochSeconds);
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return kZeroDateTime;
  const std::int64_t year = std::int64_t{local.tm_year} + 1900;  // tm_year may be as large as INT_MAX
  return {year, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, millisecond};
}

std::optional<LocalDateTime> FileLastWriteTime(const std::string& path) {
  if (path.empty()) return std::nullopt;
  // The file is opened, not only looked up, so that a file we may not read gives no time.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  const bool ok = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  ::close(fd);
  if (!ok) return std::nullopt;
  return ToLocalDateTime(static_cast<long long>(st.st_mtim.tv_sec),
                         static_cast<int>(st.st_mtim.tv_nsec / 1000000));
}

}  // namespace quillstone
