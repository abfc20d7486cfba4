#include "config/setting_table.h"

#include <gtest/gtest.h>

#include <set>

#include "config/profile_file.h"
#include "imaging/ascii_case.h"

namespace quillstone {
namespace {

TEST(SettingTable, NamesAreUniqueWithoutRegardToCase) {
  std::set<std::string> names;
  for (const SettingDescriptor& setting : SettingTable()) {
    EXPECT_TRUE(names.insert(ToLowerAscii(setting.name)).second) << setting.name;
    if (setting.stored()) {
      EXPECT_EQ(setting.name, setting.key);
    }
    EXPECT_EQ(setting.stored(), !setting.section.empty()) << setting.name;
  }
}

TEST(SettingTable, FindsByNameInAnyCase) {
  for (const auto& [asked, name] : {std::pair{"LOGOPROZENT", "logoprozent"},
                                    {"bannerheigth", "BANNERHEIGTH"},
                                    {"TextureLeftMargin", "textureleftmargin"}}) {
    const SettingDescriptor* setting = FindSetting(asked);
    ASSERT_NE(setting, nullptr) << asked;
    EXPECT_EQ(setting->name, name);
  }
  EXPECT_EQ(FindSetting("logopos10"), nullptr);
  EXPECT_EQ(FindSetting(""), nullptr);
}

struct SetCase {
  const char* name;
  const char* value;
  bool accepted;
};

TEST(SettingTable, SetFromTextIsStrict) {
  for (const SetCase& c : {SetCase{"logoprozent", "0", true},       SetCase{"logoprozent", "100", true},
                           SetCase{"logoprozent", "101", false},    SetCase{"logoprozent", "5x", false},
                           SetCase{"logoprozent", "", false},       SetCase{"stepinpixel", "0", false},
                           SetCase{"redon", "maybe", false},        SetCase{"redon", "2", false},
                           SetCase{"maincolor", "16777216", false}, SetCase{"maincolor", "-1", false},
                           SetCase{"maincolor", "#12345", false},   SetCase{"maincolor", "#GG0000", false},
                           SetCase{"combination", "13", false},     SetCase{"BANNERWIDTH", "abc", false},
                           SetCase{"textcolorstyle", "6", false},   SetCase{"colorstylewidth", "-1", true},
                           SetCase{"customwidth", "9", false},      SetCase{"customheight", "2000", true},
                           SetCase{"logoangle", "360", false},      SetCase{"sizegroup", "27", false}}) {
    const SettingDescriptor* setting = FindSetting(c.name);
    ASSERT_NE(setting, nullptr) << c.name;
    ProgramSettings settings;
    const Status status = SetSettingFromText(settings, *setting, c.value);
    EXPECT_EQ(status.ok(), c.accepted) << c.name << "=" << c.value << ": " << status.message();
    if (!c.accepted) {
      EXPECT_EQ(settings, ProgramSettings{}) << c.name << "=" << c.value;
      EXPECT_NE(status.message().find(c.name), std::string::npos) << status.message();
    }
  }
}

// Each value reaches its field and nothing else: a colour typed as #RRGGBB is stored as
// 0xBBGGRR, blanks around a number and a leading + or zeros go, yes/no words are switches.
TEST(SettingTable, SetFromTextReachesTheField) {
  struct Case {
    const char* name;
    const char* value;
    void (*expected)(ProgramSettings&);
  };
  for (const Case& c : {
           Case{"maincolor", "#FF8000", [](auto& s) { s.watermark.color.color = 0x0080FF; }},
           Case{"FRAMEINNER", " 33023 ", [](auto& s) { s.watermark.frame.innerColor = 0x0080FF; }},
           Case{"redon", "off", [](auto& s) { s.watermark.channels.red = false; }},
           Case{"logopos9", "YES", [](auto& s) { s.watermark.logo.places[8] = true; }},
           Case{"horiz3", "1", [](auto& s) { s.watermark.text.horizontal = HorizontalAlign::kRight; }},
           Case{"combination", "12", [](auto& s) { s.watermark.combination = CombinationOrder::kTCL; }},
           Case{"fontname", "DejaVu Sans", [](auto& s) { s.watermark.text.font.face = "DejaVu Sans"; }},
           Case{"BANNERWIDTH", "+0640", [](auto& s) { s.banner.width = "640"; }},
           Case{"texturebottomalign", "3",
                [](auto& s) { s.watermark.texture.bottom.align = TextureAlign::kCenter; }},
           Case{"text3ddirection8", "0", [](auto& s) { s.watermark.text.threeD.directions[7] = false; }},
           Case{"changes", "1", [](auto& s) { s.configurationWritten = true; }},
           Case{"SizeGroup", "26", [](auto& s) { s.resize.preset = SizePreset::kCustomSize; }},
           Case{"orientation", "3",
                [](auto& s) { s.orientation.orientation = Orientation::kRotate270Clockwise; }},
           Case{"logoangle", "90", [](auto& s) { s.logoTools.angle = 90; }},
       }) {
    const SettingDescriptor* setting = FindSetting(c.name);
    ASSERT_NE(setting, nullptr) << c.name;
    ProgramSettings set, expected;
    ASSERT_TRUE(SetSettingFromText(set, *setting, c.value).ok()) << c.name << "=" << c.value;
    c.expected(expected);
    EXPECT_EQ(set, expected) << c.name << "=" << c.value;
  }
}

// Every setting's value text sets the same value again, and that value goes through the
// profile unchanged: the table's getters and setters point at the same field.
TEST(SettingTable, ValueTextRoundTripsForEverySetting) {
  ProgramSettings s;
  s.watermark.combination = CombinationOrder::kLCT;
  s.watermark.text.font.face = "Some Face";
  s.watermark.color.strengthItem = -1;
  s.watermark.texture.right.color = 0x00ABCDEF;
  s.logoFileName = "logo.bmp";
  s.resize.preset = SizePreset::kPercent75;
  s.orientation.orientation = Orientation::kRotate90Clockwise;
  s.logoTools.angle = 359;
  for (const SettingDescriptor& setting : SettingTable()) {
    ProgramSettings copy = s;
    const std::string text = SettingValueText(s, setting);
    ASSERT_TRUE(SetSettingFromText(copy, setting, text).ok()) << setting.name << "=" << text;
    EXPECT_EQ(copy, s) << setting.name << "=" << text;
  }
}

}  // namespace
}  // namespace quillstone
