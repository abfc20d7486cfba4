#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "batch/batch_runner.h"

namespace quillstone {

// Text from outside the program (file names and the messages that hold them) as it goes to
// the terminal: control characters (C0, DEL and C1) and bytes that are no UTF-8 are shown
// as \xHH, so that a name cannot drive the terminal. Everything the command line prints
// that it did not write itself passes through here.
std::string TerminalText(std::string_view text);

// How a batch run shows its progress on standard error: a bar redrawn in place on a
// terminal, one line per image otherwise, nothing but the problems with --quiet. Images
// that failed or were replaced by the placeholder are always named with the reason, and
// the warnings of images written all the same are shown as "warning: NAME: REASON".
class CliProgress {
 public:
  CliProgress(std::ostream& stream, bool terminal, bool quiet);
  void Show(const BatchProgress& progress);
  // Ends the bar's line, if one is drawn.
  void Finish();

 private:
  void DrawBar(const BatchProgress& progress, int done);
  void ClearBar();
  // The lines of an image that was not simply marked; `lead` comes before a failure.
  void ShowProblems(const BatchItemResult& result, const std::string& lead);

  std::ostream& stream_;
  bool terminal_;
  bool quiet_;
  bool barShown_ = false;
};

}  // namespace quillstone
