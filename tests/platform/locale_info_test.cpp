#include "platform/locale_info.h"

#include <gtest/gtest.h>

namespace quillstone {
namespace {

struct ConvertCase {
  const char* localeFormat;
  FormatKind kind;
  const char* separator;
  const char* expected;
};

class LocaleFormats : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(LocaleFormats, ConvertIntoTheFormatLanguage) {
  const ConvertCase& c = GetParam();
  EXPECT_EQ(LocaleFormatSeparator(c.localeFormat, c.kind), c.separator) << c.localeFormat;
  EXPECT_EQ(ConvertLocaleFormat(c.localeFormat, c.separator, c.kind), c.expected) << c.localeFormat;
}

INSTANTIATE_TEST_SUITE_P(
    Dates, LocaleFormats,
    ::testing::Values(ConvertCase{"dd.MM.yy", FormatKind::kDate, ".", "dd/mm/yy"},
                      ConvertCase{"M/d/yy", FormatKind::kDate, "/", "m/d/yy"},
                      ConvertCase{"d MMM yyyy", FormatKind::kDate, "/", "d mmm yyyy"},
                      ConvertCase{"yyyy. MM. dd.", FormatKind::kDate, ".", "yyyy/ mm/ dd/"},
                      ConvertCase{"y-MM-dd", FormatKind::kDate, "-", "yy/mm/dd"},
                      ConvertCase{"dddd, d MMMM yyyy", FormatKind::kDate, ",", "dddd/ d mmmm yyyy"},
                      // Quoted text: letters the language would read as fields get quotes.
                      ConvertCase{"d 'de' MMMM", FormatKind::kDate, "/", "d \"de\" mmmm"},
                      ConvertCase{"d.MM.yy '\xD0\xB3'.", FormatKind::kDate, ".", "d/mm/yy \xD0\xB3/"},
                      ConvertCase{"'Day' d", FormatKind::kDate, "/", "\"Day\" d"}));

INSTANTIATE_TEST_SUITE_P(
    Times, LocaleFormats,
    ::testing::Values(ConvertCase{"HH:mm:ss t", FormatKind::kTime, ":", "hh:mm:ss"},
                      ConvertCase{"h:mm:ss AP t", FormatKind::kTime, ":", "h:mm:ss AM/PM"},
                      ConvertCase{"h:mm:ss ap", FormatKind::kTime, ":", "h:mm:ss am/pm"},
                      ConvertCase{"H:mm:ss (t)", FormatKind::kTime, ":", "h:mm:ss"},
                      ConvertCase{"t HH:mm:ss", FormatKind::kTime, ":", "hh:mm:ss"},
                      ConvertCase{"H.mm.ss t", FormatKind::kTime, ".", "h:mm:ss"},
                      ConvertCase{"HH:mm:ss.zzz", FormatKind::kTime, ":", "hh:mm:ss.zzz"},
                      ConvertCase{"h 'o''clock' a", FormatKind::kTime, ":", "h \"o'clock\" am/pm"},
                      ConvertCase{"H\xE6\x99\x82mm\xE5\x88\x86 t", FormatKind::kTime, ":",
                                  "h\xE6\x99\x82mm\xE5\x88\x86"}));

TEST(LocaleInfo, SystemLocaleIsFilled) {
  const LocaleInfo& info = SystemLocaleInfo();
  for (const auto& name : info.longMonthNames) EXPECT_FALSE(name.empty());
  for (const auto& name : info.shortDayNames) EXPECT_FALSE(name.empty());
  EXPECT_FALSE(info.shortDateFormat.empty());
  EXPECT_FALSE(info.longTimeFormat.empty());
  EXPECT_EQ(&info, &SystemLocaleInfo());
}

TEST(LocaleInfo, NamedLocaleStartsTheWeekOnSunday) {
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
