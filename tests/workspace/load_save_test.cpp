#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "imagefiles/bmp_writer.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/jpeg_writer.h"
#include "imagefiles/orientation.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "support/decoded_file.h"
#include "workspace/save_flow.h"
#include "workspace/source_browsing.h"
#include "workspace/source_loading.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::TempDir;

// A workspace rendering a 2 x 2 white logo at the top-left place of pictures written to a
// temporary folder, with no frames; every render records the file name and the text drawn.
class LoadSaveTest : public testing::WorkspaceTest {
 protected:
  LoadSaveTest() {
    testing::PlainMarks(watermark(), 0);
    workspace.SetLogoImage(RasterImage(2, 2, colors::kWhite));
    workspace.SetRenderObserver([this] {
      rendered.push_back(workspace.currentFileName());
      renderedText.push_back(workspace.RenderText());
    });
  }

  std::filesystem::path Picture(const std::string& name, int width = 6, int height = 4) {
    const std::filesystem::path path = pictures / name;
    const RasterImage image = testing::MakeGradientRaster(width, height);
    const Status written =
        ImageFileKindFor(path) == ImageFileKind::kJpeg ? WriteJpeg(image, path) : WriteBmp(image, path);
    EXPECT_TRUE(written) << written.message();
    return path;
  }

  // Shows a gradient picture as if it were loaded from the folder, marked.
  void Show(const std::string& name, int width, int height) {
    workspace.SetSourceImage(testing::MakeGradientRaster(width, height), name, pictures.path().string());
    workspace.Render();
  }

  // Saves through the dialog answered with `typed` and the type `filter`.
  bool Save(const std::string& typed, OutputFormat filter) {
    prompter.saveChoices = {SaveFileChoice{pictures / typed, static_cast<int>(filter)}};
    return SaveInteractive(workspace).done();
  }

  std::vector<std::string> rendered;
  std::vector<std::vector<std::string>> renderedText;
};

// The list shows the folder under the loaded-image mask (letter case ignored) with the file
// selected, and the render already sees the new file's name and per-image text.
TEST_F(LoadSaveTest, DialogLoadListsTheFolderSelectsTheUpperCaseFileAndRendersItsOwnText) {
  Picture("a.jpg");
  const auto upper = Picture("B.JPG", 5, 3);
  Picture("c.bmp");
  ASSERT_TRUE(WriteFileReplacing((pictures / "notes.txt").string(), "x"));
  ASSERT_TRUE(WriteFileReplacing((pictures / "B.JPG.txt").string(), "Own line\r\n"));
  workspace.SetUseIndividualText(true);
  prompter.files = {upper};

  const FlowResult read = LoadImageCommand(workspace);

  ASSERT_TRUE(read) << (read.cancelled() ? "cancelled" : read.message());
  const SourceFileList& list = workspace.sourceFiles();
  EXPECT_EQ(list.masks(), kLoadedImageMask);
  EXPECT_EQ(list.names(), (std::vector<std::string>{"a.jpg", "B.JPG", "c.bmp"}));
  EXPECT_EQ(list.SelectedName(), "B.JPG");
  EXPECT_EQ(workspace.originalImage().Width(), 5);
  EXPECT_EQ(rendered, std::vector<std::string>{"B.JPG"});
  EXPECT_EQ(renderedText.back(), std::vector<std::string>{"Own line"});
}

