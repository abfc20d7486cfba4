#pragma once

#include <optional>
#include <string>
#include <vector>

#include "batch/mark_file.h"
#include "imaging/raster_image.h"

namespace quillstone {

struct BatchItemResult {
  std::string name;  // the source file's name, as listed
  MarkOutcome outcome = MarkOutcome::kNotStarted;
  std::string outputPath;  // the file written; empty when none
  // Why it failed, or why the placeholder was written; empty for a marked image.
  std::string message;
  // The marked image reduced into the job's preview box, before colour depth and sepia;
  // empty without a box or when the item failed.
  RasterImage preview;
  // The problems of an image that was written all the same (MarkResult::warnings).
  std::vector<std::string> warnings;
};

// The outcome of a run: one result per listed image, in list order, and the totals. Each
// image begun counts in exactly one of written, placeholders, damaged, warned and failed.
struct BatchReport {
  // Why the run did not start (a failed start check); then nothing was read or written.
  std::optional<std::string> refusal{};
  std::string prefix{};  // the prefix used, without surrounding blanks
  std::vector<BatchItemResult> items{};
  int written = 0;       // images marked and written without a problem
  int placeholders = 0;  // unreadable JPEGs written as the placeholder picture
  int damaged = 0;       // damaged JPEGs marked and written as far as they decode
  int warned = 0;        // images written whose render or per-image text had a problem
  int failed = 0;        // images not written
  int started = 0;       // images begun before the run ended
  bool stopped = false;  // the stop flag ended the run before its last image
  // The last image processed (started - 1), which the window reloads as its current image
  // after the run; -1 when none was started.
  int lastItemIndex = -1;
};

// The last line of a run: "N written, P placeholders, D damaged, W with warnings, M failed",
// the parts that are zero left out ("0 written" when all are). A stopped run says how far it
// got first: "Stopped after 25 of 40: 25 written, 15 not processed".
std::string BatchSummary(const BatchReport& report);

}  // namespace quillstone
