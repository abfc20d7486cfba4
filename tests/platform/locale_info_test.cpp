#include "platform/locale_info.h"

#include <gtest/gtest.h>

namespace quillstone {
namespace {

TEST(LocaleInfo, FormatsConvertIntoTheFormatLanguage) {
  struct Case {
    const char* localeFormat;
    FormatKind kind;
    const char* separator;
    const char* expected;
  };
  using enum FormatKind;
  for (const Case& c :
       {Case{"dd.MM.yy", kDate, ".", "dd/mm/yy"}, Case{"M/d/yy", kDate, "/", "m/d/yy"},
        Case{"d MMM yyyy", kDate, "/", "d mmm yyyy"}, Case{"yyyy. MM. dd.", kDate, ".", "yyyy/ mm/ dd/"},
        Case{"y-MM-dd", kDate, "-", "yy/mm/dd"}, Case{"dddd, d MMMM yyyy", kDate, ",", "dddd/ d mmmm yyyy"},
        // Quoted text: letters the language would read as fields get quotes.
        Case{"d 'de' MMMM", kDate, "/", "d \"de\" mmmm"},
        Case{"d.MM.yy '\xD0\xB3'.", kDate, ".", "d/mm/yy \xD0\xB3/"},
        Case{"'Day' d", kDate, "/", "\"Day\" d"}, Case{"HH:mm:ss t", kTime, ":", "hh:mm:ss"},
        Case{"h:mm:ss AP t", kTime, ":", "h:mm:ss AM/PM"}, Case{"h:mm:ss ap", kTime, ":", "h:mm:ss am/pm"},
        Case{"H:mm:ss (t)", kTime, ":", "h:mm:ss"}, Case{"t HH:mm:ss", kTime, ":", "hh:mm:ss"},
        Case{"H.mm.ss t", kTime, ".", "h:mm:ss"}, Case{"HH:mm:ss.zzz", kTime, ":", "hh:mm:ss.zzz"},
        Case{"h 'o''clock' a", kTime, ":", "h \"o'clock\" am/pm"},
        Case{"H\xE6\x99\x82mm\xE5\x88\x86 t", kTime, ":", "h\xE6\x99\x82mm\xE5\x88\x86"}}) {
    EXPECT_EQ(LocaleFormatSeparator(c.localeFormat, c.kind), c.separator) << c.localeFormat;
    EXPECT_EQ(ConvertLocaleFormat(c.localeFormat, c.separator, c.kind), c.expected) << c.localeFormat;
  }
}

TEST(LocaleInfo, SystemAndNamedLocalesAreFilledFromSunday) {
  const LocaleInfo& info = SystemLocaleInfo();
  for (const auto& name : info.longMonthNames) EXPECT_FALSE(name.empty());
  for (const auto& name : info.shortDayNames) EXPECT_FALSE(name.empty());
  EXPECT_FALSE(info.shortDateFormat.empty());
  EXPECT_FALSE(info.longTimeFormat.empty());
  EXPECT_EQ(&info, &SystemLocaleInfo());
  // A named locale starts the week on Sunday.
  const LocaleInfo german = LocaleInfoNamed("de_DE");
  EXPECT_EQ(german.longDayNames[0], "Sonntag");
  EXPECT_EQ(german.longDayNames[1], "Montag");
  EXPECT_EQ(german.longMonthNames[2], "M\xC3\xA4rz");
  EXPECT_EQ(german.dateSeparator, ".");
  EXPECT_EQ(german.shortDateFormat, "dd/mm/yy");
  EXPECT_EQ(german.longTimeFormat, "hh:mm:ss");
}

}  // namespace
}  // namespace quillstone
