#include "cli/cli_progress.h"

#include <string>

namespace quillstone {

namespace {

constexpr int kBarWidth = 30;  // characters between the brackets

}  // namespace

CliProgress::CliProgress(std::ostream& stream, bool terminal, bool quiet)
    : stream_(stream), terminal_(terminal), quiet_(quiet) {}

void CliProgress::Show(const BatchProgress& progress) {
  const bool finished = progress.stage == BatchProgress::Stage::kFinished;
  const BatchItemResult* result = progress.result;
  if (terminal_ && !quiet_) {
    if (finished && result != nullptr && result->outcome != MarkOutcome::kWritten) {
      ClearBar();
      ShowProblems(*result, "");
    }
    DrawBar(progress, finished ? progress.index + 1 : progress.index);
    return;
  }
  if (!finished || result == nullptr) return;
  const bool written = result->outcome == MarkOutcome::kWritten || result->outcome == MarkOutcome::kWarned ||
                       result->outcome == MarkOutcome::kDamaged;
  if (written && !quiet_) {
    stream_ << progress.text << " " << result->name << " -> " << result->outputPath << "\n";
  }
  ShowProblems(*result, progress.text + " ");
  stream_.flush();
}

void CliProgress::ShowProblems(const BatchItemResult& result, const std::string& lead) {
  switch (result.outcome) {
    case MarkOutcome::kPlaceholder:
      stream_ << lead << result.name << ": " << result.message << "; wrote the placeholder picture as "
              << result.outputPath << "\n";
      break;
    case MarkOutcome::kFailed:
      stream_ << lead << result.name << ": failed: " << result.message << "\n";
      break;
    case MarkOutcome::kWarned:
    case MarkOutcome::kDamaged:
      for (const std::string& warning : result.warnings) {
        stream_ << "warning: " << result.name << ": " << warning << "\n";
      }
      break;
    case MarkOutcome::kWritten:
    case MarkOutcome::kNotStarted:
      break;
  }
}

void CliProgress::DrawBar(const BatchProgress& progress, int done) {
  const int filled = progress.count > 0 ? done * kBarWidth / progress.count : 0;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kBarWidth - filled), ' ');
  // "\r" returns to the start of the line, "\x1b[K" clears what a longer line left behind.
  stream_ << "\r[" << bar << "] " << done << "/" << progress.count << " " << progress.name << "\x1b[K";
  stream_.flush();
  barShown_ = true;
}

void CliProgress::ClearBar() {
  if (!barShown_) return;
  stream_ << "\r\x1b[K";
  barShown_ = false;
}

void CliProgress::Finish() {
  if (!barShown_) return;
  stream_ << "\n";
  stream_.flush();
  barShown_ = false;
}

}  // namespace quillstone
