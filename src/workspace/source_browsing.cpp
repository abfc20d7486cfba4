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

Status ChangeSourceDirectory(Workspace& workspace, std::string_view directory) {
  SourceFileList& list = workspace.sourceFiles();
  // A list that was never given masks starts with the default ones.
  return list.Refresh(directory, list.masks().empty() ? std::string_view(kDefaultFileMask) : list.masks());
}

Status ChangeFileMask(Workspace& workspace, std::string_view masks) {
  SourceFileList& list = workspace.sourceFiles();
  return list.Refresh(list.directory(), masks);
}

std::string EnterFileMask(Workspace& workspace, std::string_view typed) {
  std::string masks = NormalizeMaskEntry(typed);
  (void)ChangeFileMask(workspace, masks);
  return masks;
}

bool PreviewFile(Workspace& workspace, RasterImage& preview, Status* error) {
  const SourceFileList& list = workspace.sourceFiles();
  if (!list.SelectedName()) return false;
  workspace.sourceHistory().Add(list.directory());
  const Status status = DecodeListedImage(list.SelectedPath(), workspace.paths().programDirectory, preview);
  if (error != nullptr) *error = status;
  return true;
}

Status OpenSelectedFile(Workspace& workspace) {
  const SourceFileList& list = workspace.sourceFiles();
  const std::optional<std::string> name = list.SelectedName();
  if (!name) return Status::Error("no file is selected");
  const std::filesystem::path path = list.SelectedPath();
  workspace.SaveCurrentIndividualText();
  const SourceImageRead read = workspace.ReadSourceFile(path, UnreadableJpeg::kPlaceholder);
  // A bitmap that cannot be read and a file of no known kind left the picture shown as it was.
  if (!read.status && ImageFileKindFor(path) != ImageFileKind::kJpeg) return read.status;
  // The per-image text of the new file is in place before the render, so the text commands
  // and the per-image text see the new file.
  workspace.SetCurrentFile(*name, list.directory());
  workspace.Render();
  return read.placeholder ? Status::Ok() : read.status;
}

bool StepSourceFile(Workspace& workspace, SourceStep step, Status* error) {
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
  if (!acts) return false;
  const Status status = OpenSelectedFile(workspace);
  if (error != nullptr) *error = status;
  return true;
}

bool ConvertImagesCommand(Workspace& workspace, Prompter& prompter) {
  if (!prompter.AskYesNo(kBatchQuestionCaption, kConvertImagesQuestion)) return false;
  WatermarkSettings& settings = workspace.settings().watermark;
  settings.frame.outerOn = false;
  settings.frame.innerOn = false;
  settings.texture.enabled = false;
  settings.action = WatermarkAction::kPlaceLogo;
  settings.logo.places.fill(false);
  settings.combination = CombinationOrder::kActive;
  workspace.Render();
  return true;
}

bool ChooseSourceHistoryEntry(Workspace& workspace, Prompter& prompter, int index) {
  const std::optional<std::string> entry = workspace.sourceHistory().EntryAt(index);
  if (!entry) return false;
  if (!IsDirectory(*entry)) {
    prompter.ShowMessage(kHistoryErrorCaption, kSourceDirectoryGoneMessage, MessageIcon::kError);
    return false;
  }
  (void)ChangeSourceDirectory(workspace, *entry);
  return true;
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