// A file the program cannot read, from the dialog or dropped, changes nothing: the picture
// (turned once), the current file, its per-image text and the list's selection stay, nothing
// renders, and the reason is shown in a message as well as given back.
TEST_F(LoadSaveTest, UnreadableFileChangesNothingAndIsNamedInAMessage) {
  ASSERT_TRUE(WriteFileReplacing((pictures / "broken.jpg").string(), "not a jpeg"));
  ASSERT_TRUE(WriteFileReplacing((pictures / "broken.bmp").string(), "BM not a bitmap"));
  ASSERT_TRUE(WriteFileReplacing((pictures / "good.bmp.txt").string(), "Own line\r\n"));
  workspace.settings().orientation.orientation = Orientation::kRotate90Clockwise;
  ASSERT_TRUE(LoadSourceImage(workspace, Picture("good.bmp")));
  const RasterImage turned = workspace.originalImage();
  ASSERT_EQ(turned.Width(), 4);
  rendered.clear();

  prompter.files = {pictures / "broken.jpg"};
  const FlowResult dialog = LoadImageCommand(workspace);
  const FlowResult dropped = DropFiles(workspace, {pictures / "broken.bmp", pictures / "gone.jpg"});
  for (const FlowResult& result : {dialog, dropped}) {
    ASSERT_TRUE(result.failed());
    EXPECT_THAT(result.message(), HasSubstr("broken."));
  }
  EXPECT_THAT(prompter.messages, ElementsAre(HasSubstr("broken.jpg"), HasSubstr("broken.bmp")));
  EXPECT_EQ(workspace.originalImage(), turned);
  EXPECT_EQ(workspace.currentFileName(), "good.bmp");
  EXPECT_EQ(workspace.individualText().lines, std::vector<std::string>{"Own line"});
  EXPECT_EQ(workspace.sourceFiles().SelectedName(), "good.bmp");
  EXPECT_TRUE(rendered.empty());
}

// Every file of the shared corpus that no decoder should accept is refused without ending
// the program, and leaves a workspace that still renders.
TEST_F(LoadSaveTest, BrokenCorpusFilesAreRefusedWithoutEndingTheProgram) {
  QUILLSTONE_REQUIRE_TESTDATA(data);
  std::istringstream manifest(testing::FileContents(data / "manifest.tsv"));
  std::string line;
  int refused = 0;
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    std::string path, expect;
    std::getline(fields, path, '\t');
    std::getline(fields, expect, '\t');
    if (expect != "reject") continue;
    EXPECT_FALSE(LoadSourceImage(workspace, data / path)) << path;
    ++refused;
  }
  EXPECT_GT(refused, 20);
  EXPECT_TRUE(rendered.empty());
  EXPECT_TRUE(workspace.Render());
}

struct SaveCase {
  const char* typed;
  OutputFormat filter;
  const char* written;  // the only file the save leaves
  const char* magic;    // its first bytes
  int pngWindows;
  int jpegPreviews;
};

class SaveFormatTest : public LoadSaveTest, public ::testing::WithParamInterface<SaveCase> {};

// The typed extension wins over the type chosen; ".jpeg" keeps the type and the name gets
// the type's extension (".tiff" alike, OutputName.TypedExtensionChoosesTheFormat). Only
// JPEG shows the preview, only PNG the options.
TEST_P(SaveFormatTest, WritesTheFormatTheNameOrTheTypeAsks) {
  const SaveCase& c = GetParam();
  Show("g.bmp", 6, 4);
  prompter.pngOptions = {PngOptions{}};

  ASSERT_TRUE(Save(c.typed, c.filter)) << (prompter.messages.empty() ? "" : prompter.messages.back());

  EXPECT_EQ(testing::FolderEntries(pictures.path()), std::vector<std::string>{c.written});
  EXPECT_EQ(testing::FileContents(pictures / c.written).substr(0, std::string(c.magic).size()), c.magic);
  EXPECT_EQ(prompter.pngWindows, c.pngWindows);
  EXPECT_EQ(static_cast<int>(prompter.jpegOpenedOn.size()), c.jpegPreviews);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, SaveFormatTest,
    ::testing::Values(SaveCase{"typed.png", OutputFormat::kJpeg, "typed.png", "\x89PNG", 1, 0},
                      SaveCase{"typed.jpeg", OutputFormat::kJpeg, "typed.jpg", "\xFF\xD8", 0, 1},
                      SaveCase{"typed.BMP", OutputFormat::kPng, "typed.bmp", "BM", 0, 0},
                      SaveCase{"typed", OutputFormat::kWmf, "typed.wmf", "\x01", 0, 0}));

