#include "cli/cli_progress.h"

#include <string>

#include "platform/text_file.h"

namespace quillstone {

namespace {

constexpr int kBarWidth = 30;  // characters between the brackets

bool IsControl(std::string_view sequence) {
  const auto first = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return first < 0x20 || first == 0x7F;
  // U+0080..U+009F, the C1 controls, are C2 80..C2 9F in UTF-8.
  return sequence.size() == 2 && first == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

}  // namespace

std::string TerminalText(std::string_view text) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = Utf8SequenceLength(text, i);
    const std::string_view sequence = text.substr(i, length == 0 ? 1 : length);
    i += sequence.size();
    if (length > 0 && !IsControl(sequence)) {
      out += sequence;
      continue;
    }
    for (const char c : sequence) {
      const auto byte = static_cast<unsigned char>(c);
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

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
    stream_ << TerminalText(progress.text) << " " << TerminalText(result->name) << " -> "
            << TerminalText(result->outputPath) << "\n";
  }
  ShowProblems(*result, TerminalText(progress.text) + " ");
  stream_.flush();
}

void CliProgress::ShowProblems(const BatchItemResult& result, const std::string& lead) {
  const std::string name = TerminalText(result.name);
  switch (result.outcome) {
    case MarkOutcome::kPlaceholder:
      stream_ << lead << name << ": " << TerminalText(result.message) << "; wrote the placeholder picture as "
              << TerminalText(result.outputPath) << "\n";
      break;
    case MarkOutcome::kFailed:
      stream_ << lead << name << ": failed: " << TerminalText(result.message) << "\n";
      break;
    case MarkOutcome::kWarned:
    case MarkOutcome::kDamaged:
      for (const std::string& warning : result.warnings) {
        stream_ << "warning: " << name << ": " << TerminalText(warning) << "\n";
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
  stream_ << "\r[" << bar << "] " << done << "/" << progress.count << " " << TerminalText(progress.name)
          << "\x1b[K";
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
