#include "cli/cli_progress.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace quillstone {
namespace {

// A name that would set the terminal's title and ring its bell, and how it is shown.
constexpr const char* kHostileName = "b\x1b]0;t\a.jpg";
constexpr const char* kHostileShown = "b\\x1B]0;t\\x07.jpg";

BatchProgress Step(BatchProgress::Stage stage, int index, const BatchItemResult* result) {
  return {.stage = stage,
          .index = index,
          .count = 3,
          .text = ProgressText(index, 3),
          .name = index == 0 ? "a.jpg" : kHostileName,
          .result = result};
}

// Two images: a.jpg written, the hostile name failed.
std::string Show(bool terminal, bool quiet) {
  std::ostringstream stream;
  CliProgress progress(stream, terminal, quiet);
  BatchItemResult written{"a.jpg", MarkOutcome::kWritten, "out/new_a.jpg", "", {}, {}};
  BatchItemResult failed{kHostileName, MarkOutcome::kFailed, "", "cannot write out/new_b.jpg", {}, {}};
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
            "Progress 2/3 " +
                std::string(kHostileShown) + ": failed: cannot write out/new_b.jpg\n");
}

TEST(CliProgressTest, BarRedrawnInPlaceOnATerminal) {
  const auto bar = [](int filled, const std::string& tail) {
    return "\r[" + std::string(filled, '#') + std::string(30 - filled, ' ') + "] " + tail + "\x1b[K";
  };
  const std::string hostile = kHostileShown;
  // The failure is printed on a line of its own, the bar drawn again below it.
  EXPECT_EQ(Show(true, false), bar(0, "0/3 a.jpg") + bar(10, "1/3 a.jpg") + bar(10, "1/3 " + hostile) +
                                   "\r\x1b[K" + hostile + ": failed: cannot write out/new_b.jpg\n" +
                                   bar(20, "2/3 " + hostile) + "\n");
}

// Control characters of every kind and bytes that are no UTF-8 are shown as \xHH; letters
// of any script stay.
TEST(CliProgressTest, TerminalTextEscapesWhatCouldDriveTheTerminal) {
  EXPECT_EQ(TerminalText("caf\xC3\xA9 \xE2\x82\xAC.jpg"), "caf\xC3\xA9 \xE2\x82\xAC.jpg");
  EXPECT_EQ(TerminalText("a\tb\nc\x7F"), "a\\x09b\\x0Ac\\x7F");
  EXPECT_EQ(TerminalText("csi\xC2\x9B"
                         "2J lone\x9B cut\xC3"),
            "csi\\xC2\\x9B2J lone\\x9B cut\\xC3");
}

}  // namespace
}  // namespace quillstone