// PNG "Cancel" writes nothing and says nothing; a name that would replace another file than
// the one the dialog confirmed is asked about; a failed write is shown with its reason.
TEST_F(LoadSaveTest, SaveWritesNothingUnlessConfirmedAndNamesAFailure) {
  Show("g.bmp", 6, 4);

  EXPECT_FALSE(Save("cancelled.png", OutputFormat::kPng));
  EXPECT_EQ(prompter.pngWindows, 1);

  ASSERT_TRUE(WriteFileReplacing((pictures / "kept.tif").string(), "old"));
  prompter.answers = {false};
  EXPECT_FALSE(Save("kept.tiff", OutputFormat::kTiff));
  EXPECT_EQ(testing::FileContents(pictures / "kept.tif"), "old");
  EXPECT_EQ(prompter.questions.size(), 1u);
  EXPECT_EQ(testing::FolderEntries(pictures.path()), std::vector<std::string>{"kept.tif"});

  EXPECT_FALSE(Save("missing/out.bmp", OutputFormat::kBmp));
  EXPECT_THAT(prompter.messages, ElementsAre(HasSubstr("out.bmp")));
}

// The save dialog proposes the source's name as a JPEG. The preview opens on the quality it
// would replace: a save's on the shared one, the batch page's on the page's own. "OK"
// writes its choice and makes it both; "Cancel" writes nothing and changes neither.
TEST_F(LoadSaveTest, JpegPreviewOpensOnTheQualityItReplacesAndCancelChangesNothing) {
  Show("beach.2024.JPEG", 16, 16);
  prompter.jpegOptions = {JpegOptions{35, false, true}, std::nullopt};
  ASSERT_TRUE(Save("q.jpg", OutputFormat::kJpeg));
  prompter.saveChoices = {SaveFileChoice{pictures / "cancelled.jpg", kInitialSaveFilter}};
  EXPECT_TRUE(SaveInteractive(workspace).cancelled());
  EXPECT_EQ(testing::FolderEntries(pictures.path()), std::vector<std::string>{"q.jpg"});
  EXPECT_EQ(prompter.proposedNames.front(), "beach.2024.jpg");
  EXPECT_EQ(testing::FirstQuantiser(pictures / "q.jpg"), 23);

  workspace.saveOptions().jpeg.quality = 65;
  prompter.jpegOptions = {std::nullopt};
  EXPECT_TRUE(BatchJpegPreviewCommand(workspace).cancelled());

  EXPECT_EQ(prompter.jpegOpenedOn,
            (std::vector<JpegOptions>{{80, false, false}, {35, false, true}, {65, false, true}}));
  EXPECT_EQ(workspace.sharedJpegQuality(), 35);
  EXPECT_EQ(workspace.saveOptions().jpeg, (JpegOptions{65, false, true}));
}

// A turned source: the file is written turned back, while the source and the marked image
// stay turned, so the next render marks the source once, as before.
TEST_F(LoadSaveTest, TurningBackWritesATurnedCopyAndLeavesSourceAndRenderAlone) {
  workspace.settings().orientation.orientation = Orientation::kRotate90Clockwise;
  ASSERT_TRUE(LoadSourceImage(workspace, Picture("p.bmp", 6, 4)));
  const RasterImage source = workspace.originalImage();
  const RasterImage marked = workspace.watermarkedImage();
  ASSERT_EQ(marked.Width(), 4);

  prompter.answers = {true};
  ASSERT_TRUE(Save("back.bmp", OutputFormat::kJpeg));
  EXPECT_EQ(prompter.questions, std::vector<std::string>{"Question: " + std::string(kRotateBackQuestion)});

  RasterImage expected = marked;
  RasterImage scratch;
  UndoTurn(expected, LoadTurn(Orientation::kRotate90Clockwise, 1), scratch);
  const RasterImage written = testing::Decoded(pictures / "back.bmp");
  EXPECT_EQ(written.Width(), 6);
  EXPECT_EQ(written, expected);
  EXPECT_EQ(workspace.originalImage(), source);
  workspace.Render();
  EXPECT_EQ(workspace.watermarkedImage(), marked);
}

