#pragma once

#include <string>
#include <string_view>

#include "batch/batch_job.h"
#include "imaging/status.h"

namespace quillstone {

// The texts of the batch page's message boxes. Refusals use the caption "Stop" with an
// error icon; the two questions the caption "Question" with Yes and No.
inline constexpr std::string_view kBatchStopCaption = "Stop";
inline constexpr std::string_view kBatchQuestionCaption = "Question";
inline constexpr std::string_view kStartBatchQuestion = "Do you really want to start the BATCH ?";
inline constexpr std::string_view kStopBatchQuestion = "Do you really want to stop the BATCH ?";
inline constexpr std::string_view kBatchReadyText = "Ready";
inline constexpr std::string_view kNoDestinationMessage =
    "Please select a destination directory for your watermarked images !";
inline constexpr std::string_view kSameDirectoryMessage =
    "The destinationdirectory for your watermarked images is\n"
    "identical to the sourcedirectory of your original images !\n\n"
    "Please select an other destination directory.\n\n";
inline constexpr std::string_view kNoImagesMessage =
    "No images found for watermarking !\n\nPlease select an other sourcedirectory !";
inline constexpr std::string_view kMissingDestinationMessage =
    "The destination directory does not exist !\n\nPlease select an existing directory.";

// The prefix a run uses: the typed text without surrounding blanks ("  web_ " -> "web_").
std::string BatchPrefix(std::string_view typed);

// Whether two directory texts name the same directory: equal with a trailing '/' added,
// or, since a symbolic link or ".." can spell one directory in many ways, when their
// canonical paths are equal or both name the same existing directory (device and inode).
// Letter case counts: "s1" and "S1" are different folders unless they are one file.
bool SameDirectory(std::string_view a, std::string_view b);

// The folder a listed name is read from: the source directory with the name's own folder
// part, "./" for a bare name without a source directory. Ends in '/'.
std::string SourceFolderOf(std::string_view sourceDirectory, std::string_view name);

// The checks before a run, in this order; the first that fails gives its message:
//  1. the destination, without surrounding blanks, is empty (kNoDestinationMessage);
//  2. the destination is the source directory, or the folder of any listed name
//     (SameDirectory; kSameDirectoryMessage);
//  3. there are no images (kNoImagesMessage);
//  4. the destination is not an existing directory (kMissingDestinationMessage), so that a
//     mistyped folder is not found out item by item;
//  5. the prefix holds "/" or ".." and would write outside the destination.
Status CheckBatchStart(const BatchJob& job);

// A message of the checks on one line, for standard error: each run of line breaks
// becomes one blank, and the text ends without one.
std::string OneLineMessage(std::string_view message);

}  // namespace quillstone
