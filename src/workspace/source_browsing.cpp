#include "workspace/source_browsing.h"

#include <utility>

#include "batch/batch_start_check.h"
#include "batch/directory_text.h"
#include "batch/file_mask.h"
#include "batch/source_file_list.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/orientation.h"
#include "imagefiles/size_preset.h"
#include "platform/file_checks.h"
#include "platform/program_directory.h"
#include "workspace/prompter.h"
#include "workspace/workspace.h"

namespace quillstone {

Status DecodeListedImage(const std::filesystem::path& file, const std::filesystem::path& programDirectory,
                         RasterImage& image) {
  RasterImage decoded;
  const SourceImageRead read = DecodeSourceImage(file, programDirectory / kPlaceholderImageName, decoded);
  if (!read.status && !read.placeholder) return read.status;
  image = std::move(decoded);
  return Status::Ok();
}

FlowResult ChangeSourceDirectory(Workspace& workspace, std::string_view directory) {
  SourceFileList& list = workspace.sourceFiles();
  // A list that was never given masks starts with the default ones.
  return list.Refresh(directory, list.masks().empty() ? std::string_view(kDefaultFileMask) : list.masks());
}

FlowResult ChangeFileMask(Workspace& workspace, std::string_view masks) {
  SourceFileList& list = workspace.sourceFiles();
  return list.Refresh(list.directory(), masks);
}

std::string EnterFileMask(Workspace& workspace, std::string_view typed) {
  std::string masks = NormalizeMaskEntry(typed);
  (void)ChangeFileMask(workspace, masks);
  return masks;
}

FlowResult PreviewFile(Workspace& workspace, RasterImage& preview) {
  const SourceFileList& list = workspace.sourceFiles();
  if (!list.SelectedName()) return FlowResult::Cancelled();
  workspace.sourceHistory().Add(list.directory());
  return DecodeListedImage(list.SelectedPath(), workspace.paths().programDirectory, preview);
}

FlowResult OpenSelectedFile(Workspace& workspace) {
  const SourceFileList& list = workspace.sourceFiles();
  const std::optional<std::string> name = list.SelectedName();
  if (!name) return FlowResult::Failed("no file is selected");
  const std::filesystem::path path = list.SelectedPath();
  const SourceImageRead read = workspace.ReadSourceFile(path, UnreadableJpeg::kPlaceholder);
  // A file that cannot be read (and has no placeholder) left the picture shown as it was.
  if (!read.status && !read.placeholder) return read.status;
  workspace.SaveCurrentIndividualText();
  // The per-image text of the new file is in place before the render, so the text commands
  // and the per-image text see the new file.
  workspace.SetCurrentFile(*name, list.directory());
  workspace.Render();
  return read.placeholder ? Status::Ok() : read.status;
}

FlowResult StepSourceFile(Workspace& workspace, SourceStep step) {
  SourceFileList& list = workspace.sourceFiles();
  bool acts = false;
  switch (step) {
    case SourceStep::kPrevious:
      acts = list.StepPrevious();
      break;
    case SourceStep::kNext:
      acts = list.StepNext();
      break;
    case SourceStep::kReload:
      acts = list.StepReload();
      break;
  }
  if (!acts) return FlowResult::Cancelled();
  return OpenSelectedFile(workspace);
}

FlowResult ConvertImagesCommand(Workspace& workspace, Prompter& prompter) {
  if (!prompter.AskYesNo(kBatchQuestionCaption, kConvertImagesQuestion)) return FlowResult::Cancelled();
  WatermarkSettings& settings = workspace.settings().watermark;
  settings.frame.outerOn = false;
  settings.frame.innerOn = false;
  settings.texture.enabled = false;
  settings.action = WatermarkAction::kPlaceLogo;
  settings.logo.places.fill(false);
  settings.combination = CombinationOrder::kActive;
  workspace.Render();
  return FlowResult::Done();
}

FlowResult ChooseSourceHistoryEntry(Workspace& workspace, Prompter& prompter, int index) {
  const std::optional<std::string> entry = workspace.sourceHistory().EntryAt(index);
  if (!entry) return FlowResult::Cancelled();
  if (!IsDirectory(*entry)) {
    prompter.ShowMessage(kHistoryErrorCaption, kSourceDirectoryGoneMessage, MessageIcon::kError);
    return FlowResult::Failed(std::string(kSourceDirectoryGoneMessage));
  }
  (void)ChangeSourceDirectory(workspace, *entry);
  return FlowResult::Done();
}

std::optional<std::string> ChooseDestinationHistoryEntry(Workspace& workspace, Prompter& prompter,
                                                         int index) {
  const std::optional<std::string> entry = workspace.destinationHistory().EntryAt(index);
  if (!entry) return std::nullopt;
  if (!IsDirectory(*entry)) {
    prompter.ShowMessage(kHistoryErrorCaption, kDestinationDirectoryGoneMessage, MessageIcon::kError);
    return std::nullopt;
  }
  return entry;
}

}  // namespace quillstone
