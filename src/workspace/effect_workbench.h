#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "workspace/flow_result.h"
#include "workspace/source_browsing.h"

namespace quillstone {

class Workspace;

inline constexpr std::string_view kSaveMacroTitle = "Save Quillstone Macro";
inline constexpr std::string_view kLoadMacroTitle = "Load Quillstone Macro";

// The commands of the effect window. The window works on its own copy of the source image
// (the preview) and on the workspace's macro; nothing here changes the source image, the
// marked image or a setting. Only "Show previous image" and "Show next image" act on the
// main window, taking its "&Previous" and "&Next" steps through the source file list.
class EffectWorkbench {
 public:
  explicit EffectWorkbench(Workspace& workspace);

  const RasterImage& previewImage() const { return preview_; }
  // The macro's lines, in list order.
  const std::vector<std::string>& macroList() const;
  // True only while the macro replays.
  bool macroRunning() const { return macroRunning_; }

  // Opening the window and "Reload last image": the preview becomes a copy of the source
  // image, dropping every effect shown on it.
  void Reload();

  // An effect command's button, by its index in kEffectCommands. Outside a replay the
  // preview first becomes a fresh copy of the source image, so clicking commands one after
  // another shows each one alone on the source. An index without a command does nothing.
  void RunCommand(int index);
  // "Add to macro" beside a command: its macro word becomes the macro's last line.
  void AddToMacro(int index);
  // "Clear actual macro".
  void ClearMacro();

  // "Run macro". With at least one line the preview becomes a fresh copy of the source image
  // and each line that is exactly a command's macro word runs in list order, each on the
  // result of the one before; other lines are skipped. An empty macro leaves the preview
  // as it is. `afterLine` runs after every line, while macroRunning() is true, so the
  // window can show the preview growing.
  void RunMacro(const std::function<void()>& afterLine = {});

  // "Show previous image" and "Show next image": the main window's step (StepSourceFile),
  // then the preview becomes a copy of the source image, then the macro replays. The result
  // is the step's: cancelled when it did not act, failed when the file could not be opened.
  FlowResult ShowNeighbour(SourceStep step, const std::function<void()>& afterLine = {});

  // "Save actual macro": the save dialog, then the macro file (WriteMacroFile); a failed
  // write is named in a message and fails the command.
  FlowResult SaveMacroCommand();
  // "Load new macro": the open dialog, then the file's lines replace the macro; a file that
  // cannot be read is named in a message, fails the command and the macro stays as it was.
  FlowResult LoadMacroCommand();

 private:
  std::filesystem::path DialogFolder() const;

  Workspace& workspace_;
  RasterImage preview_;
  bool macroRunning_ = false;
  std::filesystem::path lastMacroFile_;  // the dialogs start in its folder
};

}  // namespace quillstone
