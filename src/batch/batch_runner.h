#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_job.h"
#include "batch/batch_report.h"
#include "batch/mark_file.h"

namespace quillstone {

// One step of a run, reported on the thread that called RunBatch, in item order.
struct BatchProgress {
  enum class Stage { kStarted, kFinished };
  Stage stage = Stage::kStarted;
  int index = 0;          // 0-based item index
  int count = 0;          // items in the run
  std::string text;       // "Progress 3/12" (index + 1, count)
  std::string_view name;  // the item's file name; valid during the call
  // The item's outcome (kFinished only); valid during the call.
  const BatchItemResult* result = nullptr;
};

// How the caller follows and ends a run. Every member is optional.
struct BatchObserver {
  // Read at the top of each item: once set, no further item is begun; items already begun
  // are completed and reported.
  const std::atomic<bool>* stop = nullptr;
  // While set, no further item is begun either, but the run goes on once it is cleared
  // (the window holds the run while it asks whether to stop). Items begun go on.
  const std::atomic<bool>* hold = nullptr;
  std::function<void(const BatchProgress&)> onProgress{};
  // Called about every 50 ms while the calling thread waits for images rendered on other
  // threads (jobs > 1), so a window can process its pending events.
  std::function<void()> onWait{};
};

// "Progress " + (index + 1) + "/" + count.
std::string ProgressText(int index, int count);

// Runs the batch: the start checks (CheckBatchStart; a failure is returned in
// BatchReport::refusal and nothing else happens), then every image in list order through
// ProcessBatchItem: its output name (prefix + name with the format's extension) and target
// are checked, then MarkFile marks and writes it (an unreadable JPEG is replaced by the
// placeholder picture, written unmarked under the image's output name; an unreadable bitmap
// or a name of no known kind fails the item). An image whose output name an earlier image of
// the list already has ("a.jpg" and "a.bmp" both give "new_a.jpg") fails instead of
// replacing that file, and so does one whose output is a link leading out of the
// destination or to a source picture.
// Each image has one outcome; a failure ends only its own image. With jobs > 1 the images
// are rendered on that many threads, each reusing its buffers from image to image; the
// files written and the order of the reports are the same as with one job.
BatchReport RunBatch(const BatchJob& job, const MarkInput& input, const BatchObserver& observer = {});

}  // namespace quillstone
