#include "config/configuration_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/setting_table.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::WriteFile;

// Every stored value differs from both the window's initial value and the reader default.
ProgramSettings Unusual() {
  ProgramSettings s;
  WatermarkSettings& w = s.watermark;
  w.channels = {false, true, false};
  w.combination = CombinationOrder::kCLT;
  s.configurationWritten = true;
  s.logoFileName = "/home/me/Logos/mark & sign.bmp";
  w.logo.transparentColor = 0x0080FF;
  w.logo.useTransparentColor = false;
  w.logo.alpha = 33;
  w.logo.places = {false, true, false, true, true, false, true, false, false};
  w.color.color = 0x123456;
  w.color.randomColor = false;
  w.color.blending = 99;
  w.color.step = 20;
  w.color.style = ColorStyleIndex(ColorStyle::kGrayscale);
  w.color.strengthItem = -1;
  w.text.useImageWidth = true;
  w.text.horizontal = HorizontalAlign::kRight;
  w.text.vertical = VerticalAlign::kCenter;
  w.text.fontColor = 0x000001;
  w.text.font = {"DejaVu Sans Mono", 72};
  w.text.backgroundColor = 0xFFFFFE;
  w.text.backgroundStyle = TextBoxStyle::kTopToBottom;
  w.text.backgroundBlending = 1;
  w.text.textBlending = 0;
  w.text.extraCenter = true;
  s.banner = {"2048", "1", 0x00C0FFEE & 0xFFFFFF};
  w.frame = {false, false, 0x010203, 0x040506};
  w.color.paperColors = {0, 0xFFFFFF, 0x0080FF};
  w.color.paperStrengths = {1, 25, 13};
  return s;
}

// The settings as a file without any key leaves them.
ProgramSettings ReadFromEmptyFile(ProgramSettings settings) {
  ApplyConfiguration(ProfileFile{}, settings);
  return settings;
}

// Settings without a key, set away from their initial values: reading must keep them.
void SetUnstored(ProgramSettings& s) {
  s.watermark.action = WatermarkAction::kUseText;
  s.watermark.frame.outerWidth = 7;
  s.watermark.text.threeD.enabled = true;
  s.watermark.texture.left.margin = 40;
  s.watermark.color.mosaicRows = 9;
  s.resize.preset = SizePreset::kPercent50;
  s.orientation.rotateBack = true;
  s.logoTools.angle = 45;
}

// Each test has a fresh folder for its files.
class Configuration : public ::testing::Test {
 protected:
  testing::TempDir dir;
};

TEST_F(Configuration, WritesEveryKeyInOrder) {
  ASSERT_TRUE(WriteConfiguration(dir / "c.ini", ProgramSettings{}).ok());
  EXPECT_EQ(
      testing::FileContents(dir / "c.ini"),
      "[GENERAL]\nredon=1\nblueon=1\ngreenon=1\ncombination=0\nchanges=1\n\n"
      "[LOGOSECTION]\nLOGOFILENAME=\nlogotransparentcolor=0\nlogotransparent=1\nlogoprozent=50\n"
      "logopos1=1\nlogopos2=0\nlogopos3=0\nlogopos4=0\nlogopos5=0\nlogopos6=0\nlogopos7=0\nlogopos8=0\n"
      "logopos9=0\n\n"
      "[COLORSECTION]\nmaincolor=16711680\nrandomchecked=0\nblendinginpercent=50\nstepinpixel=5\n"
      "colorstyleselection=7\ncolorstylewidth=4\ncolorimagewidth=0\n\n"
      "[TEXTSECTION]\nhoriz1=1\nhoriz2=0\nhoriz3=0\nvert1=1\nvert2=0\nvert3=0\nfontcolor=13041663\n"
      "fontname=MS Sans Serif\nfontsize=8\ntextbackgroundcolor=8388608\ntextcolorstyle=1\n"
      "textblending=50\ntextblendingalpha=50\ntextextracenter=0\n\n"
      "[BANNERSECTION]\nBACKGROUNDBANNER=13041663\nBANNERWIDTH=470\nBANNERHEIGTH=60\n\n"
      "[FRAMESECTION]\nFRAMEOUTER=255\nFRAMEINNER=16777215\nFRAMEOUTERSTATUS=1\nFRAMEINNERSTATUS=1\n\n"
      "[PAPERCOLOR]\nPAPER01=15790320\nPAPER02=15790320\nPAPER03=15790320\nSTRENGTH01=5\nSTRENGTH02=5\n"
      "STRENGTH03=5\n\n"
      "[RELATIVESECTION]\nlogorelative=0\nlogorelativepercent=10\ntextrelative=0\ntextrelativepercent=5\n"
      "logotile=0\nlogotilespacing=50\nlogotileangle=0\n");
}

