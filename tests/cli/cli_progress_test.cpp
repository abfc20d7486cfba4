#include "cli/cli_progress.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace quillstone {
namespace {

BatchProgress Step(BatchProgress::Stage stage, int index, const BatchItemResult* result) {
  BatchProgress progress;
  progress.stage = stage;
  progress.index = index;
  progress.count = 3;
  progress.text = ProgressText(index, 3);
  progress.name = index == 0 ? "a.jpg" : "b.jpg";
  progress.result = result;
  return progress;
}

// Two images: a.jpg written, b.jpg failed.
std::string Show(bool terminal, bool quiet) {
  std::ostringstream stream;
  CliProgress progress(stream, terminal, quiet);
  BatchItemResult written{"a.jpg", MarkOutcome::kWritten, "out/new_a.jpg", "", {}, {}};
  BatchItemResult failed{"b.jpg", MarkOutcome::kFailed, "", "cannot write out/new_b.jpg", {}, {}};
  progress.Show(Step(BatchProgress::Stage::kStarted, 0, nullptr));
  progress.Show(Step(BatchProgress::Stage::kFinished, 0, &written));
  progress.Show(Step(BatchProgress::Stage::kStarted, 1, nullptr));
  progress.Show(Step(BatchProgress::Stage::kFinished, 1, &failed));
  progress.Finish();
  return stream.str();
}

TEST(CliProgressTest, OneLinePerImageWhenNotATerminal) {
  EXPECT_EQ(Show(false, false),
            "Progress 1/3 a.jpg -> out/new_a.jpg\n"
            "Progress 2/3 b.jpg: failed: cannot write out/new_b.jpg\n");
}

TEST(CliProgressTest, BarRedrawnInPlaceOnATerminal) {
  const std::string bar0 = "\r[" + std::string(30, ' ') + "] 0/3 a.jpg\x1b[K";
  const std::string bar1 = "\r[" + std::string(10, '#') + std::string(20, ' ') + "] 1/3 a.jpg\x1b[K";
  const std::string bar1b = "\r[" + std::string(10, '#') + std::string(20, ' ') + "] 1/3 b.jpg\x1b[K";
  const std::string bar2 = "\r[" + std::string(20, '#') + std::string(10, ' ') + "] 2/3 b.jpg\x1b[K";
  // The failure is printed on a line of its own, the bar drawn again below it.
  EXPECT_EQ(Show(true, false),
            bar0 + bar1 + bar1b + "\r\x1b[K" + "b.jpg: failed: cannot write out/new_b.jpg\n" + bar2 + "\n");
}

}  // namespace
}  // namespace quillstone
