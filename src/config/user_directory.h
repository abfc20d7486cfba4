#pragma once

#include <filesystem>

#include "imaging/status.h"

namespace quillstone {

// The folder of every file the program writes for itself (default configuration and
// text, directory histories, temporary bitmaps): $QUILLSTONE_HOME when set and not empty,
// else $XDG_CONFIG_HOME/quillstone, else $HOME/.config/quillstone. Empty when none of the
// three variables is set.
std::filesystem::path UserDirectory();

// UserDirectory(), created (with its parents) when it does not exist yet.
Status EnsureUserDirectory(std::filesystem::path& directory);

}  // namespace quillstone
