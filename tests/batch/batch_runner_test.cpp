#include "batch/batch_runner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/batch_start_check.h"
#include "batch_test_files.h"
#include "imagefiles/image_decoder.h"
#include "pipeline/render_watermark.h"
#include "support/decoded_file.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using testing::Decoded;
using ::testing::ElementsAre;
using ::testing::Field;
using testing::FileContents;
using testing::TempDir;
using testing::WriteFile;
using testing::WriteTestBmp;
using testing::WriteTestJpeg;

constexpr LocalDateTime kMoment{2024, 5, 17, 14, 30, 5, 0};

// An item with this outcome whose message holds `message`.
auto Item(MarkOutcome outcome, const char* message = "") {
  return ::testing::AllOf(Field(&BatchItemResult::outcome, outcome),
                          Field(&BatchItemResult::message, ::testing::HasSubstr(message)));
}

// A source and a destination folder, and a job between them that writes lossless BMPs
// (so that written pixels can be compared with a render).
class BatchRunnerTest : public ::testing::Test {
 protected:
  BatchRunnerTest() {
    std::filesystem::create_directories(source());
    std::filesystem::create_directories(dest());
    job_.sourceDirectory = source().string() + "/";
    job_.destinationDirectory = dest().string();
    job_.save.format = OutputFormat::kBmp;
    job_.placeholderPath = testing::PlaceholderPicture();
    job_.randomSeed = 7;
    job_.now = kMoment;
    settings_.watermark.frame = {.outerOn = false, .innerOn = false};
  }

  std::filesystem::path source() const { return temp_ / "source"; }
  std::filesystem::path dest() const { return temp_ / "dest"; }

  BatchReport Run(const BatchObserver& observer = {}) {
    const MarkInput input{settings_, logo_, texture_, text_, locale_};
    return RunBatch(job_, input, observer);
  }

  // Writes small source pictures, JPEG or bitmap by the extension, and lists them in the job.
  void Sources(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      const std::filesystem::path path = source() / name;
      path.extension() == ".jpg" ? WriteTestJpeg(path) : WriteTestBmp(path);
      job_.names.push_back(name);
    }
  }

  // What the window renders for a source file with the given text.
  RasterImage RenderDirectly(const std::string& name, const std::vector<std::string>& text) {
    RasterImage original;
    EXPECT_TRUE(DecodeImageFile(source() / name, original).ok());
    const TextContext context{kMoment, name, job_.sourceDirectory};
    const RenderInput input{original, logo_, texture_, settings_.watermark, text, context, locale_};
    RandomSource random(1);
    RenderOutput output;
    EXPECT_TRUE(RenderWatermark(input, random, output).ok());
    return output.marked;
  }

  TempDir temp_;
  BatchJob job_;
  ProgramSettings settings_;
  RasterImage logo_ = testing::MakeGradientRaster(6, 4);
  RasterImage texture_;
  std::vector<std::string> text_;
  LocaleInfo locale_;
};

TEST_F(BatchRunnerTest, MarksEveryImageUnderThePrefix) {
  Sources({"a.jpg", "b.bmp"});
  job_.prefix = "  web_ ";
  const BatchReport report = Run();

  EXPECT_EQ(BatchSummary(report), "2 written");
  EXPECT_EQ(report.started, 2);
  EXPECT_EQ(report.lastItemIndex, 1);
  EXPECT_THAT(report.items,
              ElementsAre(Field(&BatchItemResult::outputPath, (dest() / "web_a.bmp").string()),
                          Field(&BatchItemResult::outputPath, (dest() / "web_b.bmp").string())));
  // The logo is at c1 with half its strength: the written pixels are the window's render.
  EXPECT_EQ(Decoded(dest() / "web_b.bmp"), RenderDirectly("b.bmp", {}));
}

