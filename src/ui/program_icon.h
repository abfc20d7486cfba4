#pragma once

#include <QIcon>
#include <filesystem>

namespace quillstone {

// The window's icon: the PNG renderings in the hicolor icon theme beside the program
// directory (<prefix>/share/icons/hicolor for <prefix>/share/quillstone once installed,
// build/icons/hicolor for build/bin in a build tree), else the desktop theme's icon of the
// program's name; null when neither has one.
QIcon ProgramIcon(const std::filesystem::path& programDirectory);

}  // namespace quillstone
