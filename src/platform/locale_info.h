#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quillstone {

// The names and separators that the date and time format language takes from a locale,
// and the locale's default formats written in that language. Texts are UTF-8. The member
// defaults are plain English with "/" and ":", so a test fills only what it needs.
struct LocaleInfo {
  std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
  std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
  std::string dateSeparator = "/";             // what "/" in a format stands for
  std::string timeSeparator = ":";             // what ":" in a format stands for
  std::string shortDateFormat = "dd/mm/yyyy";  // the default of "$date$" and "$fdate$"
  std::string longTimeFormat = "hh:mm:ss";     // the default of "$time$" and "$ftime$"
  friend bool operator==(const LocaleInfo&, const LocaleInfo&) = default;
};

// The system locale (QLocale::system()), read once on first use. Day names run from
// Sunday, month names from January; the default formats are the locale's short date and
// long time formats converted by ConvertLocaleFormat.
const LocaleInfo& SystemLocaleInfo();

// The same for a named locale ("de_DE", "en_US"; an unknown name gives the C locale).
LocaleInfo LocaleInfoNamed(const std::string& name);

// Which separator of the format language a locale format is converted for.
enum class FormatKind { kDate, kTime };

// The separator a locale format uses between its fields: the first ASCII punctuation
// character outside quoted text ("dd.MM.yy" gives ".", "H:mm:ss" gives ":"). When there is
// none, "/" for a date and ":" for a time.
std::string LocaleFormatSeparator(std::string_view localeFormat, FormatKind kind);

// Converts a locale date or time format (the notation of QLocale: d, M, y, h/H, m, s, z,
// AP/ap, t, 'quoted text') into the date and time format language of the text commands:
// months become m, the 24-hour H becomes h, AP becomes "AM/PM" (ap "am/pm"), the time-zone
// field is dropped with the blanks and brackets around it, the given separator becomes "/"
// (date) or ":" (time), and every other literal that the format language would read as a
// specifier is put in double quotes.
std::string ConvertLocaleFormat(std::string_view localeFormat, std::string_view separator, FormatKind kind);

}  // namespace quillstone