TEST_F(BatchRunnerTest, RefusedRunTouchesNothing) {
  Sources({"a.jpg"});
  job_.destinationDirectory = source().string();
  int calls = 0;
  const BatchReport report = Run({.onProgress = [&calls](const BatchProgress&) { ++calls; }});

  EXPECT_EQ(report.refusal, std::string(kSameDirectoryMessage));
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(report.started, 0);
  EXPECT_EQ(report.lastItemIndex, -1);
  EXPECT_FALSE(std::filesystem::exists(source() / "new_a.bmp"));
}

// The progress texts and their order are the same with one job and with several.
class BatchJobsTest : public BatchRunnerTest, public ::testing::WithParamInterface<int> {};

TEST_P(BatchJobsTest, ReportsProgressInItemOrder) {
  Sources({"a.jpg", "b.jpg", "c.jpg"});
  job_.jobs = GetParam();
  std::vector<std::string> events;
  const BatchObserver observer{.onProgress = [&events](const BatchProgress& progress) {
    const bool started = progress.stage == BatchProgress::Stage::kStarted;
    events.push_back((started ? "start " : "done ") + progress.text + " " + std::string(progress.name));
    if (!started) {
      EXPECT_EQ(progress.result->outcome, MarkOutcome::kWritten);
    }
  }};
  const BatchReport report = Run(observer);

  const std::vector<std::string> expected = {"start Progress 1/3 a.jpg", "done Progress 1/3 a.jpg",
                                             "start Progress 2/3 b.jpg", "done Progress 2/3 b.jpg",
                                             "start Progress 3/3 c.jpg", "done Progress 3/3 c.jpg"};
  EXPECT_EQ(events, expected);
  EXPECT_EQ(BatchSummary(report), "3 written");
}

TEST_P(BatchJobsTest, WritesTheSameBytesAsOneJob) {
  // Random colour noise: each item draws from its own source, whatever thread renders it;
  // and text, drawn on several threads at once.
  settings_.watermark.combination = CombinationOrder::kLCT;
  settings_.watermark.color.randomColor = true;
  settings_.watermark.color.style = ColorStyleIndex(ColorStyle::kBottomToTop);
  settings_.watermark.text.font.face = "DejaVu Sans";
  text_ = {"$fn$", "$width$x$height$"};
  std::vector<std::string> names;
  for (int i = 0; i < 5; ++i) {
    names.push_back("p" + std::to_string(i) + ".jpg");
    WriteTestJpeg(source() / names.back(), 20 + 3 * i, 14 + i);
  }
  job_.names = names;
  job_.save.format = OutputFormat::kJpeg;

  job_.jobs = 1;
  ASSERT_EQ(Run().written, 5);
  const auto single = temp_ / "single";
  std::filesystem::rename(dest(), single);
  std::filesystem::create_directories(dest());
  job_.jobs = GetParam();
  const BatchReport report = Run();
  ASSERT_EQ(report.written, 5);
  for (const std::string& name : names) {
    const std::string output = "new_" + name;
    EXPECT_EQ(FileContents(dest() / output), FileContents(single / output)) << output;
  }
}

TEST_P(BatchJobsTest, SecondImageWithTheSameOutputNameIsNotWritten) {
  Sources({"a.bmp", "a.jpg", "b.bmp"});
  job_.jobs = GetParam();
  const BatchReport report = Run();

  EXPECT_EQ(BatchSummary(report), "2 written, 1 failed");
  EXPECT_THAT(report.items[1], Item(MarkOutcome::kFailed, "a.bmp"));
  EXPECT_EQ(Decoded(dest() / "new_a.bmp"), RenderDirectly("a.bmp", {}));
}

INSTANTIATE_TEST_SUITE_P(Jobs, BatchJobsTest, ::testing::Values(1, 2, 3));

