#include "workspace/desktop_commands.h"

#include "imagefiles/bmp_writer.h"
#include "imagefiles/size_preset.h"
#include "workspace/prompter.h"
#include "workspace/save_flow.h"
#include "workspace/source_loading.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

constexpr std::string_view kClipboardCaption = "Clipboard";
constexpr std::string_view kWallpaperCaption = "Wallpaper";
constexpr std::string_view kFullViewCaption = "Show image as full view";
constexpr std::string_view kPriorityCaption = "Systempriority";

std::string_view WallpaperQuestion(WallpaperStyle style) {
  switch (style) {
    case WallpaperStyle::kCentered:
      return "Do you really want to use the current picture as centered wallpaper ?";
    case WallpaperStyle::kTiled:
      return "Do you really want to use the current picture as tiled wallpaper ?";
    case WallpaperStyle::kStretched:
      return "Do you really want to use the current picture as stretched wallpaper ?";
  }
  return {};
}

// Writes the marked picture to the user directory; a failure is shown under `caption`.
FlowResult WriteMarked(Workspace& workspace, const char* name, std::string_view caption,
                       std::filesystem::path& file) {
  file = workspace.paths().userDirectory / name;
  if (const Status written = WriteBmp(workspace.watermarkedImage(), file); !written) {
    workspace.prompter().ShowMessage(caption, written.message(), MessageIcon::kError);
    return written;
  }
  return FlowResult::Done();
}

}  // namespace

FlowResult GetImageFromClipboard(Workspace& workspace, ImageClipboard& clipboard) {
  Prompter& prompter = workspace.prompter();
  if (!prompter.AskYesNo(kQuestionCaption, "Do you really want to get an image from the clipboard ?"))
    return FlowResult::Cancelled();
  std::optional<RasterImage> image = clipboard.Image();
  FlowResult result = FlowResult::Cancelled();
  if (image) {
    RasterImage scratch;
    ApplySizePreset(*image, workspace.settings().resize, scratch);
    result = OpenImageAsTemporaryFile(workspace, *image);
    if (result.failed()) prompter.ShowMessage(kClipboardCaption, result.message(), MessageIcon::kError);
  }
  prompter.ShowMessage(kClipboardCaption, kClipboardReminder, MessageIcon::kInformation);
  return result;
}

FlowResult CopyImageToClipboard(Workspace& workspace, ImageClipboard& clipboard) {
  Prompter& prompter = workspace.prompter();
  if (workspace.watermarkedImage().Empty()) return FlowResult::Cancelled();
  if (!prompter.AskYesNo(kQuestionCaption,
                         "Do you really want to copy the current picture to the clipboard ?"))
    return FlowResult::Cancelled();
  const Status copied = clipboard.SetImage(workspace.watermarkedImage());
  if (!copied) prompter.ShowMessage(kClipboardCaption, copied.message(), MessageIcon::kError);
  return copied;
}

FlowResult SetWallpaperCommand(Workspace& workspace, WallpaperService& wallpaper, WallpaperStyle style) {
  Prompter& prompter = workspace.prompter();
  if (const std::string why = wallpaper.Unavailable(); !why.empty()) {
    const std::string message = "The wallpaper cannot be set: " + why;
    prompter.ShowMessage(kWallpaperCaption, message, MessageIcon::kInformation);
    return FlowResult::Failed(message);
  }
  if (workspace.watermarkedImage().Empty()) return FlowResult::Cancelled();
  if (!prompter.AskYesNo(kQuestionCaption, WallpaperQuestion(style))) return FlowResult::Cancelled();
  std::filesystem::path file;
  if (FlowResult written = WriteMarked(workspace, kWallpaperImageName, kWallpaperCaption, file); !written)
    return written;
  const std::optional<Wallpaper> before = wallpaper.Current();
  const std::string uri = WallpaperUri(file);
  const Status set = wallpaper.Apply({uri, uri, std::string(GnomePictureOption(style))});
  if (set) return FlowResult::Done();
  // The desktop may have taken part of it: the old wallpaper goes back whole.
  if (before) (void)wallpaper.Apply(*before);
  const std::string message = "The wallpaper was not set: " + set.message();
  prompter.ShowMessage(kWallpaperCaption, message, MessageIcon::kError);
  return FlowResult::Failed(message);
}

FlowResult ShowFullViewCommand(Workspace& workspace) {
  if (workspace.watermarkedImage().Empty()) return FlowResult::Cancelled();
  std::filesystem::path file;
  if (FlowResult written = WriteMarked(workspace, kFullViewImageName, kFullViewCaption, file); !written)
    return written;
  if (!workspace.opener().Open(file))
    return FlowResult::Failed("the desktop has no program to show " + file.string());
  return FlowResult::Done();
}

ProcessPriority ChangePriorityCommand(Workspace& workspace, PriorityControl& control, ProcessPriority current,
                                      ProcessPriority wanted) {
  if (const Status set = control.Set(wanted); !set) {
    workspace.prompter().ShowMessage(kPriorityCaption,
                                     "The priority stays as it was: " + set.message() +
                                         " (raising it needs a privilege, such as CAP_SYS_NICE)",
                                     MessageIcon::kWarning);
    return current;
  }
  return wanted;
}

}  // namespace quillstone
