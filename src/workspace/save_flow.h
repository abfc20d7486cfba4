#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "imagefiles/output_name.h"
#include "imaging/status.h"
#include "workspace/flow_result.h"
#include "workspace/prompter.h"

namespace quillstone {

class Workspace;

inline constexpr std::string_view kSaveImageTitle = "Save watermarked image";
inline constexpr std::string_view kJpegPreviewTitle = "Jpeg compression preview";
inline constexpr std::string_view kNothingMarkedMessage = "There is no watermarked image yet.";
inline constexpr std::string_view kQuestionCaption = "Question";
inline constexpr std::string_view kReplaceSourceQuestion =
    "\nDo you want to replace the original with the watermarked image ?";
inline constexpr std::string_view kRotateBackQuestion =
    "Do you want to rotate the image back to it's original alignment,\nbefore saving ?";

// The types of the save dialog, in the order of the output formats: bitmap, JPEG, TIFF,
// metafile, PNG, WebP. The dialog starts on JPEG.
const std::vector<FileFilter>& ImageSaveFilters();
inline constexpr int kInitialSaveFilter = static_cast<int>(OutputFormat::kJpeg);

// The format a save writes: the one the typed extension names (".bmp", ".jpg", ".tif",
// ".wmf", ".png", ".webp" in any case), else the type chosen in the dialog (so ".jpeg" and ".tiff"
// keep the chosen type).
OutputFormat SaveFormatFor(const std::filesystem::path& typed, int filterIndex);

// The name the save dialog proposes: the source's name with the extension of the type it
// starts on ("holiday.JPEG" gives "holiday.jpg"); the dialog changes the extension with the
// type chosen. Empty when there is no source file.
std::string SaveNameProposal(std::string_view sourceName);

// The file a save writes: the typed name with its extension replaced by the format's (or the
// format's appended when the name has none), in the folder chosen.
std::filesystem::path SavePathFor(const std::filesystem::path& typed, OutputFormat format);

// "Save watermarked image": refuses, with the reason, while the last render was refused;
// asks for a file (proposing SaveNameProposal in the source's folder) and a type; for a turned source,
// whether to turn the marked image back first (only the written copy is turned: the source and the marked
// image stay as they are, so the next render marks the source once); asks before replacing
// an existing file other than the one the dialog confirmed (the extension may change), and
// before replacing the file the picture being marked was loaded from (by its name or through
// a link); then for JPEG shows the compression preview, opened on the shared quality (its
// "OK" makes its choice the shared one and the batch page's), and for PNG the options
// window; Cancel in either writes nothing. WebP is written at the shared JPEG quality with
// the batch page's lossless switch. Writes through
// PrepareForWriting and WriteOutputFile at 24 bits, without depth reduction or sepia; a JPEG
// on the source's blocks when the batch page's "Keep untouched JPEG blocks" is on and
// PlanBlockKeepingForSave allows it, else the ordinary way with a warning that says why. A
// failed write is shown with its reason. Done when a file was written.
FlowResult SaveInteractive(Workspace& workspace);

// The batch page's "Preview": the compression preview on the marked image, whose "Prev.
// image" and "Next image" step through the source file list. It opens on the batch page's
// JPEG options; "OK" sets them and the shared JPEG quality, "Cancel" changes neither (the
// files stepped to stay open). Failed, with a message, when nothing is marked.
FlowResult BatchJpegPreviewCommand(Workspace& workspace);

}  // namespace quillstone
