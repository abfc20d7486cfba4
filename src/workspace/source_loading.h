#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "workspace/flow_result.h"
#include "workspace/prompter.h"

namespace quillstone {

class Workspace;

inline constexpr std::string_view kLoadImageTitle = "Load an image for watermarking";
inline constexpr std::string_view kLoadLogoTitle = "Load your logo";
// The mask the source file list gets when an image is loaded from the open dialog or a drop.
inline constexpr std::string_view kLoadedImageMask = "*.jpg;*.jpe;*.bmp;*.png;*.tif;*.tiff;*.webp";

// The types the image, logo and texture open dialogs offer: all pictures, JPEG, bitmaps, and
// PNG, TIFF and WebP.
const std::vector<FileFilter>& ImageOpenFilters();

// Loads one file as the source image: reads the file (turned and resized as set), stores
// the per-image text of the image left, points the source file list at the file's folder
// with kLoadedImageMask and selects the file (names compared without regard to
// case), makes it the current file, loads its per-image text and renders last, so text
// commands and the per-image text see the new file. A file that cannot be read changes
// nothing (picture, current file, per-image text and list stay) and the status says why;
// showing it is the caller's.
FlowResult LoadSourceImage(Workspace& workspace, const std::filesystem::path& path);

// "Load image for watermarking": refreshes the source file list, asks for an image and loads
// it. Cancelled with the dialog; a file that cannot be read is named in a message and fails.
FlowResult LoadImageCommand(Workspace& workspace);

// Files dropped on the window: each one that exists is loaded in the order given, so the
// last readable one ends up current; paths that do not exist are skipped. The files that
// could not be read are named in one message, and the status names them too.
FlowResult DropFiles(Workspace& workspace, const std::vector<std::filesystem::path>& paths);

// A file named on the window's command line (a relative path from the working folder),
// loaded before the window first shows: read as a dropped file is, but not rendered, since
// the first activation renders it (and then shows it instead of the sample picture). A
// path that is not a file changes nothing and comes back as an error naming it.
FlowResult LoadStartFile(Workspace& workspace, const std::filesystem::path& path);

// The logo open dialog ("Load your logo"), starting in the folder of the logo file last
// loaded; none when cancelled.
std::optional<std::filesystem::path> ChooseLogoFile(Workspace& workspace);

// "Load your logo": asks for a picture and makes it the logo (with its untouched copy and
// its path as the logo file name), then renders. A file that cannot be read keeps the
// logo, is named in a message and fails the command.
FlowResult LoadLogoCommand(Workspace& workspace);

// The holding file of a picture that comes from no file of the user's (the logo, the
// clipboard), written to the user directory.
inline constexpr const char* kTemporaryImageName = "temp.bmp";

// Makes `image` the source image by way of the holding file: writes it as "temp.bmp" in
// the user directory, stores the per-image text of the image left, makes the holding file
// the current file with the picture as source, points the source file list at the user
// directory (its mask kept) with "temp.bmp" selected, and renders. A failed write changes
// nothing and comes back with its reason.
FlowResult OpenImageAsTemporaryFile(Workspace& workspace, const RasterImage& image);

// Reloads the file of the picture shown, so that a changed orientation or size preset
// applies to a freshly decoded copy: the current file is read again (an unreadable JPEG as
// the placeholder picture), its per-image text stored and loaded again, and rendered. The
// source file list is not consulted, so its selection (a file of the last batch folder, say)
// never takes the place of the picture; a picture from the clipboard or a banner reloads
// from its holding file. A file that can no longer be read changes nothing and gives the
// reason. Cancelled when there is no current file.
FlowResult ReloadSourceImage(Workspace& workspace);

}  // namespace quillstone
