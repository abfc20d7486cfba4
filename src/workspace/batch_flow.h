#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "batch/batch_job.h"
#include "batch/batch_report.h"
#include "batch/batch_runner.h"
#include "workspace/flow_result.h"

namespace quillstone {

class Prompter;
class Workspace;

// Caption of the message that names the images a run did not mark.
inline constexpr std::string_view kBatchResultCaption = "Batch run";

// The batch page's own values. None is kept in configuration files; each starts here. Its
// output options are the workspace's (`Workspace::saveOptions`), which the JPEG compression
// preview also sets.
struct BatchPageFields {
  std::string destinationDirectory;          // as picked; empty until then
  std::string prefix = kDefaultBatchPrefix;  // as typed; trimmed when a run starts
  friend bool operator==(const BatchPageFields&, const BatchPageFields&) = default;
};

// How the window follows a run. Every member is optional.
struct BatchRunHooks {
  int jobs = 1;  // images rendered at once (the number of cores in the window)
  // The box each finished item's preview is reduced into (0 x 0: none).
  int previewWidth = 0;
  int previewHeight = 0;
  // After the checks and the question, before the first image: the window locks itself.
  std::function<void()> onStarted{};
  // Each step, on the calling thread, in list order (see BatchObserver).
  std::function<void(const BatchProgress&)> onProgress{};
  // While the calling thread waits for images rendered on other threads.
  std::function<void()> onWait{};
  // After the run and the opening of its last image, before the message naming the images
  // not marked: the window unlocks itself.
  std::function<void(const BatchReport&)> onFinished{};
};

// "Start batch" and "Stop batch" over the workspace's source file list.
class BatchFlow {
 public:
  BatchFlow(Workspace& workspace, Prompter& prompter);

  BatchPageFields& fields() { return fields_; }
  const BatchPageFields& fields() const { return fields_; }
  bool running() const { return running_; }

  // The job a start would run now: the listed names, the fields and the placeholder.
  BatchJob MakeJob(const BatchRunHooks& hooks) const;

  // "Start batch". The start checks, each failure a "Stop" message; the question "Do you
  // really want to start the BATCH ?"; then the prefix is trimmed, the destination goes to
  // the top of its history, and every listed image is marked and written (RunBatch) with
  // a copy of the settings, logo, texture and text (and of the effect macro, while "Use
  // macro for all images" is on) taken now, so nothing changed while the run goes on
  // reaches it. The list follows the run's progress. Afterwards the last
  // image processed is opened as the current image (OpenSelectedFile), onFinished runs,
  // and when images were not marked they are named in one message. None when refused,
  // declined or already running.
  std::optional<BatchReport> Start(const BatchRunHooks& hooks);

  // "Stop batch": asks "Do you really want to stop the BATCH ?", holding the run while the
  // question is open (no image is begun); Yes stops the run after the images in progress,
  // No lets it go on. Done for Yes, cancelled for No.
  FlowResult RequestStop();
  // Stops the run after the images in progress without asking (the program is ending).
  void Stop();

 private:
  Workspace& workspace_;
  Prompter& prompter_;
  BatchPageFields fields_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> hold_{false};
  bool running_ = false;
};

// The message naming the images of a run that were not simply marked: failures with their
// reasons, the unreadable JPEGs written as the placeholder, the damaged JPEGs and the images
// written with warnings, each group apart; at most `limit` lines of names, then how many
// more. It starts with the run's summary. Empty when every image was marked.
std::string BatchProblemsText(const BatchReport& report, int limit = 20);

}  // namespace quillstone
