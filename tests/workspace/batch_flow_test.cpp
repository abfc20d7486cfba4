#include "workspace/batch_flow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "batch/batch_start_check.h"
#include "batch/batch_test_files.h"
#include "batch/mark_file.h"
#include "effects/effect_commands.h"
#include "support/decoded_file.h"
#include "workspace/source_browsing.h"
#include "workspace/workspace_fixture.h"

namespace quillstone {
namespace {

using testing::TempDir;

class BatchFlowTest : public testing::WorkspaceTest {
 protected:
  TempDir destination;
  BatchFlow flow{workspace, prompter};
};

TEST_F(BatchFlowTest, StartChecksStopWithTheirMessageBeforeTheQuestion) {
  testing::WriteTestJpeg(pictures / "a.jpg");
  // The source folder and the destination reach the check, and so do the list's names.
  ASSERT_TRUE(ChangeSourceDirectory(workspace, pictures.path().string()));
  flow.fields().destinationDirectory = pictures.path().string() + "/";
  EXPECT_FALSE(flow.Start({}));
  TempDir empty;
  ASSERT_TRUE(ChangeSourceDirectory(workspace, empty.path().string()));
  flow.fields().destinationDirectory = destination.path().string();
  EXPECT_FALSE(flow.Start({}));
  EXPECT_EQ(prompter.messages, (std::vector<std::string>{"Stop: " + std::string(kSameDirectoryMessage),
                                                         "Stop: " + std::string(kNoImagesMessage)}));
  EXPECT_TRUE(prompter.questions.empty());
  EXPECT_TRUE(workspace.destinationHistory().entries().empty());
  EXPECT_TRUE(std::filesystem::is_empty(destination.path()));
}

// A prefix typed with blanks is used, and kept, without them; a broken bitmap and a
// corrupt JPEG among good pictures are named in one message after the run.
TEST_F(BatchFlowTest, RunTrimsThePrefixAndNamesTheImagesItCouldNotMark) {
  testing::WriteTestJpeg(pictures / "a.jpg", 30, 20);
  testing::WriteFile(pictures / "b.bmp", "BM broken");
  testing::WriteFile(pictures / "c.jpg", "not a jpeg");
  ASSERT_TRUE(ChangeSourceDirectory(workspace, pictures.path().string()));
  ASSERT_TRUE(ChangeFileMask(workspace, "*.jpg;*.bmp"));
  flow.fields().destinationDirectory = destination.path().string();
  flow.fields().prefix = "  web_ ";
  prompter.answers = {true};
  int finished = 0;
  const auto finish = [&](const BatchReport&) {
    ++finished;
    EXPECT_FALSE(flow.running());
    EXPECT_TRUE(prompter.messages.empty()) << "the window is unlocked before the message";
  };
  const std::optional<BatchReport> report = flow.Start({.jobs = 2, .onFinished = finish});

  ASSERT_TRUE(report);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(flow.fields().prefix, "web_");
  EXPECT_EQ(testing::FolderEntries(destination.path()), (std::vector<std::string>{"web_a.jpg", "web_c.jpg"}));
  ASSERT_EQ(prompter.messages.size(), 1u);
  const std::string& message = prompter.messages[0];
  EXPECT_EQ(message.rfind("Batch run: 1 written, 1 placeholders, 1 failed.\n\nNot written:\nb.bmp: ", 0), 0u)
      << message;
  EXPECT_NE(message.find("\n\nUnreadable, written as the placeholder picture:\nc.jpg: "), std::string::npos);
  // The last image is opened again: the placeholder, under its own name.
  EXPECT_EQ(workspace.currentFileName(), "c.jpg");
  EXPECT_EQ(workspace.originalImage(), testing::Decoded(testing::PlaceholderPicture()));
}

// With "Use macro for all images" each picture gets the macro after it is turned and
// resized and before it is marked: each file is what marking the picture so prepared gives
// without a macro. Unchecked, the macro in the list changes nothing: the files are those of
// a run with no macro.
TEST_F(BatchFlowTest, MacroForAllImagesRunsBetweenTurningAndMarkingOnlyWhenChecked) {
  testing::WriteTestJpeg(pictures / "a.jpg", 30, 20);
  testing::WriteTestBmp(pictures / "b.bmp", 20, 12);
  ProgramSettings& settings = workspace.settings();
  settings.orientation.orientation = Orientation::kRotate90Clockwise;
  settings.resize.preset = SizePreset::kPercent150;
  workspace.saveOptions().format = OutputFormat::kBmp;
  const std::vector<std::string> macro = {"emboss", "Negative", "brightnessmore", "smallmosaic"};
  const auto run = [&](const TempDir& from, bool useForAll, const std::vector<std::string>& lines) {
    auto to = std::make_unique<TempDir>();
    EXPECT_TRUE(ChangeSourceDirectory(workspace, from.path().string()));
    EXPECT_TRUE(ChangeFileMask(workspace, "*.jpg;*.bmp"));
    workspace.effectMacro() = {lines, useForAll};
    flow.fields().destinationDirectory = to->path().string();
    prompter.answers = {true};
    const std::optional<BatchReport> report = flow.Start({});
    EXPECT_TRUE(report && report->written == 2) << (report ? BatchSummary(*report) : "refused");
    return to;
  };
  const auto withoutMacro = run(pictures, false, macro);
  const auto plain = run(pictures, true, {});
  const auto withMacro = run(pictures, true, macro);
  // The pictures turned, resized and run through the macro's commands one by one, then
  // marked as they are.
  TempDir prepared;
  for (const char* name : {"a.jpg", "b.bmp"}) {
    RasterImage picture;
    RasterImage scratch;
    ASSERT_TRUE(
        ReadPictureToMark(pictures / name, {}, PlaceholderShape::kAsShipped, settings, picture, scratch)
            .status);
    for (const std::string& line : macro) (void)RunEffectCommand(picture, line);
    ASSERT_TRUE(WriteBmp(picture, prepared / (std::string(1, name[0]) + ".bmp")));
  }
  settings.orientation.orientation = Orientation::kUnrotated;
  settings.resize.preset = SizePreset::kOriginalSize;
  const auto expected = run(prepared, false, {});
  for (const char* output : {"new_a.bmp", "new_b.bmp"}) {
    SCOPED_TRACE(output);
    EXPECT_EQ(testing::FileContents(*withoutMacro / output), testing::FileContents(*plain / output));
    EXPECT_EQ(testing::FileContents(*withMacro / output), testing::FileContents(*expected / output));
    EXPECT_NE(testing::FileContents(*withMacro / output), testing::FileContents(*plain / output));
  }
}

TEST(BatchProblemsTextTest, ListsAtMostTheLimitThenCountsTheRest) {
  BatchReport report;
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
    report.items.push_back({name, MarkOutcome::kFailed, "", "cannot decode", {}, {}});
  }
  report.items.push_back({"d.jpg", MarkOutcome::kWritten, "", "", {}, {}});
  report.failed = 3;
  report.written = 1;
  EXPECT_EQ(
      BatchProblemsText(report, 2),
      "1 written, 3 failed.\n\nNot written:\na.bmp: cannot decode\nb.bmp: cannot decode\n... and 1 more");
  report.items.resize(1);
  report.items[0].outcome = MarkOutcome::kWritten;
  report.failed = 0;
  EXPECT_EQ(BatchProblemsText(report), "");
}

// The files written to a folder so far.
int FileCount(const TempDir& dir) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
}

