#include "cli/cli_watermark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>

#include "config/setting_table.h"
#include "imagefiles/bmp_writer.h"
#include "logo/logo_rotation.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::TempDir;

// The configuration brings its text and its logo, which is turned counter-clockwise by the
// logo tools' angle onto their fill colour.
TEST(CliWatermarkTest, ConfigurationWithItsCompanionTextAndLogo) {
  TempDir temp;
  const RasterImage logo = testing::MakeGradientRaster(3, 2);
  ASSERT_TRUE(WriteBmp(logo, temp / "logo.bmp").ok());
  testing::WriteFile(
      temp / "work.ini",
      "[GENERAL]\r\ncombination=7\r\n[LOGOSECTION]\r\nLOGOFILENAME=logo.bmp\r\nlogoprozent=25\r\n");
  testing::WriteFile(temp / "work.txt", "first\r\nsecond\r\n");
  testing::WriteFile(temp / "other.txt", "other");

  CliOptions options;
  options.configFile = (temp / "work.ini").string();
  // Settings given by name come after the configuration.
  options.sets = {{"logoprozent", "40"}, {"logoangle", "45"}, {"logorotationfill", "#808080"}};
  CliWatermark watermark;
  ASSERT_TRUE(PrepareWatermark(options, watermark).ok());
  EXPECT_EQ(watermark.settings.watermark.combination, CombinationOrder::kLTC);
  EXPECT_EQ(watermark.settings.watermark.logo.alpha, 40);
  EXPECT_EQ(watermark.text, (std::vector<std::string>{"first", "second"}));
  // The logo is found beside the configuration.
  RasterImage turned;
  ASSERT_TRUE(RotateLogoByAngle(logo, 45, MakeColor(128, 128, 128), turned));
  EXPECT_EQ(watermark.logo, turned);

  options.textFile = (temp / "other.txt").string();
  CliWatermark withText;
  ASSERT_TRUE(PrepareWatermark(options, withText).ok());
  EXPECT_EQ(withText.text, (std::vector<std::string>{"other"}));
}

TEST(CliWatermarkTest, SettingsListingNamesEverySetting) {
  const std::string listing = SettingsListing();
  // The column names, then one line a setting.
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), std::ssize(SettingTable()) + 1);

  const std::size_t at = listing.find("\nmaincolor ");
  ASSERT_NE(at, std::string::npos);
  std::istringstream row(listing.substr(at + 1, listing.find('\n', at + 1) - at - 1));
  std::vector<std::string> words;
  for (std::string word; row >> word;) words.push_back(word);
  EXPECT_EQ(words, (std::vector<std::string>{"maincolor", "colour", "0..16777215", "16711680", "(#0000FF)",
                                             "COLORSECTION/maincolor"}));
}

}  // namespace
}  // namespace quillstone