TEST_F(Configuration, SaveAndLoadRestoreEverySetting) {
  const ProgramSettings saved = Unusual();
  ASSERT_TRUE(WriteConfiguration(dir / "c.ini", saved).ok());
  const std::string text = testing::FileContents(dir / "c.ini");
  EXPECT_NE(text.find("\nlogotransparentcolor=33023\n"), std::string::npos);
  EXPECT_NE(text.find("\nLOGOFILENAME=/home/me/Logos/mark & sign.bmp\n"), std::string::npos);

  ProgramSettings loaded;
  ASSERT_TRUE(ReadConfiguration(dir / "c.ini", loaded).ok());
  EXPECT_EQ(loaded, saved);

  // Reading into settings whose unstored parts differ keeps those parts.
  ProgramSettings other;
  SetUnstored(other);
  ASSERT_TRUE(ReadConfiguration(dir / "c.ini", other).ok());
  ProgramSettings expected = saved;
  SetUnstored(expected);
  EXPECT_EQ(other, expected);
}

// Every stored setting a file lacks reads as the table's default for it; the text box
// style's 7 lies beyond its list and selects the last entry.
TEST_F(Configuration, AMissingKeyReadsTheTablesDefault) {
  const ProgramSettings read = ReadFromEmptyFile(Unusual());
  for (const SettingDescriptor& setting : SettingTable()) {
    if (!setting.stored()) continue;
    const std::string expected = setting.type == SettingType::kText ? std::string(setting.readerDefaultText)
                                 : setting.name == "textcolorstyle" ? "5"
                                                                    : std::to_string(setting.readerDefault);
    EXPECT_EQ(SettingValueText(read, setting), expected) << setting.name;
  }
}

TEST_F(Configuration, AFileWithOnlyRedOffReadsEveryOtherKeyAsMissing) {
  WriteFile(dir / "c.ini", "[GENERAL]\nredon=0\n");
  ProgramSettings settings = Unusual();
  SetUnstored(settings);
  ASSERT_TRUE(ReadConfiguration(dir / "c.ini", settings).ok());
  ProgramSettings expected = Unusual();
  SetUnstored(expected);
  expected = ReadFromEmptyFile(expected);
  expected.watermark.channels.red = false;
  EXPECT_EQ(settings, expected);
}

TEST_F(Configuration, AnUnreadableFileChangesNothing) {
  ProgramSettings settings = Unusual();
  EXPECT_FALSE(ReadConfiguration(dir.path(), settings).ok());
  EXPECT_EQ(settings, Unusual());
  EXPECT_FALSE(WriteConfiguration(dir.path(), settings).ok());
}

TEST_F(Configuration, ValuesOutsideTheirRangeAreClampedOrDefaulted) {
  const ProfileFile profile = ProfileFile::Parse(
      "[GENERAL]\nredon=2\ngreenon=abc\ncombination=99\n"
      "[LOGOSECTION]\nlogoprozent=250\nlogotransparentcolor=-1\n"
      "[COLORSECTION]\nstepinpixel=0\ncolorstylewidth=-9\nmaincolor=16777216\n"
      "[TEXTSECTION]\nfontsize=-3\nfontcolor=12abc\n"
      "[PAPERCOLOR]\nPAPER01=-2147483633\nSTRENGTH02=26\n");
  ProgramSettings s = Unusual();
  ApplyConfiguration(profile, s);
  // What is no number or colour reads as a missing key; numbers are clamped to their range;
  // any non-zero switch is on; the desktop colour code of older files is a colour.
  ProgramSettings expected = ReadFromEmptyFile(Unusual());
  WatermarkSettings& w = expected.watermark;
  w.combination = CombinationOrder::kTCL;
  w.logo.alpha = 100;
  w.color.step = 1;
  w.color.strengthItem = -1;
  w.text.font.points = 1;
  w.color.paperColors[0] = colors::kButtonFace;
  w.color.paperStrengths[1] = 25;
  EXPECT_EQ(s, expected);
}