// Twelve photo-sized pictures in the list (each takes a while), rendered two at a time;
// `onFirstDone` runs once, when the first has been written.
class BatchStopTest : public BatchFlowTest {
 protected:
  BatchStopTest() {
    for (int i = 0; i < kCount; ++i)
      testing::WriteTestJpeg(pictures / ("p" + std::to_string(i) + ".jpg"), 1200, 900);
    EXPECT_TRUE(ChangeSourceDirectory(workspace, pictures.path().string()));
    flow.fields().destinationDirectory = destination.path().string();
  }
  static constexpr int kCount = 12;
  BatchRunHooks hooks{.jobs = 2, .onProgress = [this](const BatchProgress& progress) {
                        if (progress.stage != BatchProgress::Stage::kFinished || !onFirstDone) return;
                        std::function<void()> once = std::move(onFirstDone);
                        onFirstDone = nullptr;
                        once();
                      }};
  std::function<void()> onFirstDone;
};

// While "Stop batch" asks, no picture is begun (those in progress are finished); No lets the
// run go on to the end.
TEST_F(BatchStopTest, TheQuestionHoldsTheRunAndNoGoesOn) {
  int heldAt = -1;
  prompter.whileAsking = [&](std::string_view question) {
    if (question != kStopBatchQuestion) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // those in progress finish
    heldAt = FileCount(destination);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(FileCount(destination), heldAt) << "a picture was begun while the question was open";
  };
  onFirstDone = [this] { EXPECT_FALSE(flow.RequestStop()); };
  prompter.answers = {true, false};
  const std::optional<BatchReport> report = flow.Start(hooks);
  ASSERT_TRUE(report);
  EXPECT_LT(heldAt, kCount);
  EXPECT_EQ(BatchSummary(*report), "12 written");
}

// Yes ends the run after the pictures in progress and says how far it got; a run started
// afterwards writes every picture.
TEST_F(BatchStopTest, YesStopsAndTheNextRunWritesEverything) {
  onFirstDone = [this] { EXPECT_TRUE(flow.RequestStop()); };
  prompter.answers = {true, true};
  const std::optional<BatchReport> stopped = flow.Start(hooks);
  ASSERT_TRUE(stopped);
  // The first picture is reported on this thread; a busy machine may begin every picture
  // before it runs, and then there is nothing left to stop.
  if (stopped->started == kCount) GTEST_SKIP() << "every picture was begun before the stop";
  EXPECT_TRUE(stopped->stopped);
  EXPECT_EQ(FileCount(destination), stopped->started);

  prompter.answers = {true};
  const std::optional<BatchReport> again = flow.Start(hooks);
  ASSERT_TRUE(again);
  EXPECT_EQ(FileCount(destination), kCount);
}

}  // namespace
}  // namespace quillstone
