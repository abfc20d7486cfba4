#pragma once

#include <ostream>
#include <string>

#include "batch/batch_runner.h"

namespace quillstone {

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
