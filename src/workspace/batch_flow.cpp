#include "workspace/batch_flow.h"

#include <utility>
#include <vector>

#include "batch/batch_start_check.h"
#include "batch/directory_text.h"
#include "platform/program_directory.h"
#include "workspace/prompter.h"
#include "workspace/source_browsing.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// Clears the running flag however the run ends.
class RunningGuard {
 public:
  explicit RunningGuard(bool& running) : running_(running) { running_ = true; }
  ~RunningGuard() { running_ = false; }
  RunningGuard(const RunningGuard&) = delete;
  RunningGuard& operator=(const RunningGuard&) = delete;

 private:
  bool& running_;
};

}  // namespace

BatchFlow::BatchFlow(Workspace& workspace, Prompter& prompter) : workspace_(workspace), prompter_(prompter) {}

BatchJob BatchFlow::MakeJob(const BatchRunHooks& hooks) const {
  const SourceFileList& list = workspace_.sourceFiles();
  BatchJob job;
  job.sourceDirectory = list.directory();
  job.names = list.names();
  job.destinationDirectory = fields_.destinationDirectory;
  job.prefix = fields_.prefix;
  job.save = workspace_.saveOptions();
  job.useIndividualText = workspace_.useIndividualText();
  job.jobs = hooks.jobs;
  job.previewWidth = hooks.previewWidth;
  job.previewHeight = hooks.previewHeight;
  job.placeholderPath = workspace_.paths().programDirectory / kPlaceholderImageName;
  return job;
}

std::optional<BatchReport> BatchFlow::Start(const BatchRunHooks& hooks) {
  if (running_) return std::nullopt;
  BatchJob job = MakeJob(hooks);
  if (const Status check = CheckBatchStart(job); !check) {
    prompter_.ShowMessage(kBatchStopCaption, check.message(), MessageIcon::kError);
    return std::nullopt;
  }
  if (!prompter_.AskYesNo(kBatchQuestionCaption, kStartBatchQuestion)) return std::nullopt;

  RunningGuard guard(running_);
  fields_.prefix = BatchPrefix(fields_.prefix);
  job.prefix = fields_.prefix;
  stop_.store(false, std::memory_order_release);
  hold_.store(false, std::memory_order_release);
  // Each image reads its side file from disk, so the text being edited is stored first.
  workspace_.SaveCurrentIndividualText();
  workspace_.destinationHistory().Add(WithTrailingSlash(fields_.destinationDirectory));
  if (hooks.onStarted) hooks.onStarted();

  // The run reads its own copies: the window stays live while it goes on. The list is
  // followed by name, in case something refreshes it meanwhile.
  const ProgramSettings settings = workspace_.settings();
  const RasterImage logo = workspace_.logoImage();
  const std::vector<std::uint8_t> logoAlpha = workspace_.logoAlpha();
  const RasterImage texture = workspace_.textureImage();
  const std::vector<std::string> text = workspace_.watermarkText();
  const EffectMacro& macro = workspace_.effectMacro();
  const std::vector<EffectCall> macroCalls =
      macro.useForAllImages ? MacroCalls(macro.lines) : std::vector<EffectCall>();
  const MarkInput input{settings, logo, texture, text, workspace_.locale(), macroCalls, logoAlpha};
  SourceFileList& list = workspace_.sourceFiles();
  BatchObserver observer;
  observer.stop = &stop_;
  observer.hold = &hold_;
  observer.onProgress = [&](const BatchProgress& progress) {
    if (progress.stage == BatchProgress::Stage::kStarted) list.SelectName(progress.name);
    if (hooks.onProgress) hooks.onProgress(progress);
  };
  observer.onWait = hooks.onWait;
  BatchReport report = RunBatch(job, input, observer);
  if (report.lastItemIndex >= 0 &&
      list.SelectName(job.names[static_cast<std::size_t>(report.lastItemIndex)])) {
    (void)OpenSelectedFile(workspace_);
  }
  running_ = false;
  if (hooks.onFinished) hooks.onFinished(report);
  if (report.refusal) {
    // The folders changed between the checks and the run (the destination was removed).
    prompter_.ShowMessage(kBatchStopCaption, *report.refusal, MessageIcon::kError);
  } else if (const std::string problems = BatchProblemsText(report); !problems.empty()) {
    prompter_.ShowMessage(kBatchResultCaption, problems, MessageIcon::kWarning);
  }
  return report;
}

FlowResult BatchFlow::RequestStop() {
  // No image is begun while the question is open.
  hold_.store(true, std::memory_order_release);
  const bool stop = prompter_.AskYesNo(kBatchQuestionCaption, kStopBatchQuestion);
  if (stop) stop_.store(true, std::memory_order_release);
  hold_.store(false, std::memory_order_release);
  return stop ? FlowResult::Done() : FlowResult::Cancelled();
}

void BatchFlow::Stop() {
  stop_.store(true, std::memory_order_release);
}

std::string BatchProblemsText(const BatchReport& report, int limit) {
  if (report.failed == 0 && report.placeholders == 0 && report.damaged == 0 && report.warned == 0) return {};
  std::string text = BatchSummary(report) + ".";
  int shown = 0;
  int hidden = 0;
  auto list = [&](MarkOutcome outcome, const char* heading) {
    bool headed = false;
    for (const BatchItemResult& item : report.items) {
      if (item.outcome != outcome) continue;
      if (shown >= limit) {
        ++hidden;
        continue;
      }
      if (!headed) text += std::string("\n\n") + heading;
      headed = true;
      std::string why = item.message;
      for (const std::string& warning : item.warnings) why += (why.empty() ? "" : "; ") + warning;
      text += "\n" + item.name + (why.empty() ? "" : ": " + why);
      ++shown;
    }
  };
  list(MarkOutcome::kFailed, "Not written:");
  list(MarkOutcome::kPlaceholder, "Unreadable, written as the placeholder picture:");
  list(MarkOutcome::kDamaged, "Damaged, marked as far as they could be read:");
  list(MarkOutcome::kWarned, "Written with warnings:");
  if (hidden > 0) text += "\n... and " + std::to_string(hidden) + " more";
  return text;
}

}  // namespace quillstone
