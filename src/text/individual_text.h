#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "imaging/status.h"

namespace quillstone {

// What became of the last load of a side file.
enum class SideFileState {
  kNone,        // nothing loaded yet
  kFound,       // the side file was read ("Text found")
  kNotFound,    // there was no side file ("Text not found")
  kUnreadable,  // a side file is there but could not be read ("Text not found"); it is
                // left alone by SaveIndividualText
};

// The per-image text of one image: the lines of its side file as the user edits them.
// Lines are hard lines (as typed or read), never pieces of a display wrap.
struct IndividualText {
  std::string path;                      // the side file these lines belong to
  std::vector<std::string> lines;        // the text being edited
  std::vector<std::string> loadedLines;  // the lines as read, to see whether they changed
  SideFileState state = SideFileState::kNone;
  std::string error;  // why a side file that is there could not be read (kUnreadable)
  friend bool operator==(const IndividualText&, const IndividualText&) = default;
};

// The message box a failed save shows.
inline constexpr std::string_view kIndividualTextSaveErrorCaption = "Save Error";
inline constexpr std::string_view kIndividualTextSaveErrorMessage = "Unable to save the individual text !";

// The side file of an image in the source directory: directory, "/" unless it ends with
// one, the file name with its extension, ".txt" ("beach.jpg" has "beach.jpg.txt").
std::string SideFilePath(std::string_view sourceDirectory, std::string_view fileName);

// The side file of an image given by its full path (the batch run): path + ".txt".
std::string SideFilePathForImage(std::string_view imagePath);

// Reads the side file at path (UTF-8, other bytes as Latin-1; any line break). A missing
// file gives kNotFound, a file that is there but cannot be read kUnreadable; both without
// lines.
IndividualText LoadIndividualText(const std::string& path);

// The batch form: the side file of the image at imagePath.
IndividualText LoadIndividualTextForImage(std::string_view imagePath);

// Stores the edited lines in the side file text.path, one retry when it fails:
//  - lines left: written with CR LF line ends (through a temporary file and a rename);
//    nothing is written when they equal the lines as loaded;
//  - no lines: the side file is deleted if one was loaded from it; a missing file is no
//    error, and a file that was not there at load time is not touched;
//  - a side file that could not be read (kUnreadable) is never deleted or overwritten;
//    lines typed for it are refused with the error.
// After a write or delete, text records the new state of the file (kFound with the lines
// as loaded lines, or kNotFound), so a later save compares with what is on disk. The error
// carries kIndividualTextSaveErrorMessage; the caller shows it with
// kIndividualTextSaveErrorCaption and goes on.
Status SaveIndividualText(IndividualText& text);

// When useIndividualText is on, the watermark text becomes a copy of the per-image lines
// (no lines when the side file was not found, so the image gets no text).
void ApplyIndividualText(const IndividualText& text, bool useIndividualText,
                         std::vector<std::string>& watermarkText);

}  // namespace quillstone
