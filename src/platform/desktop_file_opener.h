#pragma once

#include <filesystem>

namespace quillstone {

// Opens a file with the program the desktop associates with it (the help files, the list
// of changes on the first run). Behind an interface so that tests see what would be opened
// without starting anything.
class DesktopFileOpener {
 public:
  virtual ~DesktopFileOpener() = default;
  // False when the desktop could not hand the file to a program; a file that does not
  // exist is left to the desktop to report.
  virtual bool Open(const std::filesystem::path& file) = 0;
};

// The desktop's own file associations (QDesktopServices). Needs a QGuiApplication.
class SystemDesktopFileOpener final : public DesktopFileOpener {
 public:
  bool Open(const std::filesystem::path& file) override;
};

}  // namespace quillstone
