#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/status.h"

namespace quillstone {

// The two directory histories of the main window, their capacity and their files in the
// user directory.
inline constexpr int kHistoryCapacity = 20;
inline constexpr const char* kSourceHistoryFileName = "sourcedir.list";
inline constexpr const char* kDestinationHistoryFileName = "destdir.list";

// One item of the menu a history shows below its anchor item.
struct MruMenuItem {
  bool separator = false;  // the "-" line between the anchor and the first entry
  std::string caption;     // menu text, '&' marking the accelerator
  std::string hint;        // "Opens " + entry
  int index = -1;          // the entry the item opens; -1 for the separator
  friend bool operator==(const MruMenuItem&, const MruMenuItem&) = default;
};

// A most-recently-used list of texts (directories), most recent first, with at most
// maxEntries entries. The menu it shows is data (MenuItems); the window builds the menu
// from it again whenever the entries change.
class TMRUFiles {
 public:
  explicit TMRUFiles(int maxEntries = 9);

  const std::vector<std::string>& entries() const { return entries_; }
  int maxEntries() const { return maxEntries_; }
  // 1..255; the oldest entries beyond it are dropped.
  void SetMaxEntries(int maxEntries);
  bool numbered() const { return numbered_; }
  void SetNumbered(bool numbered) { numbered_ = numbered; }

  // Puts text at the top. An entry equal to it without regard to ASCII letter case is
  // removed first (so the new spelling is kept), then the oldest entries while the list
  // is full. Empty texts and texts holding a line break (which one line of the file
  // cannot hold) are ignored.
  void Add(std::string_view text);

  // The entry a menu item opens; none when the index is out of range.
  std::optional<std::string> EntryAt(int index) const;

  // Replaces the entries by the file's lines: one entry per line, most recent first; blank
  // lines, repeated entries (letter case ignored) and lines beyond maxEntries are dropped.
  // A missing file empties the list and is not an error; a file that cannot be read leaves
  // the list as it was and gives the error.
  Status LoadFromFile(const std::filesystem::path& path);
  // Writes one entry per line (CR LF) through a temporary file renamed over the old one.
  Status SaveToFile(const std::filesystem::path& path) const;

  // The menu below the anchor: nothing when empty; otherwise a separator, then one item per
  // entry in list order. Numbered captions: "&1 entry" .. "&10 entry" for the first ten,
  // "  entry" (two blanks) after them; unnumbered: the entry. A '&' in an entry is doubled
  // so that it shows as itself.
  std::vector<MruMenuItem> MenuItems() const;

 private:
  std::vector<std::string> entries_;
  int maxEntries_;
  bool numbered_ = true;
};

}  // namespace quillstone
