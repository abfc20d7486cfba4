#include "batch/batch_runner.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_set>

#include "batch/batch_item.h"
#include "batch/batch_start_check.h"
#include "batch/directory_text.h"

namespace quillstone {

namespace {

bool StopRequested(const BatchObserver& observer) {
  return observer.stop != nullptr && observer.stop->load(std::memory_order_acquire);
}

bool Held(const BatchObserver& observer) {
  return observer.hold != nullptr && observer.hold->load(std::memory_order_acquire);
}

// Waits while the run is held (and not stopped), calling onWait meanwhile when `live`.
void WaitWhileHeld(const BatchObserver& observer, bool live) {
  while (Held(observer) && !StopRequested(observer)) {
    if (live && observer.onWait) observer.onWait();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void Report(const BatchObserver& observer, const BatchReport& report, BatchProgress::Stage stage, int index,
            const BatchItemResult* result) {
  if (!observer.onProgress) return;
  BatchProgress progress;
  progress.stage = stage;
  progress.index = index;
  progress.count = static_cast<int>(report.items.size());
  progress.text = ProgressText(index, progress.count);
  progress.name = report.items[static_cast<std::size_t>(index)].name;
  progress.result = result;
  observer.onProgress(progress);
}

std::uint64_t SeedFromClock() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

// Items in list order on the calling thread.
int RunOnCallingThread(const BatchItemContext& context, const BatchObserver& observer, BatchReport& report) {
  const int count = static_cast<int>(report.items.size());
  MarkBuffers buffers;
  int started = 0;
  for (int i = 0; i < count; ++i) {
    WaitWhileHeld(observer, true);
    if (StopRequested(observer)) break;
    ++started;
    Report(observer, report, BatchProgress::Stage::kStarted, i, nullptr);
    report.items[static_cast<std::size_t>(i)] = ProcessBatchItem(context, i, buffers);
    Report(observer, report, BatchProgress::Stage::kFinished, i, &report.items[static_cast<std::size_t>(i)]);
  }
  return started;
}

// Items on `jobs` threads, each taking the next unstarted item; the calling thread reports
// them in list order as they become ready.
int RunOnWorkers(const BatchItemContext& context, int jobs, const BatchObserver& observer,
                 BatchReport& report) {
  const int count = static_cast<int>(report.items.size());
  std::mutex mutex;
  std::condition_variable ready;
  // Guarded by mutex: the next item a worker takes (so items 0..claimed-1 are taken), the
  // workers still running, and the results not yet reported.
  int claimed = 0;
  int active = jobs;
  std::map<int, BatchItemResult> done;

  auto worker = [&] {
    MarkBuffers buffers;
    for (;;) {
      WaitWhileHeld(observer, false);
      int index = 0;
      {
        std::lock_guard lock(mutex);
        if (claimed >= count || StopRequested(observer)) break;
        index = claimed++;
      }
      BatchItemResult result = ProcessBatchItem(context, index, buffers);
      {
        std::lock_guard lock(mutex);
        done.emplace(index, std::move(result));
      }
      ready.notify_all();
    }
    {
      std::lock_guard lock(mutex);
      --active;
    }
    ready.notify_all();
  };

  // Waits for the condition, handing the caller its onWait calls meanwhile.
  auto waitUntil = [&](std::unique_lock<std::mutex>& lock, auto condition) {
    while (!condition()) {
      if (!observer.onWait) {
        ready.wait(lock);
        continue;
      }
      ready.wait_for(lock, std::chrono::milliseconds(50));
      if (condition()) break;
      lock.unlock();
      observer.onWait();
      lock.lock();
    }
  };

  std::vector<std::jthread> threads;
  threads.reserve(static_cast<std::size_t>(jobs));
  for (int j = 0; j < jobs; ++j) threads.emplace_back(worker);

  for (int i = 0; i < count; ++i) {
    {
      std::unique_lock lock(mutex);
      waitUntil(lock, [&] { return i < claimed || active == 0; });
      if (i >= claimed) break;  // the stop flag ended the run before this item
    }
    Report(observer, report, BatchProgress::Stage::kStarted, i, nullptr);
    BatchItemResult result;
    {
      std::unique_lock lock(mutex);
      waitUntil(lock, [&] { return done.contains(i); });
      auto found = done.find(i);
      result = std::move(found->second);
      done.erase(found);
    }
    BatchItemResult& item = report.items[static_cast<std::size_t>(i)];
    item = std::move(result);
    Report(observer, report, BatchProgress::Stage::kFinished, i, &item);
  }
  threads.clear();  // joins
  return claimed;
}

}  // namespace

std::string ProgressText(int index, int count) {
  return "Progress " + std::to_string(index + 1) + "/" + std::to_string(count);
}

BatchReport RunBatch(const BatchJob& job, const MarkInput& input, const BatchObserver& observer) {
  BatchReport report;
  report.prefix = BatchPrefix(job.prefix);
  report.items.resize(job.names.size());
  for (std::size_t i = 0; i < job.names.size(); ++i) report.items[i].name = job.names[i];
  if (Status status = CheckBatchStart(job); !status) {
    report.refusal = status.message();
    return report;
  }
  std::error_code error;
  std::filesystem::path canonicalDestination =
      std::filesystem::weakly_canonical(job.destinationDirectory, error);
  if (error) canonicalDestination = std::filesystem::absolute(job.destinationDirectory, error);

  const BatchItemContext context{job,
                                 input,
                                 WithTrailingSlash(job.sourceDirectory),
                                 std::filesystem::path(job.destinationDirectory),
                                 report.prefix,
                                 job.placeholderPath,
                                 job.randomSeed ? *job.randomSeed : SeedFromClock(),
                                 FindSameOutputNames(job.names, report.prefix, job.save.format),
                                 canonicalDestination,
                                 SourceFoldersByName(job)};

  const int count = static_cast<int>(job.names.size());
  const int jobs = std::clamp(job.jobs, 1, count);
  report.started = jobs == 1 ? RunOnCallingThread(context, observer, report)
                             : RunOnWorkers(context, jobs, observer, report);

  for (const BatchItemResult& item : report.items) {
    switch (item.outcome) {
      case MarkOutcome::kWritten:
        ++report.written;
        break;
      case MarkOutcome::kWarned:
        ++report.warned;
        break;
      case MarkOutcome::kDamaged:
        ++report.damaged;
        break;
      case MarkOutcome::kPlaceholder:
        ++report.placeholders;
        break;
      case MarkOutcome::kFailed:
        ++report.failed;
        break;
      case MarkOutcome::kNotStarted:
        break;
    }
  }
  report.stopped = report.started < count;
  report.lastItemIndex = report.started - 1;
  return report;
}

std::string BatchSummary(const BatchReport& report) {
  const int count = static_cast<int>(report.items.size());
  const std::pair<int, const char*> parts[] = {
      {report.written, " written"}, {report.placeholders, " placeholders"},
      {report.damaged, " damaged"}, {report.warned, " with warnings"},
      {report.failed, " failed"},   {report.stopped ? count - report.started : 0, " not processed"},
  };
  std::string text;
  for (const auto& [number, label] : parts) {
    if (number == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(number) + label;
  }
  if (text.empty()) text = "0 written";
  if (!report.stopped) return text;
  return "Stopped after " + std::to_string(report.started) + " of " + std::to_string(count) + ": " + text;
}

}  // namespace quillstone
