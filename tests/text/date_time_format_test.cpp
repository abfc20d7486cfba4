#include "text/date_time_format.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <cstdint>
#include <limits>

#include "platform/locale_info.h"

namespace quillstone {
namespace {

// Tuesday, 5 March 2024, 14:07:09.045.
constexpr LocalDateTime kMoment{2024, 3, 5, 14, 7, 9, 45};

TEST(DateTimeFormat, FieldsAndTheClockRules) {
  struct Case {
    const char* format;
    int hour, minute;
    const char* expected;
  };
  for (const Case& c : {// 12-hour wherever AM/PM stands, in its own letter case.
                        Case{"h:mm AM/PM", 0, 5, "12:05 AM"}, Case{"h:mm AM/PM", 11, 59, "11:59 AM"},
                        Case{"h:mm AM/PM", 12, 0, "12:00 PM"}, Case{"hh:mm AM/PM", 23, 0, "11:00 PM"},
                        Case{"h am/pm", 9, 0, "9 am"}, Case{"h Am/pM", 13, 0, "1 pM"},
                        Case{"AM/PM h", 13, 0, "PM 1"}, Case{"h:mm", 0, 5, "0:05"},  // 24-hour without AM/PM
                        Case{"h \"AM/PM\"", 13, 0, "13 AM/PM"},                      // quoted: no effect
                        Case{"hh:mm:ss:zzz AM/PM", 14, 7, "02:07:09:045 PM"},
                        // Minutes after the hour, the month elsewhere.
                        Case{"mm", 14, 7, "03"}, Case{"h:m", 14, 7, "14:7"}, Case{"hh mm", 14, 7, "14 07"},
                        Case{"hh:mm:ss mm", 14, 7, "14:07:09 03"},  // after ss: month again
                        Case{"h mmm", 14, 7, "14 Mar"},             // names stay names
                        Case{"HH:MM", 14, 7, "14:07"},              // any letter case
                        Case{"DD.MM.YYYY", 14, 7, "05.03.2024"}, Case{"d/m", 14, 7, "5/3"},
                        Case{"s ss z zzz", 14, 7, "9 09 45 045"}, Case{"y yy yyy", 14, 7, "24 24 2024"},
                        Case{"ddd dddd ddddd", 14, 7, "Tue Tuesday Tuesday"},
                        Case{"\"day\" d 'of' mmmm", 14, 7, "day 5 of March"},
                        Case{"x, q-w!", 14, 7, "x, q-w!"},  // no specifiers: copied
                        Case{"\"open", 14, 7, "open"}}) {   // a quote left open runs to the end
    LocalDateTime t = kMoment;
    t.hour = c.hour;
    t.minute = c.minute;
    EXPECT_EQ(FormatDateTime(c.format, t, LocaleInfo{}), c.expected) << c.format;
  }
}

TEST(DateTimeFormat, NamesAndSeparatorsComeFromTheLocale) {
  LocaleInfo german;
  german.longDayNames[2] = "Dienstag";
  german.shortDayNames[2] = "Di";
  german.longMonthNames[2] = "M\xC3\xA4rz";
  german.shortMonthNames[2] = "M\xC3\xA4r";
  german.dateSeparator = ".";
  german.timeSeparator = " Uhr ";
  EXPECT_EQ(FormatDateTime("dddd, d. mmmm yyyy", kMoment, german), "Dienstag, 5. M\xC3\xA4rz 2024");
  EXPECT_EQ(FormatDateTime("ddd d-mmm", kMoment, german), "Di 5-M\xC3\xA4r");
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy", kMoment, german), "05.03.2024");
  EXPECT_EQ(FormatDateTime("hh:mm", kMoment, german), "14 Uhr 07");
}

TEST(DateTimeFormat, YearsOutOfRangeValuesAndTheZeroDate) {
  const LocaleInfo english;
  EXPECT_EQ(FormatDateTime("yy yyyy", {987, 1, 1, 0, 0, 0, 0}, english), "87 0987");
  EXPECT_EQ(FormatDateTime("yy", {2005, 1, 1, 0, 0, 0, 0}, english), "05");
  // A month outside 1..12 has no name; nothing is read outside the name lists.
  EXPECT_EQ(FormatDateTime("[mmm][mmmm]mm", {2024, 13, 1, 0, 0, 0, 0}, english), "[][]13");
  EXPECT_EQ(FormatDateTime("[mmm]", {2024, 0, 1, 0, 0, 0, 0}, english), "[]");
  // A file dated at the end of what the clock can count, and the extremes of every field:
  // no overflow, and a weekday for any numbers.
  EXPECT_EQ(FormatDateTime("dddd d.m.yyyy yy", {2147485547, 12, 31, 0, 0, 0, 0}, english),
            "Wednesday 31.12.2147485547 47");
  constexpr std::int64_t kMinYear = std::numeric_limits<std::int64_t>::min();
  constexpr int kMin = std::numeric_limits<int>::min();
  EXPECT_EQ(FormatDateTime("yyyy [mmm] d h", {kMinYear, kMin, kMin, kMin}, english),
            "-9223372036854775808 [] -2147483648 -2147483648");
  for (const std::int64_t year : {kMinYear, std::numeric_limits<std::int64_t>::max()}) {
    for (const int field : {kMin, std::numeric_limits<int>::max()}) {
      const int weekday = DayOfWeek(year, field, field);
      EXPECT_TRUE(weekday >= 0 && weekday < 7) << weekday;
    }
  }
  // The zero date is a Saturday.
  EXPECT_EQ(FormatDateTime("dddd dd.mm.yyyy hh:mm:ss:zzz", kZeroDateTime, LocaleInfo{}),
            "Saturday 30.12.1899 00:00:00:000");
}

// The default formats are the locale's own, converted: formatting with them must give what
// the locale itself gives (without the time zone, which the conversion drops).
TEST(DateTimeFormat, ConvertedLocaleFormatsMatchTheLocale) {
  const QDateTime moment(QDate(2024, 3, 5), QTime(14, 7, 9, 45));
  for (const char* name : {"en_US", "en_GB", "de_DE", "fr_FR", "fi_FI", "hu_HU", "ja_JP", "bg_BG", "nl_NL"}) {
    const QLocale qt{QString::fromLatin1(name)};
    const LocaleInfo info = LocaleInfoNamed(name);
    EXPECT_EQ(FormatDateTime(info.shortDateFormat, kMoment, info),
              qt.toString(moment, qt.dateFormat(QLocale::ShortFormat)).toStdString())
        << name << ": " << info.shortDateFormat;
    EXPECT_EQ(FormatDateTime("dddd mmmm", kMoment, info), qt.toString(moment, "dddd MMMM").toStdString())
        << name;
    QString timeFormat = qt.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    EXPECT_EQ(FormatDateTime(info.longTimeFormat, kMoment, info),
              qt.toString(moment, timeFormat).trimmed().toStdString())
        << name << ": " << info.longTimeFormat;
  }
}

}  // namespace
}  // namespace quillstone
