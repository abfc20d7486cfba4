#include "batch/source_file_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "batch/directory_text.h"
#include "batch/file_mask.h"
#include "imaging/ascii_case.h"

namespace quillstone {

bool FileNameLess(std::string_view a, std::string_view b) {
  const int folded = CompareIgnoringCase(a, b);
  return folded != 0 ? folded < 0 : a < b;
}

Status ListMatchingFiles(std::string_view directory, std::string_view masks,
                         std::vector<std::string>& names) {
  names.clear();
  std::error_code error;
  std::filesystem::directory_iterator it(std::filesystem::path(directory), error);
  if (error) return Status::Error("cannot list " + std::string(directory) + ": " + error.message());
  for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.' || !MatchesFileMask(name, masks)) continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    names.push_back(std::move(name));
  }
  if (error) {
    names.clear();
    return Status::Error("cannot list " + std::string(directory) + ": " + error.message());
  }
  std::sort(names.begin(), names.end(), FileNameLess);
  return Status::Ok();
}

Status SourceFileList::Refresh(std::string_view directory, std::string_view masks) {
  const std::optional<std::string> previous = SelectedName();
  directory_ = WithTrailingSlash(directory);
  masks_ = std::string(masks);
  Status status = ListMatchingFiles(directory_, masks_, names_);
  KeepSelection(previous);
  return status;
}

void SourceFileList::SetNames(std::vector<std::string> names) {
  const std::optional<std::string> previous = SelectedName();
  names_ = std::move(names);
  std::sort(names_.begin(), names_.end(), FileNameLess);
  KeepSelection(previous);
}

void SourceFileList::KeepSelection(const std::optional<std::string>& previous) {
  selected_ = names_.empty() ? -1 : 0;
  if (previous) SelectName(*previous);
}

bool SourceFileList::Select(int index) {
  if (index < 0 || index >= count()) return false;
  selected_ = index;
  return true;
}

bool SourceFileList::SelectName(std::string_view name) {
  // An entry with exactly this spelling wins over one that differs in letter case only.
  const auto exact = std::find(names_.begin(), names_.end(), name);
  if (exact != names_.end()) return Select(static_cast<int>(exact - names_.begin()));
  for (int i = 0; i < count(); ++i) {
    if (SameFileName(names_[static_cast<std::size_t>(i)], name)) return Select(i);
  }
  return false;
}

std::optional<std::string> SourceFileList::SelectedName() const {
  if (selected_ < 0 || selected_ >= count()) return std::nullopt;
  return names_[static_cast<std::size_t>(selected_)];
}

std::string SourceFileList::SelectedPath() const {
  const std::optional<std::string> name = SelectedName();
  return name ? directory_ + *name : std::string();
}

bool SourceFileList::StepPrevious() {
  if (!SelectedName()) return false;
  return Select(selected_ == 0 ? count() - 1 : selected_ - 1);
}

bool SourceFileList::StepNext() {
  if (names_.empty()) return false;
  return Select(!SelectedName() || selected_ == count() - 1 ? 0 : selected_ + 1);
}

bool SourceFileList::StepReload() {
  return SelectedName().has_value();
}

std::string SourceFileList::CountLabel() const {
  return std::to_string(count()) + " file(s)";
}

std::string SourceFileList::PositionLabel() const {
  return std::to_string(selected_ + 1) + "/" + std::to_string(count());
}

}  // namespace quillstone
