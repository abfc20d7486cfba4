#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include "config/configuration_file.h"
#include "imagefiles/bmp_writer.h"
#include "support/decoded_file.h"
#include "workspace/banner_flow.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

class BannerCommandLine : public ::testing::Test, protected testing::ScriptedWorkspace {};

// The window's new banner and `quillstone-cli banner` with the same configuration, logo,
// texture and settings give the same pixels: logo and text over the banner colour, a top
// margin filled with the texture, and a three-pixel outer frame. The command line takes
// the size it is not given, and the colour, from the configuration.
TEST_F(BannerCommandLine, WritesThePixelsOfTheWindowsBanner) {
  workspace.SetRenderEnabled(true);
  ProgramSettings& settings = workspace.settings();
  settings.watermark.combination = CombinationOrder::kLT;
  settings.watermark.text.font.face = "DejaVu Sans";
  settings.banner = {"320", "48", MakeColor(40, 90, 160)};
  workspace.watermarkText() = {"Banner 1", "second line"};
  ASSERT_TRUE(SaveConfigurationFiles(home / "banner.ini", settings, workspace.watermarkText()).ok());

  // Not kept in a configuration: given by name to the command line.
  settings.watermark.frame.outerWidth = 3;
  TextureSettings& texture = settings.watermark.texture;
  texture.enabled = true;
  texture.top = {6, colors::kBlack, true, TextureAlign::kCenter};
  ASSERT_TRUE(WriteBmp(testing::MakeGradientRaster(12, 5), home / "texture.bmp").ok());
  ASSERT_TRUE(workspace.LoadTexture(home / "texture.bmp").ok());
  ASSERT_TRUE(WriteBmp(testing::MakeGradientRaster(16, 10), home / "logo.bmp").ok());
  ASSERT_TRUE(workspace.LoadLogo(home / "logo.bmp").ok());
  ASSERT_TRUE(CreateBannerSource(workspace));

  const auto path = [this](const char* name) { return QString::fromStdString((home / name).string()); };
  QProcess process;
  process.start(QString::fromUtf8(QUILLSTONE_CLI_PROGRAM),
                {"banner",    path("cli.bmp"),     "--width", "320",
                 "--config",  path("banner.ini"),  "--logo",  path("logo.bmp"),
                 "--texture", path("texture.bmp"), "--set",   "frameouterwidth=3",
                 "--set",     "texture=1",         "--set",   "texturetopmargin=6",
                 "--set",     "texturetopuse=1",   "--set",   "texturetopalign=3"});
  ASSERT_TRUE(process.waitForFinished(60000));
  ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

  const RasterImage& marked = workspace.watermarkedImage();
  ASSERT_EQ(testing::SizeOf(marked), std::pair(320 + 2 * 4, 48 + 6 + 2 * 4));
  EXPECT_TRUE(testing::Decoded(home / "cli.bmp") == marked) << "the files differ";
}

}  // namespace
}  // namespace quillstone
