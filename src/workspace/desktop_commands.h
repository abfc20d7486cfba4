#pragma once

#include <filesystem>
#include <string_view>

#include "platform/image_clipboard.h"
#include "platform/process_priority.h"
#include "platform/wallpaper.h"
#include "workspace/flow_result.h"

namespace quillstone {

class Workspace;

// The working files the desktop commands write to the user directory.
inline constexpr const char* kWallpaperImageName = "wallpaper.bmp";
inline constexpr const char* kFullViewImageName = "temp2.bmp";

inline constexpr std::string_view kClipboardReminder =
    "Please save your clipboard image before you like to work with it !";

// "Get image from the clipboard [bitmap]": on Yes a picture on the clipboard, resized by
// the size preset (it is not turned), becomes the source image through the holding file
// "temp.bmp" (OpenImageAsTemporaryFile) and is rendered. The reminder to save it follows
// whether or not the clipboard held a picture. Cancelled on No or without a picture;
// failed (and shown) when the holding file could not be written.
FlowResult GetImageFromClipboard(Workspace& workspace, ImageClipboard& clipboard);

// "Copy image to the clipboard [bitmap]": on Yes the marked picture goes to the clipboard;
// a refusal is shown.
FlowResult CopyImageToClipboard(Workspace& workspace, ImageClipboard& clipboard);

// The three wallpaper entries. Where the desktop offers no way to set it, a message says
// why (failed) and nothing is asked. On Yes the marked picture is written as "wallpaper.bmp" to the
// user directory and handed to the desktop in the style asked; when the desktop refuses
// it, the wallpaper it had before is set again and the reason is shown (failed).
FlowResult SetWallpaperCommand(Workspace& workspace, WallpaperService& wallpaper, WallpaperStyle style);

// "Show image as full view": writes the marked picture as "temp2.bmp" to the user
// directory and hands it to the desktop's default program (the workspace's opener).
// Cancelled when there is nothing to show; failed when it could not be written (shown) or
// the desktop could not open it (not shown: the window then shows the picture itself).
FlowResult ShowFullViewCommand(Workspace& workspace);

// The "Systempriority" entries: sets the priority and gives the one in force afterwards,
// `current` when the system refused (said in a message), so the check mark stays there.
ProcessPriority ChangePriorityCommand(Workspace& workspace, PriorityControl& control, ProcessPriority current,
                                      ProcessPriority wanted);

}  // namespace quillstone
