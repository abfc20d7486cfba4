#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "workspace/flow_result.h"

namespace quillstone {

class Prompter;
class Workspace;

// Texts of the source browser, the history menu and "Convert images".
inline constexpr std::string_view kSelectDirectoryCaption = "Select directory";
inline constexpr std::string_view kHistoryErrorCaption = "ERROR";
inline constexpr std::string_view kSourceDirectoryGoneMessage = "Sourcedirectory does not longer exist !";
inline constexpr std::string_view kDestinationDirectoryGoneMessage =
    "Destinationdirectory does not longer exist !";
inline constexpr std::string_view kConvertImagesQuestion =
    "Do you really want to convert images ?\n"
    "All options are going to be deactivated and\n"
    "the page \"Image batch run\" will be activated !\n";

// The steps of "&Previous", "&Next" and "Reload".
enum class SourceStep { kPrevious, kNext, kReload };

// Decodes a file of the source list into `image` (24 bits). A JPEG that cannot be decoded
// gives the placeholder picture of the program directory instead, and the result is Ok.
// A bitmap that cannot be read, or a name of no known kind, leaves `image` as it was and
// returns the reason.
Status DecodeListedImage(const std::filesystem::path& file, const std::filesystem::path& programDirectory,
                         RasterImage& image);

// Lists `directory` with the list's masks (kDefaultFileMask before any were given); the
// selection stays on its name while listed.
// A folder that cannot be read empties the list and returns the reason.
FlowResult ChangeSourceDirectory(Workspace& workspace, std::string_view directory);
// Gives the list these masks (a preset or a filter) and lists the folder again.
FlowResult ChangeFileMask(Workspace& workspace, std::string_view masks);
// Enter in the mask field: the typed text as NormalizeMaskEntry makes it becomes the
// list's masks. Returns the masks, which the field then shows.
std::string EnterFileMask(Workspace& workspace, std::string_view typed);

// A single click on an entry: the source folder goes to the top of the source history and
// the selected file is decoded into `preview` (DecodeListedImage). Cancelled when no entry
// is selected; failed, with `preview` as it was, when the file cannot be decoded. The file
// being marked is not changed.
FlowResult PreviewFile(Workspace& workspace, RasterImage& preview);

// A double click, and the end of every step: the selected file becomes the source image
// (placeholder for an unreadable JPEG), turned and resized as chosen, with its per-image
// text, and is rendered. A bitmap that cannot be read, a file of no known kind, or a JPEG
// whose placeholder cannot be read either, changes nothing and gives the reason.
FlowResult OpenSelectedFile(Workspace& workspace);

// "&Previous", "&Next" or "Reload": stores the current per-image text, moves the selection
// (Previous from the first entry to the last, Next from the last or from no selection to
// the first) and opens the entry. Cancelled when the step does not act (an empty list, or
// no selection for Previous and Reload), else how the open went.
FlowResult StepSourceFile(Workspace& workspace, SourceStep step);

// "Convert images": after Yes to the question the frames and the image expansion are
// switched off, the action is "Place logo" at no place and the combination is the single
// action, so a run only converts format, size and orientation; then one render. Cancelled
// by No.
FlowResult ConvertImagesCommand(Workspace& workspace, Prompter& prompter);

// An entry of the source history: an existing folder becomes the source folder; for a
// folder that is gone the user is told so ("ERROR"), nothing changes and the command fails.
FlowResult ChooseSourceHistoryEntry(Workspace& workspace, Prompter& prompter, int index);
// An entry of the destination history: the folder when it still exists; otherwise the user
// is told so and none is returned.
std::optional<std::string> ChooseDestinationHistoryEntry(Workspace& workspace, Prompter& prompter, int index);

}  // namespace quillstone
