#pragma once

#include <string>
#include <vector>

#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// What became of one image of a batch run.
enum class BatchItemOutcome {
  kNotStarted,          // the run was stopped (or refused) before this image
  kWritten,             // marked and written
  kWrittenPlaceholder,  // an unreadable JPEG: the placeholder picture was written under its name
  kFailed,              // nothing written (unreadable bitmap, unknown kind, failed write, ...)
};

struct BatchItemResult {
  std::string name;  // the source file's name, as listed
  BatchItemOutcome outcome = BatchItemOutcome::kNotStarted;
  std::string outputPath;  // the file written; empty when none
  // Why it failed, or why the placeholder was written; empty for a marked image.
  std::string message;
  // The marked image reduced into the job's preview box, before colour depth and sepia;
  // empty without a box or when the item failed.
  RasterImage preview;
};

// The outcome of a run: one result per listed image, in list order, and the totals.
struct BatchReport {
  Status refused;      // a failed start check; then nothing was read or written
  std::string prefix;  // the prefix used, without surrounding blanks
  std::vector<BatchItemResult> items;
  int written = 0;       // images written, placeholders included
  int placeholders = 0;  // of those, the placeholders of unreadable JPEGs
  int failed = 0;
  int started = 0;       // images begun before the run ended
  bool stopped = false;  // the stop flag ended the run before its last image
  // The last image processed (started - 1), which the window reloads as its current image
  // after the run; -1 when none was started.
  int lastItemIndex = -1;
};

// "N written, M failed".
std::string BatchSummary(const BatchReport& report);

}  // namespace quillstone