// A corrupt JPEG is written as the placeholder, unmarked, under its own name; a kind no
// decoder takes and an output a folder blocks fail, named (the decoder tests show which
// sources fail rather than take the placeholder); none of them keeps the next picture from
// being marked.
TEST_F(BatchRunnerTest, PlaceholdersAndFailuresAreCountedAndNamed) {
  WriteTestJpeg(source() / "a.jpg");
  WriteFile(source() / "b.jpg", "this is no JPEG at all");
  WriteFile(source() / "d.gif", "GIF89a");
  WriteTestBmp(source() / "e.bmp");
  WriteTestBmp(source() / "f.bmp", 10, 10);
  std::filesystem::create_directory(dest() / "new_e.bmp");
  job_.names = {"a.jpg", "b.jpg", "d.gif", "e.bmp", "f.bmp"};
  const BatchReport report = Run();

  EXPECT_EQ(BatchSummary(report), "2 written, 1 placeholders, 2 failed");
  EXPECT_THAT(report.items,
              ElementsAre(Item(MarkOutcome::kWritten), Item(MarkOutcome::kPlaceholder, "b.jpg"),
                          Item(MarkOutcome::kFailed, "d.gif"), Item(MarkOutcome::kFailed, "new_e.bmp"),
                          Item(MarkOutcome::kWritten)));
  EXPECT_EQ(Decoded(dest() / "new_b.bmp"), Decoded(testing::PlaceholderPicture()));
  EXPECT_EQ(testing::FolderEntries(dest()),
            (std::vector<std::string>{"new_a.bmp", "new_b.bmp", "new_e.bmp", "new_f.bmp"}));
  EXPECT_TRUE(report.items[3].outputPath.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dest() / "new_e.bmp"));
  EXPECT_EQ(Decoded(dest() / "new_f.bmp"), RenderDirectly("f.bmp", {}));
}

class BatchStopJobsTest : public BatchRunnerTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    for (int i = 1; i <= 8; ++i) {
      job_.names.push_back("img" + std::to_string(i) + ".bmp");
      WriteTestBmp(source() / job_.names.back());
    }
    job_.jobs = GetParam();
  }
};

TEST_P(BatchStopJobsTest, StopBeforeTheRunBeginsNothing) {
  std::atomic<bool> stop{true};
  const BatchReport report = Run({.stop = &stop});
  EXPECT_EQ(report.started, 0);
  EXPECT_EQ(report.lastItemIndex, -1);
  EXPECT_TRUE(report.stopped);
  EXPECT_TRUE(std::filesystem::is_empty(dest()));
}

