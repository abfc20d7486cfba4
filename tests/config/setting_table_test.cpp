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
  const struct {
    const char* asked;
    const char* name;
    const char* section;
  } cases[] = {
      {"LOGOPROZENT", "logoprozent", "LOGOSECTION"},
      {"bannerheigth", "BANNERHEIGTH", "BANNERSECTION"},
      {"TextureLeftMargin", "textureleftmargin", ""},
  };
  for (const auto& c : cases) {
    const SettingDescriptor* setting = FindSetting(c.asked);
    ASSERT_NE(setting, nullptr) << c.asked;
    EXPECT_EQ(setting->name, c.name);
    EXPECT_EQ(setting->section, c.section);
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

TEST(SettingTable, SetFromTextReachesTheField) {
  ProgramSettings s;
  const auto set = [&](const char* name, const char* value) {
    const SettingDescriptor* setting = FindSetting(name);
    ASSERT_NE(setting, nullptr) << name;
    ASSERT_TRUE(SetSettingFromText(s, *setting, value).ok()) << name << "=" << value;
  };
  set("maincolor", "#FF8000");
  EXPECT_EQ(s.watermark.color.color, 33023u);  // 0x0080FF
  set("FRAMEINNER", " 33023 ");
  EXPECT_EQ(s.watermark.frame.innerColor, 0x0080FFu);
  set("redon", "off");
  EXPECT_FALSE(s.watermark.channels.red);
  set("logopos9", "YES");
  EXPECT_TRUE(s.watermark.logo.places[8]);
  set("horiz3", "1");
  EXPECT_EQ(s.watermark.text.horizontal, HorizontalAlign::kRight);
  set("combination", "12");
  EXPECT_EQ(s.watermark.combination, CombinationOrder::kTCL);
  set("fontname", "DejaVu Sans");
  EXPECT_EQ(s.watermark.text.font.face, "DejaVu Sans");
  set("BANNERWIDTH", "+0640");
  EXPECT_EQ(s.banner.width, "640");
  set("texturebottomalign", "3");
  EXPECT_EQ(s.watermark.texture.bottom.align, TextureAlign::kCenter);
  set("text3ddirection8", "0");
  EXPECT_FALSE(s.watermark.text.threeD.directions[7]);
  set("changes", "1");
  EXPECT_TRUE(s.configurationWritten);
  set("SizeGroup", "26");
  EXPECT_EQ(s.resize.preset, SizePreset::kCustomSize);
  set("orientation", "3");
  EXPECT_EQ(s.orientation.orientation, Orientation::kRotate270Clockwise);
  set("logoangle", "90");
  EXPECT_EQ(s.logoTools.angle, 90);
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

TEST(SettingTable, ColorFromStored) {
  EXPECT_EQ(ColorFromStored(0), 0u);
  EXPECT_EQ(ColorFromStored(16777215), 0xFFFFFFu);
  EXPECT_EQ(ColorFromStored(16777216), std::nullopt);
  EXPECT_EQ(ColorFromStored(-1), std::nullopt);
  EXPECT_EQ(ColorFromStored(-2147483633), colors::kButtonFace);
}

}  // namespace
}  // namespace quillstone
