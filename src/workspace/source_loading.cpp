#include "workspace/source_loading.h"

#include <system_error>

#include "batch/file_mask.h"
#include "imagefiles/bmp_writer.h"
#include "platform/file_checks.h"
#include "workspace/source_browsing.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// The file's folder and name as the workspace keeps them: an absolute folder, so that the
// source file list and the per-image text do not depend on the working directory.
struct FileParts {
  std::string directory;
  std::string name;
};

FileParts SplitPath(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) absolute = path;
  return {absolute.parent_path().string(), absolute.filename().string()};
}

}  // namespace

const std::vector<FileFilter>& ImageOpenFilters() {
  const std::string more = kMorePicturesMask;
  static const std::vector<FileFilter> filters = {
      {"All (*.jpg;*.jpe;*.jpeg;*.bmp;" + more + ")", "*.jpg;*.jpe;*.jpeg;*.bmp;" + more},
      {"Jpg (*.jpg;*.jpe;*.jpeg)", "*.jpg;*.jpe;*.jpeg"},
      {"Bitmaps (*.bmp)", "*.bmp"},
      {"Png, Tiff and WebP (" + more + ")", more},
  };
  return filters;
}

FlowResult LoadSourceImage(Workspace& workspace, const std::filesystem::path& path) {
  if (const Status read = workspace.ReadSourceFile(path, UnreadableJpeg::kRefused).status; !read) return read;
  workspace.SaveCurrentIndividualText();
  const FileParts parts = SplitPath(path);
  SourceFileList& list = workspace.sourceFiles();
  // A folder that cannot be listed leaves the list empty; the picture is loaded all the same.
  (void)list.Refresh(parts.directory, kLoadedImageMask);
  (void)list.SelectName(parts.name);
  workspace.SetCurrentFile(parts.name, parts.directory);
  workspace.Render();
  return FlowResult::Done();
}

FlowResult LoadImageCommand(Workspace& workspace) {
  SourceFileList& list = workspace.sourceFiles();
  if (!list.directory().empty()) (void)list.Refresh(list.directory(), list.masks());
  const std::string& folder = workspace.sourceDirectory();
  const std::filesystem::path start =
      folder.empty() ? workspace.paths().userDirectory : std::filesystem::path(folder);
  const auto path = workspace.prompter().ChooseFileToOpen(
      {std::string(kLoadImageTitle), ImageOpenFilters(), start, {}, {}});
  if (!path) return FlowResult::Cancelled();
  const FlowResult loaded = LoadSourceImage(workspace, *path);
  if (loaded.failed())
    workspace.prompter().ShowMessage(kLoadImageTitle, loaded.message(), MessageIcon::kError);
  return loaded;
}

FlowResult DropFiles(Workspace& workspace, const std::vector<std::filesystem::path>& paths) {
  std::string failures;
  for (const std::filesystem::path& path : paths) {
    if (!IsRegularFile(path)) continue;
    if (const FlowResult read = LoadSourceImage(workspace, path); !read) {
      failures += failures.empty() ? read.message() : "\n" + read.message();
    }
  }
  if (failures.empty()) return FlowResult::Done();
  workspace.prompter().ShowMessage(kLoadImageTitle, failures, MessageIcon::kError);
  return FlowResult::Failed(failures);
}

FlowResult LoadStartFile(Workspace& workspace, const std::filesystem::path& path) {
  if (!IsRegularFile(path)) {
    return FlowResult::Failed("cannot open " + path.string() +
                              (PathExists(path) ? ": not a file" : ": no such file"));
  }
  const bool renderEnabled = workspace.renderEnabled();
  workspace.SetRenderEnabled(false);
  const FlowResult read = LoadSourceImage(workspace, path);
  workspace.SetRenderEnabled(renderEnabled);
  return read;
}

std::optional<std::filesystem::path> ChooseLogoFile(Workspace& workspace) {
  const std::string& logoFile = workspace.settings().logoFileName;
  const std::filesystem::path start =
      logoFile.empty() ? workspace.paths().userDirectory : std::filesystem::path(logoFile).parent_path();
  return workspace.prompter().ChooseFileToOpen(
      {std::string(kLoadLogoTitle), ImageOpenFilters(), start, {}, {}});
}

FlowResult LoadLogoCommand(Workspace& workspace) {
  const auto path = ChooseLogoFile(workspace);
  if (!path) return FlowResult::Cancelled();
  if (const Status loaded = workspace.LoadLogo(*path); !loaded) {
    workspace.prompter().ShowMessage(kLoadLogoTitle, loaded.message(), MessageIcon::kError);
    return loaded;
  }
  workspace.Render();
  return FlowResult::Done();
}

FlowResult OpenImageAsTemporaryFile(Workspace& workspace, const RasterImage& image) {
  const std::filesystem::path& folder = workspace.paths().userDirectory;
  if (Status written = WriteBmp(image, folder / kTemporaryImageName); !written) return written;
  // SetSourceImage stores the per-image text of the image left.
  workspace.SetSourceImage(image, kTemporaryImageName, folder.string());
  SourceFileList& list = workspace.sourceFiles();
  const std::string masks = list.masks().empty() ? std::string(kLoadedImageMask) : list.masks();
  (void)list.Refresh(folder.string(), masks);
  (void)list.SelectName(kTemporaryImageName);
  workspace.Render();
  return FlowResult::Done();
}

FlowResult ReloadSourceImage(Workspace& workspace) {
  if (workspace.currentFileName().empty() || workspace.sourceDirectory().empty())
    return FlowResult::Cancelled();
  const std::filesystem::path current =
      std::filesystem::path(workspace.sourceDirectory()) / workspace.currentFileName();
  const SourceImageRead read = workspace.ReadSourceFile(current, UnreadableJpeg::kPlaceholder);
  if (!read.status && !read.placeholder) return read.status;
  // The per-image text is in place before the render, so the render draws this file's.
  workspace.SaveCurrentIndividualText();
  workspace.SetCurrentFile(workspace.currentFileName(), workspace.sourceDirectory());
  workspace.Render();
  return read.status;
}

}  // namespace quillstone
