#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/date_time.h"
#include "platform/locale_info.h"

namespace quillstone {

// The date and time format language of the text commands. Specifiers (letters in any case):
//   d dd        day of month, without / with leading zero
//   ddd dddd    short / long day name (a longer run of d is dddd)
//   m mm        month, without / with leading zero; minutes when the letter before was h
//   mmm mmmm    short / long month name (a longer run of m is mmmm)
//   yy yyyy     year with two / four digits (y is yy, yyy and longer are yyyy)
//   h hh        hour, without / with leading zero; 12-hour clock (12, 1 .. 11) when the
//               format holds AM/PM, else 24-hour
//   s ss        seconds, without / with leading zero
//   z zzz       milliseconds, without / with leading zeros
//   AM/PM       "AM" before noon, "PM" from noon on, in the letter case written
//   /  :        the locale's date / time separator
//   "text" 'text'  copied without the quotes
// Any other character is copied as it is.
std::string FormatDateTime(std::string_view format, const LocalDateTime& t, const LocaleInfo& locale);

// Day of the week, 0 = Sunday .. 6 = Saturday, of any proleptic Gregorian date; for any
// numbers at all some weekday, without overflow.
int DayOfWeek(std::int64_t year, int month, int day);

// The formats the command window offers, in its order.
inline constexpr std::array<std::string_view, 15> kDateFormats{
    "dd.mm.yyyy", "mm.dd.yyyy",   "dddd, d. mmmm yyyy", "d. mmmm yyyy", "mmmm, d. yyyy",
    "dd.mm.yy",   "yyyy-mm-dd",   "d-mmm-yy",           "dd/mm/yyyy",   "d. MMM. yy",
    "mmm. d. yy", "mmm. d. yyyy", "dd/MM/yy",           "MMMM yy",      "MMM-yy"};

inline constexpr std::array<std::string_view, 12> kTimeFormats{
    "h:mm",     "h:mm AM/PM",     "hh:mm",       "hh:mm AM/PM",       "h:mm:ss",      "h:mm:ss AM/PM",
    "hh:mm:ss", "hh:mm:ss AM/PM", "h:mm:ss:zzz", "h:mm:ss:zzz AM/PM", "hh:mm:ss:zzz", "hh:mm:ss:zzz AM/PM"};

}  // namespace quillstone
