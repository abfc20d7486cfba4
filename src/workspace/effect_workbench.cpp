#include "workspace/effect_workbench.h"

#include "effects/effect_commands.h"
#include "effects/effect_macro.h"
#include "workspace/prompter.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// The running flag is cleared however a replay ends.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningFlag() { flag_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& flag_;
};

const EffectCommand* CommandAt(int index) {
  if (index < 0 || index >= kEffectCommandCount) return nullptr;
  return &kEffectCommands[static_cast<std::size_t>(index)];
}

const std::vector<FileFilter> kMacroFilters = {{"Quillstone Macro file", "*.qstmac"}};

}  // namespace

EffectWorkbench::EffectWorkbench(Workspace& workspace) : workspace_(workspace) {}

const std::vector<std::string>& EffectWorkbench::macroList() const {
  return workspace_.effectMacro().lines;
}

void EffectWorkbench::Reload() {
  preview_ = workspace_.originalImage();
}

void EffectWorkbench::RunCommand(int index) {
  const EffectCommand* command = CommandAt(index);
  if (command == nullptr) return;
  if (!macroRunning_) Reload();
  ApplyEffectSequence(preview_, command->sequence);
}

void EffectWorkbench::AddToMacro(int index) {
  if (const EffectCommand* command = CommandAt(index))
    workspace_.effectMacro().lines.emplace_back(command->macroWord);
}

void EffectWorkbench::ClearMacro() {
  workspace_.effectMacro().lines.clear();
}

void EffectWorkbench::RunMacro(const std::function<void()>& afterLine) {
  const std::vector<std::string>& lines = workspace_.effectMacro().lines;
  if (lines.empty()) return;
  Reload();
  const RunningFlag running(macroRunning_);
  // The lines are counted once: a line added while the window repaints waits for the next run.
  const std::size_t count = lines.size();
  for (std::size_t i = 0; i < count && i < lines.size(); ++i) {
    (void)RunEffectCommand(preview_, lines[i]);
    if (afterLine) afterLine();
  }
}

FlowResult EffectWorkbench::ShowNeighbour(SourceStep step, const std::function<void()>& afterLine) {
  const FlowResult opened = StepSourceFile(workspace_, step);
  Reload();
  RunMacro(afterLine);
  return opened;
}

std::filesystem::path EffectWorkbench::DialogFolder() const {
  return lastMacroFile_.empty() ? workspace_.paths().userDirectory : lastMacroFile_.parent_path();
}

FlowResult EffectWorkbench::SaveMacroCommand() {
  Prompter& prompter = workspace_.prompter();
  const auto path = prompter.ChooseFileToSave(
      {std::string(kSaveMacroTitle), kMacroFilters, DialogFolder(), {}, std::string(kMacroFileExtension)});
  if (!path) return FlowResult::Cancelled();
  if (const Status written = WriteMacroFile(*path, workspace_.effectMacro().lines); !written) {
    prompter.ShowMessage(kSaveMacroTitle, written.message(), MessageIcon::kError);
    return written;
  }
  lastMacroFile_ = *path;
  return FlowResult::Done();
}

FlowResult EffectWorkbench::LoadMacroCommand() {
  Prompter& prompter = workspace_.prompter();
  const auto path =
      prompter.ChooseFileToOpen({std::string(kLoadMacroTitle), kMacroFilters, DialogFolder(), {}, {}});
  if (!path) return FlowResult::Cancelled();
  if (const Status read = ReadMacroFile(*path, workspace_.effectMacro().lines); !read) {
    prompter.ShowMessage(kLoadMacroTitle, read.message(), MessageIcon::kError);
    return read;
  }
  lastMacroFile_ = *path;
  return FlowResult::Done();
}

}  // namespace quillstone