// Reloading applies a changed turn or size to a fresh copy of the file shown, never on top
// of the last, and never to the file the source list has selected elsewhere; a picture from
// the clipboard reloads from its holding file.
TEST_F(LoadSaveTest, ReloadTurnsAndResizesAFreshCopyOfTheFileShown) {
  ASSERT_TRUE(LoadSourceImage(workspace, Picture("r.bmp", 40, 20)));
  TempDir other;
  ASSERT_TRUE(WriteBmp(testing::MakeGradientRaster(30, 30), other / "o.bmp"));
  ASSERT_TRUE(ChangeSourceDirectory(workspace, other.path().string()));
  ASSERT_TRUE(workspace.sourceFiles().StepNext());
  auto size = [this] {
    return std::pair{workspace.originalImage().Width(), workspace.originalImage().Height()};
  };
  ProgramSettings& settings = workspace.settings();
  settings.orientation.orientation = Orientation::kRotate90Clockwise;
  ASSERT_TRUE(ReloadSourceImage(workspace));
  ASSERT_TRUE(ReloadSourceImage(workspace));
  EXPECT_EQ(size(), std::pair(20, 40));
  settings.resize.preset = SizePreset::kPercent50;  // 10 x 20, sharpened to 8 x 18
  ASSERT_TRUE(ReloadSourceImage(workspace));
  EXPECT_EQ(size(), std::pair(8, 18));
  settings.orientation.orientation = Orientation::kUnrotated;
  settings.resize.preset = SizePreset::kOriginalSize;
  ASSERT_TRUE(ReloadSourceImage(workspace));
  EXPECT_EQ(workspace.originalImage(), testing::MakeGradientRaster(40, 20));
  EXPECT_EQ(rendered, std::vector<std::string>(5, "r.bmp"));

  ASSERT_TRUE(OpenImageAsTemporaryFile(workspace, testing::MakeGradientRaster(40, 20)));
  settings.resize.preset = SizePreset::kPercent50;
  ASSERT_TRUE(ReloadSourceImage(workspace));
  EXPECT_EQ(size(), std::pair(18, 8));
  EXPECT_EQ(workspace.currentFileName(), kTemporaryImageName);
}

// A picture the frames would make too large: the render is refused with the reason, the
// last marked picture stays, and saving writes nothing while the refusal stands.
TEST_F(LoadSaveTest, PictureTooLargeForItsFramesKeepsTheLastMarkedPictureAndSavesNothing) {
  ASSERT_TRUE(LoadSourceImage(workspace, Picture("small.bmp")));
  const RasterImage marked = workspace.watermarkedImage();
  workspace.settings().watermark.frame.outerOn = true;
  const std::filesystem::path wide = pictures / "wide.bmp";
  ASSERT_TRUE(WriteBmp(RasterImage(65535, 1, colors::kWhite), wide).ok());

  const std::string refusal = "image too large: 65535 \u00D7 1 plus the frames exceeds 65535 pixels per side";
  ASSERT_TRUE(LoadSourceImage(workspace, wide));
  EXPECT_EQ(workspace.lastRender().status, refusal);
  EXPECT_EQ(workspace.watermarkedImage(), marked);
  EXPECT_FALSE(Save("wide_marked.bmp", OutputFormat::kBmp));
  EXPECT_EQ(prompter.messages.back(), std::string(kSaveImageTitle) + ": " + refusal);
  EXPECT_EQ(testing::FolderEntries(pictures.path()), (std::vector<std::string>{"small.bmp", "wide.bmp"}));
}

