#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/status.h"

namespace quillstone {

// The order of the source file list: names compared byte by byte with ASCII letters folded
// to lower case ("a.jpg" < "B.jpg" < "c.jpg", "IMG_10" < "IMG_9"); names equal apart from
// letter case in plain byte order (upper case first).
bool FileNameLess(std::string_view a, std::string_view b);

// The names (with extension, no directory) of the files in directory that match the masks
// (MatchesFileMask), sorted by FileNameLess. Regular files only, links to regular files
// included; hidden names (starting with '.') are left out. A directory that cannot be
// read gives an error and no names.
Status ListMatchingFiles(std::string_view directory, std::string_view masks, std::vector<std::string>& names);

// The source file list of the batch page: a directory, a mask, the matching names and the
// selected entry, with the previous / next / reload stepping of the main page.
class SourceFileList {
 public:
  // Re-reads the directory with the masks. The selection stays on the same name when it is
  // still listed, else goes to the first entry (none when the list is empty). When the
  // directory cannot be read the list becomes empty and the error is returned.
  Status Refresh(std::string_view directory, std::string_view masks);
  // Replaces the names (sorted here) with the same selection rule as Refresh.
  void SetNames(std::vector<std::string> names);

  const std::string& directory() const { return directory_; }  // ends in '/', or empty
  const std::string& masks() const { return masks_; }
  const std::vector<std::string>& names() const { return names_; }
  int count() const { return static_cast<int>(names_.size()); }
  int selected() const { return selected_; }  // -1 when none

  bool Select(int index);                  // false (and no change) when out of range
  bool SelectName(std::string_view name);  // by name without regard to letter case
  std::optional<std::string> SelectedName() const;
  std::string SelectedPath() const;  // directory + name; empty when none

  // "Previous", "Next" and "Reload" act only while the list has entries.
  bool CanStep() const { return !names_.empty(); }
  // Each selects the entry to open and says whether to open it. Previous: one back, from
  // the first to the last; needs a selection. Next: one on, from the last (or from no
  // selection) to the first. Reload: the selected entry again; needs a selection.
  bool StepPrevious();
  bool StepNext();
  bool StepReload();

  std::string CountLabel() const;     // "12 file(s)"
  std::string PositionLabel() const;  // selected index + 1, "/", count: "3/12" ("0/0" when empty)

 private:
  void KeepSelection(const std::optional<std::string>& previous);

  std::string directory_;
  std::string masks_;
  std::vector<std::string> names_;
  int selected_ = -1;
};

}  // namespace quillstone
