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
inline constexpr std::string_view kLoadedImageMask = "*.jpg;*.jpe;*.bmp";

// The types the image and logo open dialogs offer: all images, JPEG, bitmaps.
const std::vector<FileFilter>& ImageOpenFilters();

// Which road an interactive load came by: the open dialog renders only when a picture was
// decoded, a drop renders in any case.
enum class LoadRoad { kOpenDialog, kFileDrop };

// Loads one file as the source image: stores the per-image text of the image left, reads
// the file (turned and resized as set; a JPEG that cannot be decoded leaves no picture, a
// broken bitmap or a file of another kind keeps the one shown), points the source file list
// at the file's folder with the mask "*.jpg;*.jpe;*.bmp" and selects the file (names
// compared without regard to case), makes it the current file, loads its per-image text and
// renders last, so text commands and the per-image text see the new file. The status says
// why the file could not be read; the remaining steps run all the same.
FlowResult LoadSourceImage(Workspace& workspace, const std::filesystem::path& path, LoadRoad road);

// "Load image for watermarking": refreshes the source file list, asks for an image and loads
// it. Cancelled with the dialog, else how reading the file went.
FlowResult LoadImageCommand(Workspace& workspace);

// Files dropped on the window: each one that exists is loaded in the order given, so the
// last ends up current; paths that do not exist are skipped. The status names the files
// that could not be read.
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

// Reloads the current source file from disk, so that a changed orientation or size preset
// applies to a freshly decoded copy: the per-image text is stored, the selected entry of the
// source file list (or, with no selection, the current file when it exists) is read again
// (an unreadable JPEG as the placeholder picture), becomes the current file with its
// per-image text, and is rendered. Cancelled when there is no file to reload.
FlowResult ReloadSourceImage(Workspace& workspace);

}  // namespace quillstone
