#include <gtest/gtest.h>

#include "config/configuration_file.h"
#include "imagefiles/bmp_writer.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "workspace/source_loading.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

using WorkspaceTest = testing::WorkspaceTest;

// A first start on a fresh machine shows the sample picture marked with the logo, is a
// first run (the window shows the list of changes), and saves "changes=1" at exit, so the
// second start is not.
TEST_F(WorkspaceTest, FirstStartShowsTheMarkedSampleAndOnlyTheFirstOpensTheChanges) {
  workspace.ReloadDefaults();
  ASSERT_TRUE(workspace.FirstActivation());
  EXPECT_FALSE(workspace.FirstActivation());
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(workspace.currentFileName(), kSampleImageName);
  ASSERT_FALSE(workspace.logoImage().Empty());
  const RasterImage& marked = workspace.watermarkedImage();
  ASSERT_FALSE(marked.Empty());
  // The missing default configuration reads as the reader defaults: logo share 70 % at all
  // nine places, and the one-pixel frames around the picture.
  EXPECT_EQ(marked.Width(), workspace.originalImage().Width() + 4);
  // A gold pixel of the sample logo's ring, at the top-left place inside the frames.
  ASSERT_NE(workspace.logoImage().Pixel(23, 4), Rgb{});
  EXPECT_NE(marked.Pixel(2 + 23, 2 + 4), workspace.originalImage().Pixel(23, 4));
  EXPECT_TRUE(workspace.firstRun());

  prompter.answers = {true};
  ASSERT_TRUE(workspace.Quit());
  EXPECT_THAT(testing::FileContents(home / kDefaultConfigurationName), HasSubstr("changes=1"));

  Workspace again(prompter, opener, Paths());
  again.Create();
  again.ReloadDefaults();
  ASSERT_TRUE(again.FirstActivation());
  EXPECT_FALSE(again.firstRun());
  EXPECT_TRUE(opener.opened.empty());
}

// The help window's text comes from the program directory; a file that cannot be shown,
// or that no program of the desktop opens, is named.
TEST_F(WorkspaceTest, ShippedFilesAreReadForTheHelpWindowOrNamed) {
  const ShippedDocument help = workspace.ReadShippedFile(kQuickHelpFileName);
  EXPECT_TRUE(help.error.empty()) << help.error;
  EXPECT_TRUE(help.html);
  EXPECT_THAT(help.text, HasSubstr("<title>Quillstone quick help</title>"));
  const ShippedDocument readme = workspace.ReadShippedFile(kReadmeFileName);
  EXPECT_FALSE(readme.html);
  EXPECT_FALSE(readme.text.empty());

  const ShippedDocument missing = workspace.ReadShippedFile("nohelp.html");
  EXPECT_TRUE(missing.text.empty());
  EXPECT_THAT(missing.error, HasSubstr((Paths().programDirectory / "nohelp.html").string()));

  opener.opens = false;
  const FlowResult opened = workspace.OpenShippedFile(kLicenseFileName);
  EXPECT_TRUE(opened.failed());
  EXPECT_THAT(opened.message(), HasSubstr(kLicenseFileName));
}

