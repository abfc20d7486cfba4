#include "batch/mru_files.h"

#include <algorithm>

#include "batch/directory_text.h"
#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "platform/whole_file.h"

namespace quillstone {
namespace {

constexpr int kMaxEntriesLimit = 255;

std::string EscapeAccelerators(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    escaped += c;
    if (c == '&') escaped += '&';
  }
  return escaped;
}

}  // namespace

TMRUFiles::TMRUFiles(int maxEntries) : maxEntries_(std::clamp(maxEntries, 1, kMaxEntriesLimit)) {}

void TMRUFiles::SetMaxEntries(int maxEntries) {
  maxEntries_ = std::clamp(maxEntries, 1, kMaxEntriesLimit);
  if (entries_.size() > static_cast<std::size_t>(maxEntries_))
    entries_.resize(static_cast<std::size_t>(maxEntries_));
}

void TMRUFiles::Add(std::string_view text) {
  if (text.empty() || text.find_first_of("\r\n") != std::string_view::npos) return;
  const auto same = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const std::string& entry) { return SameFileName(entry, text); });
  if (same != entries_.end()) entries_.erase(same);
  while (entries_.size() >= static_cast<std::size_t>(maxEntries_)) entries_.pop_back();
  entries_.insert(entries_.begin(), std::string(text));
}

std::optional<std::string> TMRUFiles::EntryAt(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return std::nullopt;
  return entries_[static_cast<std::size_t>(index)];
}

Status TMRUFiles::LoadFromFile(const std::filesystem::path& path) {
  // A file that is not there reads as an empty list.
  std::string bytes;
  if (const WholeFileRead read = ReadWholeFile(path, kMaxTextFileBytes, bytes);
      read.outcome == WholeFileRead::Outcome::kRefused)
    return Status::Error("cannot read " + path.string() + ": " + read.reason);
  // Directory names are kept byte for byte: no text decoding here.
  std::vector<std::string> loaded;
  for (std::string& line : SplitTextLines(bytes)) {
    if (line.empty() || loaded.size() >= static_cast<std::size_t>(maxEntries_)) continue;
    const bool repeated = std::any_of(loaded.begin(), loaded.end(),
                                      [&](const std::string& entry) { return SameFileName(entry, line); });
    if (!repeated) loaded.push_back(std::move(line));
  }
  entries_ = std::move(loaded);
  return Status::Ok();
}

Status TMRUFiles::SaveToFile(const std::filesystem::path& path) const {
  return WriteFileReplacing(path, JoinLinesCrLf(entries_));
}

std::vector<MruMenuItem> TMRUFiles::MenuItems() const {
  std::vector<MruMenuItem> items;
  if (entries_.empty()) return items;
  items.push_back(MruMenuItem{true, "-", "", -1});
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::string entry = EscapeAccelerators(entries_[i]);
    std::string caption;
    if (!numbered_) {
      caption = entry;
    } else if (i < 10) {
      caption = "&" + std::to_string(i + 1) + " " + entry;
    } else {
      caption = "  " + entry;
    }
    items.push_back(MruMenuItem{false, std::move(caption), "Opens " + entries_[i], static_cast<int>(i)});
  }
  return items;
}

}  // namespace quillstone
