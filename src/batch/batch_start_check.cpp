#include "batch/batch_start_check.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "batch/directory_text.h"
#include "imagefiles/output_name.h"
#include "imaging/ascii_case.h"

namespace quillstone {

namespace {

// The canonical form of a directory text: links and "." / ".." resolved as far as the
// path exists; empty when even that fails.
std::filesystem::path CanonicalDirectory(std::string_view text) {
  std::error_code error;
  std::filesystem::path path =
      std::filesystem::weakly_canonical(std::filesystem::path(std::string(text)), error);
  if (error) return {};
  // "dir/" and "dir" are the same directory; drop the empty last element of the first.
  if (!path.has_filename() && path.has_parent_path() && path != path.root_path()) path = path.parent_path();
  return path;
}

}  // namespace

std::string BatchPrefix(std::string_view typed) {
  return std::string(TrimAsciiSpace(typed));
}

bool SameDirectory(std::string_view a, std::string_view b) {
  // Letter case tells folders apart here: "s1" and "S1" are two folders unless the file
  // system says they are one (a case-folding mount), which the identity check finds.
  if (WithTrailingSlash(a) == WithTrailingSlash(b)) return true;
  const std::filesystem::path canonicalA = CanonicalDirectory(a);
  const std::filesystem::path canonicalB = CanonicalDirectory(b);
  if (!canonicalA.empty() && canonicalA == canonicalB) return true;
  // The same directory reached through a bind mount or a hard-linked path.
  std::error_code error;
  const bool same = std::filesystem::equivalent(std::string(a), std::string(b), error);
  return !error && same;
}

std::string SourceFolderOf(std::string_view sourceDirectory, std::string_view name) {
  const std::string_view folderPart = name.substr(0, name.size() - FileNamePart(name).size());
  const std::string folder = WithTrailingSlash(sourceDirectory) + std::string(folderPart);
  return folder.empty() ? std::string("./") : folder;
}

Status CheckBatchStart(const BatchJob& job) {
  if (TrimAsciiSpace(job.destinationDirectory).empty())
    return Status::Error(std::string(kNoDestinationMessage));
  // Each folder the run reads from once: a folder's listing has one, a list of files many.
  std::set<std::string> folders;
  if (!job.sourceDirectory.empty()) folders.insert(WithTrailingSlash(job.sourceDirectory));
  for (const std::string& name : job.names) folders.insert(SourceFolderOf(job.sourceDirectory, name));
  for (const std::string& folder : folders) {
    if (SameDirectory(folder, job.destinationDirectory))
      return Status::Error(std::string(kSameDirectoryMessage));
  }
  if (job.names.empty()) return Status::Error(std::string(kNoImagesMessage));
  std::error_code error;
  if (!std::filesystem::is_directory(job.destinationDirectory, error)) {
    return Status::Error(std::string(kMissingDestinationMessage));
  }
  return CheckOutputPrefix(BatchPrefix(job.prefix));
}

std::string OneLineMessage(std::string_view message) {
  std::string line;
  bool pendingBlank = false;
  for (const char c : message) {
    if (c == '\r' || c == '\n') {
      pendingBlank = !line.empty();
      continue;
    }
    if (pendingBlank && c != ' ') line += ' ';
    pendingBlank = false;
    line += c;
  }
  return line;
}

}  // namespace quillstone