// A photo cut short is shown as far as it decodes, and the status line says it is damaged.
TEST_F(LoadSaveTest, DamagedJpegIsShownWithAWarning) {
  const std::string whole = testing::FileContents(Picture("whole.jpg", 256, 192));
  std::ofstream(pictures / "cut.jpg", std::ios::binary) << whole.substr(0, whole.size() * 2 / 3);
  ASSERT_TRUE(LoadSourceImage(workspace, pictures / "cut.jpg"));
  EXPECT_EQ(workspace.originalImage().Width(), 256);
  EXPECT_EQ(workspace.lastRender().status, "warning: cut.jpg: Premature end of JPEG file");
  workspace.Render();
  EXPECT_FALSE(workspace.lastRender().status) << "said once";
}

// Saving over the photo being marked, by its name or through a link, is asked first.
TEST_F(LoadSaveTest, SavingOverTheSourceAsksFirst) {
  const std::filesystem::path source = Picture("photo.bmp");
  std::filesystem::create_symlink("photo.bmp", pictures / "link.bmp");
  ASSERT_TRUE(LoadSourceImage(workspace, source));
  const std::string original = testing::FileContents(source);
  for (const char* typed : {"photo.bmp", "link.bmp"}) {
    prompter.answers = {false};
    EXPECT_FALSE(Save(typed, OutputFormat::kBmp)) << typed;
    EXPECT_NE(prompter.questions.back().find("is the picture being marked"), std::string::npos);
    EXPECT_EQ(testing::FileContents(source), original) << typed;
  }
  prompter.answers = {true};
  EXPECT_TRUE(Save("photo.bmp", OutputFormat::kBmp));
  EXPECT_NE(testing::FileContents(source), original);
}

// With the batch page's "Keep untouched JPEG blocks" the window's save of a JPEG photo keeps
// the photo's own quantisers and, away from the logo, its pixels (the save decodes the source
// on its own road); a file changed on disk since it was loaded is not mixed into the marked
// picture; a source that is no JPEG is saved the ordinary way with the reason.
TEST_F(LoadSaveTest, SaveKeepsTheJpegBlocksTheMarksLeaveAlone) {
  workspace.saveOptions().jpeg.keepUntouchedBlocks = true;
  const std::filesystem::path photo = Picture("photo.jpg", 64, 48);
  ASSERT_TRUE(LoadSourceImage(workspace, photo));
  const RasterImage source = testing::Decoded(photo);
  prompter.jpegOptions = {JpegOptions{35, false, false}, JpegOptions{35, false, false},
                          JpegOptions{35, false, false}};
  ASSERT_TRUE(Save("kept.jpg", OutputFormat::kJpeg));
  EXPECT_TRUE(prompter.messages.empty()) << prompter.messages.front();
  EXPECT_EQ(testing::FirstQuantiser(pictures / "kept.jpg"), testing::FirstQuantiser(photo));
  const RasterImage written = testing::Decoded(pictures / "kept.jpg");
  for (int y = 0; y < source.Height(); ++y)
    for (int x = y > 16 ? 0 : 17; x < source.Width(); ++x)  // the logo's corner aside
      ASSERT_EQ(written.Pixel(x, y), source.Pixel(x, y)) << x << "," << y;

  ASSERT_TRUE(WriteJpeg(RasterImage(64, 48, colors::kBlack), photo));
  ASSERT_TRUE(Save("changed.jpg", OutputFormat::kJpeg));
  EXPECT_NEAR(testing::Decoded(pictures / "changed.jpg").Pixel(60, 40).r, source.Pixel(60, 40).r, 8);

  ASSERT_TRUE(LoadSourceImage(workspace, Picture("photo.bmp", 64, 48)));
  ASSERT_TRUE(Save("plain.jpg", OutputFormat::kJpeg));
  EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(kSaveImageTitle) +
                                                        ": Kept no JPEG blocks: the source is not a JPEG"});
  EXPECT_EQ(testing::FirstQuantiser(pictures / "plain.jpg"), 23);
}

}  // namespace
}  // namespace quillstone
