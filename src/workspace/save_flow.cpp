#include "workspace/save_flow.h"

#include <system_error>

#include "batch/block_keeping.h"
#include "imagefiles/jpeg_block_keeper.h"
#include "imagefiles/output_file.h"
#include "platform/file_checks.h"
#include "workspace/source_browsing.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// The save dialog starts where the pictures come from, unless that is the program's own
// read-only folder (or unknown): then in the user directory.
std::filesystem::path SaveStartDirectory(const Workspace& workspace) {
  const std::string& folder = workspace.sourceDirectory();
  std::error_code error;
  if (folder.empty() || std::filesystem::equivalent(folder, workspace.paths().programDirectory, error))
    return workspace.paths().userDirectory;
  return std::filesystem::path(folder);
}

// The file the current picture was loaded from; empty when there is none.
std::filesystem::path CurrentSourcePath(const Workspace& workspace) {
  if (workspace.currentFileName().empty()) return {};
  return std::filesystem::path(workspace.sourceDirectory()) / workspace.currentFileName();
}

// Whether writing `path` would replace the file the current picture was loaded from.
bool WritesOverCurrentSource(const Workspace& workspace, const std::filesystem::path& path) {
  const std::filesystem::path source = CurrentSourcePath(workspace);
  if (source.empty()) return false;
  std::error_code error;
  const bool same = std::filesystem::equivalent(path, source, error);
  return !error && same;
}

}  // namespace

const std::vector<FileFilter>& ImageSaveFilters() {
  static const std::vector<FileFilter> filters = {
      {"Bitmaps (*.bmp)", "*.bmp"}, {"Jpg (*.jpg)", "*.jpg"}, {"Tiff 6.0 (*.tiff)", "*.tiff"},
      {"Wmf (*.wmf)", "*.wmf"},     {"Png (*.png)", "*.png"}, {"WebP (*.webp)", "*.webp"},
  };
  return filters;
}

OutputFormat SaveFormatFor(const std::filesystem::path& typed, int filterIndex) {
  if (const auto named = FormatFromExtension(typed.filename().string())) return *named;
  const int count = static_cast<int>(ImageSaveFilters().size());
  return static_cast<OutputFormat>(filterIndex >= 0 && filterIndex < count ? filterIndex
                                                                           : kInitialSaveFilter);
}

std::string SaveNameProposal(std::string_view sourceName) {
  if (sourceName.empty()) return {};
  return ReplaceExtension(sourceName, OutputExtension(static_cast<OutputFormat>(kInitialSaveFilter)));
}

std::filesystem::path SavePathFor(const std::filesystem::path& typed, OutputFormat format) {
  return typed.parent_path() / ReplaceExtension(typed.filename().string(), OutputExtension(format));
}

