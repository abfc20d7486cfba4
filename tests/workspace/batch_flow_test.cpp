#include "workspace/batch_flow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "batch/batch_start_check.h"
#include "batch/batch_test_files.h"
#include "imagefiles/image_decoder.h"
#include "workspace/scripted_prompter.h"
#include "workspace/source_browsing.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

using testing::TempDir;

class BatchFlowTest : public ::testing::Test {
 protected:
  BatchFlowTest()
      : workspace(prompter, opener, {testing::SourceDir() / "data", home.path()}), flow(workspace, prompter) {
    workspace.Create();
  }

  TempDir home;
  TempDir source;
  TempDir destination;
  testing::ScriptedPrompter prompter;
  testing::RecordingOpener opener;
  Workspace workspace;
  BatchFlow flow;
};

TEST_F(BatchFlowTest, StartChecksStopWithTheirMessageBeforeTheQuestion) {
  testing::WriteTestJpeg(source / "a.jpg");
  TempDir empty;
  const std::string missing = (destination / "missing").string();
  const struct {
    std::string sourceFolder;
    std::string destination;
    std::string_view message;
  } cases[] = {
      {source.path().string(), "  ", kNoDestinationMessage},
      {source.path().string(), source.path().string() + "/", kSameDirectoryMessage},
      {empty.path().string(), destination.path().string(), kNoImagesMessage},
      {source.path().string(), missing, kMissingDestinationMessage},
  };
  for (const auto& c : cases) {
    prompter.messages.clear();
    ASSERT_TRUE(ChangeSourceDirectory(workspace, c.sourceFolder));
    flow.fields().destinationDirectory = c.destination;
    EXPECT_FALSE(flow.Start({}));
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"Stop: " + std::string(c.message)})
        << c.destination;
  }
  EXPECT_TRUE(prompter.questions.empty());
  EXPECT_TRUE(workspace.destinationHistory().entries().empty());
  EXPECT_TRUE(std::filesystem::is_empty(destination.path()));
}

// A prefix typed with blanks is used, and kept, without them; a broken bitmap and a
// corrupt JPEG among good pictures are named in one message after the run.
TEST_F(BatchFlowTest, RunTrimsThePrefixAndNamesTheImagesItCouldNotMark) {
  testing::WriteTestJpeg(source / "a.jpg", 30, 20);
  testing::WriteBytes(source / "b.bmp", "BM broken");
  testing::WriteBytes(source / "c.jpg", "not a jpeg");
  ASSERT_TRUE(ChangeSourceDirectory(workspace, source.path().string()));
  ASSERT_TRUE(ChangeFileMask(workspace, "*.jpg;*.bmp"));
  flow.fields().destinationDirectory = destination.path().string();
  flow.fields().prefix = "  web_ ";
  prompter.answers = {true};
  int finished = 0;
  BatchRunHooks hooks;
  hooks.jobs = 2;
  hooks.onFinished = [&](const BatchReport&) {
    ++finished;
    EXPECT_FALSE(flow.running());
    EXPECT_TRUE(prompter.messages.empty()) << "the window is unlocked before the message";
  };
  const std::optional<BatchReport> report = flow.Start(hooks);

  ASSERT_TRUE(report);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(flow.fields().prefix, "web_");
  EXPECT_EQ(BatchSummary(*report), "1 written, 1 placeholders, 1 failed");
  EXPECT_TRUE(std::filesystem::exists(destination / "web_a.jpg"));
  EXPECT_FALSE(std::filesystem::exists(destination / "web_b.jpg"));
  EXPECT_TRUE(std::filesystem::exists(destination / "web_c.jpg")) << "the placeholder";
  ASSERT_EQ(prompter.messages.size(), 1u);
  const std::string& message = prompter.messages[0];
  EXPECT_EQ(message.rfind("Batch run: 1 written, 1 placeholders, 1 failed.\n\nNot written:\nb.bmp: ", 0), 0u)
      << message;
  EXPECT_NE(message.find("\n\nUnreadable, written as the placeholder picture:\nc.jpg: "), std::string::npos);
  // The last image is opened again: the placeholder, under its own name.
  EXPECT_EQ(workspace.currentFileName(), "c.jpg");
  RasterImage placeholder;
  ASSERT_TRUE(DecodeImageFile(testing::PlaceholderPicture(), placeholder));
  EXPECT_EQ(workspace.originalImage(), placeholder);
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
      testing::WriteTestJpeg(source / ("p" + std::to_string(i) + ".jpg"), 1200, 900);
    EXPECT_TRUE(ChangeSourceDirectory(workspace, source.path().string()));
    flow.fields().destinationDirectory = destination.path().string();
    hooks.jobs = 2;
    hooks.onProgress = [this](const BatchProgress& progress) {
      if (progress.stage != BatchProgress::Stage::kFinished || !onFirstDone) return;
      std::function<void()> once = std::move(onFirstDone);
      onFirstDone = nullptr;
      once();
    };
  }
  static constexpr int kCount = 12;
  BatchRunHooks hooks;
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
  EXPECT_TRUE(stopped->stopped);
  const int count = stopped->started;
  EXPECT_EQ(BatchSummary(*stopped), "Stopped after " + std::to_string(count) +
                                        " of 12: " + std::to_string(count) + " written, " +
                                        std::to_string(kCount - count) + " not processed");
  EXPECT_EQ(FileCount(destination), count);

  prompter.answers = {true};
  const std::optional<BatchReport> again = flow.Start(hooks);
  ASSERT_TRUE(again);
  EXPECT_EQ(BatchSummary(*again), "12 written");
  EXPECT_EQ(FileCount(destination), kCount);
}

}  // namespace
}  // namespace quillstone
