#pragma once

#include <optional>
#include <string>

#include "platform/date_time.h"

namespace quillstone {

// The last-write time of a file in local time, millisecond resolution. Empty when the
// path names no file that can be opened for reading (missing, no permission, a folder).
// Opening does not block on special files such as pipes.
std::optional<LocalDateTime> FileLastWriteTime(const std::string& path);

// Seconds since 1970-01-01 00:00:00 UTC (and a millisecond part, 0..999) as local time.
LocalDateTime ToLocalDateTime(long long epochSeconds, int millisecond);

}  // namespace quillstone