FlowResult SaveInteractive(Workspace& workspace) {
  Prompter& prompter = workspace.prompter();
  if (workspace.watermarkedImage().Empty()) {
    prompter.ShowMessage(kSaveImageTitle, kNothingMarkedMessage, MessageIcon::kError);
    return FlowResult::Failed(std::string(kNothingMarkedMessage));
  }
  if (!workspace.renderError().empty()) {
    prompter.ShowMessage(kSaveImageTitle, workspace.renderError(), MessageIcon::kError);
    return FlowResult::Failed(workspace.renderError());
  }
  const auto choice = prompter.ChooseFileToSaveWithType({std::string(kSaveImageTitle),
                                                         ImageSaveFilters(),
                                                         SaveStartDirectory(workspace),
                                                         SaveNameProposal(workspace.currentFileName()),
                                                         {},
                                                         kInitialSaveFilter});
  if (!choice) return FlowResult::Cancelled();

  // The copy that is written; the marked image on screen and the source are left alone.
  RasterImage image = workspace.watermarkedImage();
  const OrientationSettings& orientation = workspace.settings().orientation;
  // Only a picture that was turned when it was loaded can be turned back.
  const PictureTurn loadTurn = LoadTurn(orientation.orientation, workspace.sourceMetadata().orientation);
  const bool turnBack = !workspace.originalImage().Empty() && !loadTurn.IsIdentity() &&
                        prompter.AskYesNo(kQuestionCaption, kRotateBackQuestion);

  SaveOptions options;  // 24 bits, no sepia
  options.stripMetadata = workspace.saveOptions().stripMetadata;
  options.format = SaveFormatFor(choice->path, choice->filterIndex);
  const std::filesystem::path path = SavePathFor(choice->path, options.format);
  // The dialog confirmed replacing the name it returned, not one with another extension.
  if (path != choice->path && PathExists(path) &&
      !prompter.AskYesNo(kQuestionCaption,
                         path.filename().string() + " already exists.\nDo you want to replace it ?"))
    return FlowResult::Cancelled();
  // Writing over the photo being marked (by its name or through a link) loses the original.
  if (WritesOverCurrentSource(workspace, path) &&
      !prompter.AskYesNo(kQuestionCaption, path.filename().string() + " is the picture being marked." +
                                               std::string(kReplaceSourceQuestion)))
    return FlowResult::Cancelled();

  RasterImage scratch;
  const StorageFormat format =
      PrepareForWriting(image, scratch, options, turnBack ? loadTurn : PictureTurn{});
  if (options.format == OutputFormat::kJpeg) {
    // The preview opens on the quality the last save used; its "Cancel" writes nothing.
    const JpegOptions& batch = workspace.saveOptions().jpeg;
    const auto chosen = prompter.ChooseJpegOptions(
        {image, {workspace.sharedJpegQuality(), batch.greyscale, batch.progressive}, {}, {}});
    if (!chosen) return FlowResult::Cancelled();
    workspace.AcceptJpegPreview(*chosen);
    options.jpeg = *chosen;
    // Like stripping the metadata, keeping the source's blocks is the batch page's switch.
    options.jpeg.keepUntouchedBlocks = workspace.saveOptions().jpeg.keepUntouchedBlocks;
  } else if (options.format == OutputFormat::kPng) {
    const auto png = prompter.ChoosePngOptions();
    if (!png) return FlowResult::Cancelled();
    options.png = *png;
  } else if (options.format == OutputFormat::kWebp) {
    // The quality of the last JPEG save and the batch page's lossless switch.
    options.jpeg.quality = workspace.sharedJpegQuality();
    options.webp = workspace.saveOptions().webp;
  }
  const ImageMetadata metadata = MetadataForOutput(workspace.sourceMetadata(), loadTurn, turnBack);
  RasterImage decodedSource;
  const BlockKeeping keeping = PlanBlockKeepingForSave(
      options, workspace.settings(), CurrentSourcePath(workspace), loadTurn, turnBack, image, decodedSource);
  const JpegBlocksSource kept{
      {reinterpret_cast<const std::uint8_t*>(keeping.file.data()), keeping.file.size()}, decodedSource};
  std::string metadataWarning;
  if (const Status written = WriteOutputFile(image, format, options, path, &metadata, &metadataWarning,
                                             keeping.active ? &kept : nullptr);
      !written) {
    prompter.ShowMessage(kSaveImageTitle, written.message(), MessageIcon::kError);
    return written;
  }
  std::string warnings = keeping.warning;
  if (!metadataWarning.empty()) warnings += (warnings.empty() ? "" : "\n") + metadataWarning;
  if (!warnings.empty()) prompter.ShowMessage(kSaveImageTitle, warnings, MessageIcon::kWarning);
  return FlowResult::Done();
}

FlowResult BatchJpegPreviewCommand(Workspace& workspace) {
  if (workspace.watermarkedImage().Empty()) {
    workspace.prompter().ShowMessage(kJpegPreviewTitle, kNothingMarkedMessage, MessageIcon::kError);
    return FlowResult::Failed(std::string(kNothingMarkedMessage));
  }
  // Each step renders the next file into the same marked image the window shows.
  // It opens on the page's own options, which its "Cancel" leaves as they are.
  const JpegPreviewRequest request{workspace.watermarkedImage(), workspace.saveOptions().jpeg,
                                   [&workspace] { (void)StepSourceFile(workspace, SourceStep::kPrevious); },
                                   [&workspace] { (void)StepSourceFile(workspace, SourceStep::kNext); }};
  const auto chosen = workspace.prompter().ChooseJpegOptions(request);
  if (!chosen) return FlowResult::Cancelled();
  workspace.AcceptJpegPreview(*chosen);
  return FlowResult::Done();
}

}  // namespace quillstone
