#include "text/date_time_format.h"

#include <cstdint>

#include "text/ascii_match.h"

namespace quillstone {

namespace {

// Appends value in decimal with at least minDigits digits (zeros in front).
void AppendNumber(std::string& out, std::int64_t value, int minDigits) {
  // The magnitude in unsigned arithmetic, where even the smallest value has one.
  std::uint64_t magnitude = static_cast<std::uint64_t>(value);
  if (value < 0) {
    out += '-';
    magnitude = 0 - magnitude;
  }
  std::string digits;
  do {
    digits += static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude > 0);
  for (int k = static_cast<int>(digits.size()); k < minDigits; ++k) out += '0';
  out.append(digits.rbegin(), digits.rend());
}

// The name of a month or weekday counted from 1, none for a number out of range.
template <size_t N>
const std::string& NameOf(const std::array<std::string, N>& names, int number) {
  static const std::string kNone;
  return number >= 1 && number <= static_cast<int>(N) ? names[number - 1] : kNone;
}

constexpr std::string_view kAmPm = "am/pm";

// Whether the format holds AM/PM outside quoted text.
bool HoldsAmPm(std::string_view format) {
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (StartsWithFolded(format.substr(i), kAmPm)) {
      return true;
    }
  }
  return false;
}

size_t FoldedRunLength(std::string_view s, size_t i) {
  const char letter = ToLowerAscii(s[i]);
  size_t n = 1;
  while (i + n < s.size() && ToLowerAscii(s[i + n]) == letter) ++n;
  return n;
}

}  // namespace

int DayOfWeek(std::int64_t year, int month, int day) {
  // Days since 1970-01-01 (a Thursday) by the civil-calendar method of counting eras of
  // 400 years from 1 March. An era holds 146097 days, a whole number of weeks, so only the
  // year within its era counts: taken first, it keeps every sum small.
  const long long m = month;
  const long long y = (year % 400 + 400) % 400 + 400 - (m <= 2 ? 1 : 0);  // 399..799
  const long long yearOfEra = y % 400;
  const long long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long long days = dayOfEra - 719468;
  return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

std::string FormatDateTime(std::string_view format, const LocalDateTime& t, const LocaleInfo& locale) {
  const bool twelveHour = HoldsAmPm(format);
  std::string out;
  char lastLetter = 0;  // the previous letter read outside quotes, folded
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c == '"' || c == '\'') {
      const size_t end = format.find(c, i + 1);
      const size_t stop = end == std::string_view::npos ? format.size() : end;
      out.append(format.substr(i + 1, stop - i - 1));
      i = end == std::string_view::npos ? format.size() : end + 1;
      continue;
    }
    if (c == '/') {
      out += locale.dateSeparator;
      ++i;
      continue;
    }
    if (c == ':') {
      out += locale.timeSeparator;
      ++i;
      continue;
    }
    const char letter = ToLowerAscii(c);
    if (letter < 'a' || letter > 'z') {
      out += c;
      ++i;
      continue;
    }
    if (letter == 'a' && StartsWithFolded(format.substr(i), kAmPm)) {
      // "AM" or "PM" copied from the format itself, so its letter case is kept.
      out.append(format.substr(t.hour < 12 ? i : i + 3, 2));
      lastLetter = letter;
      i += kAmPm.size();
      continue;
    }
    const size_t n = FoldedRunLength(format, i);
    switch (letter) {
      case 'd':
        if (n <= 2) {
          AppendNumber(out, t.day, static_cast<int>(n));
        } else {
          const int weekday = DayOfWeek(t.year, t.month, t.day);
          out += NameOf(n == 3 ? locale.shortDayNames : locale.longDayNames, weekday + 1);
        }
        break;
      case 'm':
        if (n <= 2 && lastLetter == 'h') {
          AppendNumber(out, t.minute, static_cast<int>(n));
        } else if (n <= 2) {
          AppendNumber(out, t.month, static_cast<int>(n));
        } else {
          out += NameOf(n == 3 ? locale.shortMonthNames : locale.longMonthNames, t.month);
        }
        break;
      case 'y':
        if (n <= 2) {
          AppendNumber(out, ((t.year % 100) + 100) % 100, 2);
        } else {
          AppendNumber(out, t.year, 4);
        }
        break;
      case 'h': {
        int hour = t.hour;
        if (twelveHour) {
          hour %= 12;
          if (hour == 0) hour = 12;
        }
        AppendNumber(out, hour, n == 1 ? 1 : 2);
        break;
      }
      case 's':
        AppendNumber(out, t.second, n == 1 ? 1 : 2);
        break;
      case 'z':
        AppendNumber(out, t.millisecond, n < 3 ? 1 : 3);
        break;
      default:
        out.append(format.substr(i, n));
        break;
    }
    lastLetter = letter;
    i += n;
  }
  return out;
}

}  // namespace quillstone