// A file named on the window's command line is what the first screen shows, rendered once
// at the first activation; a path that is no file is named and the sample picture shows.
TEST_F(WorkspaceTest, StartFileReplacesTheSamplePictureUnlessItIsNoFile) {
  ASSERT_TRUE(WriteBmp(testing::MakeGradientRaster(6, 4), pictures / "Beach.BMP"));
  const struct {
    std::filesystem::path path;
    std::string shown;   // the current file after the first activation
    std::string reason;  // part of the error; empty when the file loads
  } cases[] = {
      {pictures / "Beach.BMP", "Beach.BMP", ""},
      {pictures / "missing.jpg", kSampleImageName, "missing.jpg: no such file"},
      {pictures.path(), kSampleImageName, ": not a file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.string());
    Workspace workspace(prompter, opener, Paths());
    int renders = 0;
    workspace.SetRenderObserver([&renders] { ++renders; });
    workspace.Create();
    workspace.ReloadDefaults();
    const FlowResult loaded = LoadStartFile(workspace, c.path);
    EXPECT_EQ(renders, 0);
    EXPECT_TRUE(workspace.renderEnabled());
    if (c.reason.empty()) {
      EXPECT_TRUE(loaded) << loaded.message();
    } else {
      EXPECT_THAT(loaded.message(), HasSubstr(c.reason));
    }
    ASSERT_TRUE(workspace.FirstActivation());
    EXPECT_EQ(renders, 1);
    EXPECT_EQ(workspace.currentFileName(), c.shown);
    EXPECT_FALSE(workspace.watermarkedImage().Empty());
  }
}

// The per-image text replaces the watermark text in the render only; the default text
// written at exit is still the user's own.
TEST_F(WorkspaceTest, PerImageTextIsDrawnButNeverReplacesTheWatermarkText) {
  ASSERT_TRUE(WriteFileReplacing((pictures / "beach.jpg.txt").string(), "Beach\r\nSummer\r\n"));
  workspace.watermarkText() = {"(c) Me"};
  workspace.SetSourceImage(RasterImage(8, 8), "beach.jpg", pictures.path().string());
  EXPECT_EQ(workspace.individualText().state, SideFileState::kFound);

  workspace.SetUseIndividualText(true);
  EXPECT_EQ(workspace.RenderText(), (std::vector<std::string>{"Beach", "Summer"}));
  workspace.SetSourceImage(RasterImage(8, 8), "dune.jpg", pictures.path().string());
  EXPECT_TRUE(workspace.RenderText().empty()) << "an image without a side file gets no text";
  workspace.SetUseIndividualText(false);
  EXPECT_EQ(workspace.RenderText(), (std::vector<std::string>{"(c) Me"}));

  prompter.answers = {true};
  ASSERT_TRUE(workspace.Quit());
  EXPECT_EQ(testing::FileContents(home / kDefaultTextName), "(c) Me\r\n");
  EXPECT_FALSE(std::filesystem::exists(pictures / "dune.jpg.txt"));
}

// Quit asks first: No writes nothing; Yes writes the default configuration (keeping the
// user's own lines), the default text and both folder histories. The logout's SaveState and
// SIGTERM's QuitWithoutQuestion write the same without asking; only a logout keeps running.
TEST_F(WorkspaceTest, QuitLogoutAndTerminationWriteTheConfigurationTheTextAndBothHistories) {
  const std::string oldConfiguration = "; mine\r\n[GENERAL]\r\nredon=0\r\n";
  ASSERT_TRUE(WriteFileReplacing((home / kDefaultConfigurationName).string(), oldConfiguration));
  workspace.watermarkText() = {"(c) Me"};
  workspace.sourceHistory().Add("/photos/summer/");
  workspace.destinationHistory().Add("/photos/marked/");

  prompter.answers = {false};
  EXPECT_FALSE(workspace.Quit());
  EXPECT_FALSE(workspace.closing());
  EXPECT_EQ(testing::FileContents(home / kDefaultConfigurationName), oldConfiguration);
  EXPECT_EQ(testing::FolderEntries(home.path()), std::vector<std::string>{kDefaultConfigurationName});

  const std::pair<std::string_view, std::function<FlowResult()>> ways[] = {
      {"logout", [&] { return workspace.SaveState(); }},
      {"SIGTERM", [&] { return workspace.QuitWithoutQuestion(); }},
      {"Yes",
       [&] {
         prompter.answers = {true};
         return workspace.Quit();
       }},
  };
  for (const auto& [way, run] : ways) {
    workspace.watermarkText() = {std::string(way)};
    EXPECT_TRUE(run()) << way;
    EXPECT_EQ(workspace.closing(), way != "logout");
    const std::string written = testing::FileContents(home / kDefaultConfigurationName);
    EXPECT_THAT(written, AllOf(StartsWith("; mine\r\n"), HasSubstr("changes=1"))) << way;
    EXPECT_EQ(testing::FileContents(home / kDefaultTextName), std::string(way) + "\r\n");
    EXPECT_THAT(testing::FileContents(home / kSourceHistoryFileName), HasSubstr("/photos/summer/"));
    EXPECT_THAT(testing::FileContents(home / kDestinationHistoryFileName), HasSubstr("/photos/marked/"));
  }
  EXPECT_EQ(prompter.questions.size(), 2u) << "No and Yes";
  EXPECT_TRUE(prompter.messages.empty());
}

// A configuration naming a logo offers that logo in the logo dialog; confirming it loads
// the logo, and the whole load renders once.
TEST_F(WorkspaceTest, LoadingAConfigurationOffersItsLogoAndRendersOnce) {
  const auto logoPath = testing::SourceDir() / "data" / kSampleLogoName;
  const auto configuration = home / "work.ini";
  ASSERT_TRUE(WriteFileReplacing(configuration.string(),
                                 "[GENERAL]\r\ncombination=7\r\n[LOGOSECTION]\r\nLOGOFILENAME=" +
                                     logoPath.string() + "\r\nlogoprozent=30\r\n"));
  ASSERT_TRUE(WriteFileReplacing((home / "work.txt").string(), "Line 1\r\nLine 2\r\n"));
  workspace.SetSourceImage(RasterImage(400, 300), "photo.jpg", home.path().string());

  prompter.files = {configuration, logoPath};
  ASSERT_TRUE(workspace.LoadConfigurationCommand());
  EXPECT_EQ(prompter.dialogTitles, (std::vector<std::string>{"Load configuration file", "Load your logo"}));
  EXPECT_EQ(renders, 1);
  EXPECT_TRUE(workspace.renderEnabled());
  EXPECT_EQ(workspace.settings().watermark.logo.alpha, 30);
  EXPECT_EQ(workspace.watermarkText(), (std::vector<std::string>{"Line 1", "Line 2"}));
  EXPECT_FALSE(workspace.logoImage().Empty());
  EXPECT_EQ(workspace.lastConfigurationName(), "work.ini");
}

}  // namespace
}  // namespace quillstone