TEST_F(Configuration, RadioKeysSelectTheLastButtonSet) {
  ProgramSettings s;
  s.watermark.text.vertical = VerticalAlign::kBottom;
  ApplyConfiguration(
      ProfileFile::Parse("[TEXTSECTION]\nhoriz1=1\nhoriz2=1\nhoriz3=0\nvert1=0\nvert2=0\nvert3=0\n"), s);
  EXPECT_EQ(s.watermark.text.horizontal, HorizontalAlign::kCenter);
  EXPECT_EQ(s.watermark.text.vertical, VerticalAlign::kBottom);  // none set: unchanged
}

// The logo's file name is written only when the logo takes part: alone, or in a
// combination other than TC and CT.
TEST_F(Configuration, LogoFileNameIsWrittenOnlyWhenTheLogoTakesPart) {
  using enum CombinationOrder;
  for (int combination = 0; combination < kCombinationCount; ++combination) {
    const auto order = static_cast<CombinationOrder>(combination);
    for (const WatermarkAction action :
         {WatermarkAction::kPlaceLogo, WatermarkAction::kUseText, WatermarkAction::kUseColor}) {
      ProgramSettings s;
      s.watermark.combination = order;
      s.watermark.action = action;
      s.logoFileName = "/pics/logo.bmp";
      ProfileFile profile;
      ASSERT_TRUE(StoreConfiguration(s, profile).ok());
      const bool written =
          order == kActive ? action == WatermarkAction::kPlaceLogo : order != kTC && order != kCT;
      EXPECT_EQ(profile.Find("LOGOSECTION", "LOGOFILENAME"), written ? "/pics/logo.bmp" : "")
          << "combination " << combination << ", action " << static_cast<int>(action);
    }
  }
}

TEST_F(Configuration, ABannerFieldThatIsNoNumberLeavesBothBannerKeysOut) {
  ProgramSettings s;
  s.banner.width = "abc";
  ASSERT_TRUE(WriteConfiguration(dir / "new.ini", s).ok());
  const std::string text = testing::FileContents(dir / "new.ini");
  EXPECT_NE(text.find("[BANNERSECTION]\nBACKGROUNDBANNER=13041663\n\n[FRAMESECTION]"), std::string::npos);
  EXPECT_NE(text.find("STRENGTH03=5\n"), std::string::npos);  // the rest is still written

  // Over an older file, the old sizes stay as they were.
  WriteFile(dir / "old.ini", "[BANNERSECTION]\nBANNERWIDTH=300\nBANNERHEIGTH=40\n");
  s.banner = {"640", "", 0};
  ASSERT_TRUE(WriteConfiguration(dir / "old.ini", s).ok());
  ProgramSettings read;
  ASSERT_TRUE(ReadConfiguration(dir / "old.ini", read).ok());
  EXPECT_EQ(read.banner.width, "300");
  EXPECT_EQ(read.banner.height, "40");

  // Valid fields are written as numbers: leading zeros go.
  s.banner = {"0470", " 60", 0};
  ProfileFile profile;
  ASSERT_TRUE(StoreConfiguration(s, profile).ok());
  EXPECT_EQ(profile.Find("BANNERSECTION", "BANNERWIDTH"), "470");
  EXPECT_EQ(profile.Find("BANNERSECTION", "BANNERHEIGTH"), "60");
}

