#pragma once

#include <cstdint>
#include <string>

namespace quillstone {

// A local calendar date and time of day, millisecond resolution. The render reads the
// clock once and passes this value along, so a render is a function of its inputs.
struct LocalDateTime {
  // In 64 bits: a file's date may lie far beyond the years an int holds once 1900 is added.
  std::int64_t year = 1899;
  int month = 12;  // 1..12
  int day = 30;    // 1..31
  int hour = 0;    // 0..23
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The zero date-time: 30 December 1899, 00:00:00.000.
inline constexpr LocalDateTime kZeroDateTime{};

// The current local date and time.
LocalDateTime CurrentLocalDateTime();

// The time of day in the system locale's long time format (hours, minutes, seconds).
std::string LongTimeText(const LocalDateTime& t);

}  // namespace quillstone
