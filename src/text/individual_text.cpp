#include "text/individual_text.h"

#include <unistd.h>

#include <cerrno>

#include "platform/atomic_file.h"
#include "platform/text_file.h"

namespace quillstone {

namespace {

Status SaveError() {
  return Status::Error(std::string(kIndividualTextSaveErrorMessage));
}

// Deletes the file at path; a missing file counts as deleted. Folders are never removed.
bool DeleteFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

}  // namespace

std::string SideFilePath(std::string_view sourceDirectory, std::string_view fileName) {
  std::string path(sourceDirectory);
  if (!path.empty() && path.back() != '/') path += '/';
  path += fileName;
  path += ".txt";
  return path;
}

std::string SideFilePathForImage(std::string_view imagePath) {
  return std::string(imagePath) + ".txt";
}

IndividualText LoadIndividualText(const std::string& path) {
  IndividualText text;
  text.path = path;
  TextFileRead read = ReadTextFileLines(path);
  switch (read.outcome) {
    case TextFileRead::Outcome::kRead:
      text.state = SideFileState::kFound;
      text.lines = std::move(read.lines);
      text.loadedLines = text.lines;
      break;
    case TextFileRead::Outcome::kMissing:
      text.state = SideFileState::kNotFound;
      break;
    case TextFileRead::Outcome::kUnreadable:
      text.state = SideFileState::kUnreadable;
      text.error = std::move(read.error);
      break;
  }
  return text;
}

IndividualText LoadIndividualTextForImage(std::string_view imagePath) {
  return LoadIndividualText(SideFilePathForImage(imagePath));
}

Status SaveIndividualText(IndividualText& text) {
  if (text.path.empty() || text.state == SideFileState::kNone) return Status::Ok();
  if (text.state == SideFileState::kUnreadable) {
    // The file that is there may hold text we could not show; it stays as it is.
    return text.lines.empty() ? Status::Ok() : SaveError();
  }
  if (text.lines.empty()) {
    if (text.state != SideFileState::kFound) return Status::Ok();
    for (int attempt = 0; attempt < 2; ++attempt) {
      if (DeleteFile(text.path)) {
        text.state = SideFileState::kNotFound;
        text.loadedLines.clear();
        return Status::Ok();
      }
    }
    return SaveError();
  }
  if (text.state == SideFileState::kFound && text.lines == text.loadedLines) return Status::Ok();
  const std::string bytes = JoinLinesCrLf(text.lines);
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (WriteFileReplacing(text.path, bytes).ok()) {
      text.state = SideFileState::kFound;
      text.loadedLines = text.lines;
      return Status::Ok();
    }
  }
  return SaveError();
}

void ApplyIndividualText(const IndividualText& text, bool useIndividualText,
                         std::vector<std::string>& watermarkText) {
  if (useIndividualText) watermarkText = text.lines;
}

}  // namespace quillstone