// A save goes over the file that is there: its unknown lines and sections stay and its keys
// are updated in place, as the profile file's own tests show line by line.
TEST_F(Configuration, RewriteKeepsUnknownLinesAndSections) {
  WriteFile(dir / "c.ini", "; my settings\r\n[GENERAL]\r\nredon=1\r\nmystery=42\r\n");
  ProgramSettings s;
  s.watermark.channels.red = false;
  ASSERT_TRUE(WriteConfiguration(dir / "c.ini", s).ok());
  const std::string after = testing::FileContents(dir / "c.ini");
  EXPECT_TRUE(after.starts_with("; my settings\r\n[GENERAL]\r\nredon=0\r\nmystery=42\r\nblueon=1\r\n"))
      << after;
}

TEST_F(Configuration, ALogoNameWithALineBreakIsRefusedAndTheOldFileKept) {
  WriteFile(dir / "c.ini", "[GENERAL]\nredon=0\n");
  ProgramSettings s;
  s.logoFileName = "evil\n[GENERAL]\nredon=1";
  const Status status = WriteConfiguration(dir / "c.ini", s);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(testing::FileContents(dir / "c.ini"), "[GENERAL]\nredon=0\n");
}

TEST_F(Configuration, CompanionTextPath) {
  for (const auto& [path, text] : {std::pair{"/a/work.ini", "/a/work.txt"},
                                   {"/a/QSTDefault.cfg", "/a/QSTDefault.txt"},
                                   {"/a/work", "/a/work.txt"},
                                   {"/a.b/work", "/a.b/work.txt"},
                                   {"/a/work.TXT", "/a/work.TXT.txt"}})
    EXPECT_EQ(CompanionTextPath(path), text);
}

// Without its companion text, or with one that cannot be read (which is reported), a load
// applies the settings and keeps the text.
TEST_F(Configuration, LoadWithoutCompanionTextKeepsTheText) {
  const ProgramSettings saved = Unusual();
  const std::vector<std::string> savedText{"(c) me", "", "$date$"};
  ASSERT_TRUE(SaveConfigurationFiles(dir / "work.ini", saved, savedText).ok());
  EXPECT_EQ(testing::FileContents(dir / "work.txt"), "(c) me\r\n\r\n$date$\r\n");
  const auto load = [&](bool read, const std::vector<std::string>& expectedText) {
    ProgramSettings settings;
    std::vector<std::string> text{"current"};
    EXPECT_EQ(LoadConfigurationFiles(dir / "work.ini", settings, text).ok(), read);
    EXPECT_EQ(settings, saved);
    EXPECT_EQ(text, expectedText);
  };
  load(true, savedText);
  std::filesystem::remove(dir / "work.txt");
  load(true, {"current"});
  std::filesystem::create_directory(dir / "work.txt");
  load(false, {"current"});
}

TEST_F(Configuration, SaveReportsATextThatCannotBeWritten) {
  std::filesystem::create_directory(dir / "work.txt");
  const Status status = SaveConfigurationFiles(dir / "work.ini", ProgramSettings{}, {"x"});
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("work.txt"), std::string::npos) << status.message();
  EXPECT_TRUE(std::filesystem::is_regular_file(dir / "work.ini"));
}

// Missing default files read as a file without any key, and the text stays.
TEST_F(Configuration, ReloadDefaultsReadsTheDefaultFiles) {
  ProgramSettings settings = Unusual();
  std::vector<std::string> text{"current"};
  ASSERT_TRUE(ReloadDefaults(dir.path(), settings, text).ok());
  EXPECT_EQ(settings, ReadFromEmptyFile(Unusual()));
  EXPECT_EQ(text, std::vector<std::string>{"current"});

  ASSERT_TRUE(SaveConfigurationFiles(dir / kDefaultConfigurationName, Unusual(), {"default text"}).ok());
  settings = {};
  ASSERT_TRUE(ReloadDefaults(dir.path(), settings, text).ok());
  EXPECT_EQ(settings, Unusual());
  EXPECT_EQ(text, std::vector<std::string>{"default text"});
}

}  // namespace
}  // namespace quillstone