TEST_P(BatchStopJobsTest, ItemsBegunBeforeTheStopAreFinishedAndCounted) {
  std::atomic<bool> stop{false};
  const auto stopAfterTheFirst = [&stop](const BatchProgress& progress) {
    if (progress.stage == BatchProgress::Stage::kFinished && progress.index == 0) stop = true;
  };
  const BatchReport report = Run({.stop = &stop, .onProgress = stopAfterTheFirst});
  // How many other threads began meanwhile varies; the report must agree with the disk.
  ASSERT_GE(report.started, 1);
  EXPECT_EQ(report.written, report.started);
  EXPECT_EQ(report.lastItemIndex, report.started - 1);
  for (int i = 0; i < 8; ++i) {
    const bool begun = i < report.started;
    EXPECT_EQ(report.items[i].outcome, begun ? MarkOutcome::kWritten : MarkOutcome::kNotStarted) << i;
    EXPECT_EQ(std::filesystem::exists(dest() / ("new_img" + std::to_string(i + 1) + ".bmp")), begun) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Jobs, BatchStopJobsTest, ::testing::Values(1, 2));

TEST_F(BatchRunnerTest, IndividualTextsReplaceTheWatermarkText) {
  settings_.watermark.combination = CombinationOrder::kActive;
  settings_.watermark.action = WatermarkAction::kUseText;
  settings_.watermark.text.font.face = "DejaVu Sans";
  text_ = {"GLOBAL"};
  WriteTestBmp(source() / "a.bmp", 60, 30);
  WriteTestBmp(source() / "b.bmp", 60, 30);
  WriteFile(source() / "a.bmp.txt", "own\r\ntext\r\n");
  job_.names = {"a.bmp", "b.bmp"};

  job_.useIndividualText = true;
  ASSERT_EQ(Run().written, 2);
  EXPECT_EQ(Decoded(dest() / "new_a.bmp"), RenderDirectly("a.bmp", {"own", "text"}));
  // No side file: no text at all, so the image is written as it came.
  EXPECT_EQ(Decoded(dest() / "new_b.bmp"), Decoded(source() / "b.bmp"));

  job_.useIndividualText = false;
  ASSERT_EQ(Run().written, 2);
  EXPECT_EQ(Decoded(dest() / "new_a.bmp"), RenderDirectly("a.bmp", {"GLOBAL"}));
  EXPECT_EQ(Decoded(dest() / "new_b.bmp"), RenderDirectly("b.bmp", {"GLOBAL"}));
  EXPECT_NE(Decoded(dest() / "new_b.bmp"), Decoded(source() / "b.bmp"));
}

// Finished items, the placeholder too, carry a preview of what was written.
TEST_F(BatchRunnerTest, TurnsImagesBackOnlyWhenAskedAndNotThePlaceholder) {
  WriteTestBmp(source() / "a.bmp", 20, 12);
  WriteFile(source() / "b.jpg", "broken");
  job_.names = {"a.bmp", "b.jpg"};
  job_.previewWidth = 10;
  job_.previewHeight = 10;
  settings_.orientation.orientation = Orientation::kRotate90Clockwise;
  const BatchReport report = Run();
  ASSERT_EQ(report.written, 1);
  EXPECT_EQ(Decoded(dest() / "new_a.bmp").Width(), 12);  // marked upright, kept turned
  EXPECT_EQ(testing::SizeOf(report.items[0].preview), std::pair(6, 10));
  EXPECT_FALSE(report.items[1].preview.Empty());

  settings_.orientation.rotateBack = true;
  ASSERT_EQ(Run().written, 1);
  EXPECT_EQ(testing::SizeOf(Decoded(dest() / "new_a.bmp")), std::pair(20, 12));
  EXPECT_EQ(Decoded(dest() / "new_b.bmp"), Decoded(testing::PlaceholderPicture()));
}

// Each image begun is counted in one part; zero parts are left out; a stopped run says how
// far it got.
TEST(BatchSummaryTest, CountsEveryPartApart) {
  struct Case {
    BatchReport report;  // its counts
    int count;           // of items
    const char* summary;
  };
  for (Case c :
       {Case{{}, 0, "0 written"}, Case{{.written = 3, .started = 3}, 3, "3 written"},
        Case{{.written = 1, .placeholders = 2, .damaged = 3, .warned = 4, .failed = 5, .started = 15},
             15,
             "1 written, 2 placeholders, 3 damaged, 4 with warnings, 5 failed"},
        Case{{.placeholders = 1, .failed = 1, .started = 2}, 2, "1 placeholders, 1 failed"},
        Case{{.written = 25, .started = 25}, 40, "Stopped after 25 of 40: 25 written, 15 not processed"},
        Case{{}, 2, "Stopped after 0 of 2: 2 not processed"}}) {
    c.report.items.resize(static_cast<std::size_t>(c.count));
    c.report.stopped = c.report.started < c.count;
    EXPECT_EQ(BatchSummary(c.report), c.summary);
  }
}

// An output that is a link may lead within the destination, never out of it.
TEST_F(BatchRunnerTest, LinkOutOfTheDestinationFailsTheImage) {
  Sources({"a.bmp", "b.bmp"});
  std::filesystem::create_directory(dest() / "kept");
  std::filesystem::create_symlink("../outside.bmp", dest() / "new_a.bmp");
  std::filesystem::create_symlink("kept/b.bmp", dest() / "new_b.bmp");
  const BatchReport report = Run();
  EXPECT_EQ(BatchSummary(report), "1 written, 1 failed");
  EXPECT_THAT(report.items[0], Item(MarkOutcome::kFailed, "outside the destination folder"));
  EXPECT_FALSE(std::filesystem::exists(temp_ / "outside.bmp"));
  EXPECT_EQ(Decoded(dest() / "kept" / "b.bmp"), RenderDirectly("b.bmp", {}));
}

}  // namespace
}  // namespace quillstone
