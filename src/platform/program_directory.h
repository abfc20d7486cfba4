#pragma once

#include <filesystem>

namespace quillstone {

// The folder of the read-only files shipped with the program (the placeholder picture,
// the sample image and logo, help files): $QUILLSTONE_DATA_DIR when set, else the
// executable's own folder when it holds them (a build tree, where the build copies data/
// beside the programs), else the install's data folder (<prefix>/share/quillstone beside
// <prefix>/bin). Ends without a separator; compose with operator/.
std::filesystem::path ProgramDirectory();

// The picture shown and written for a JPEG that cannot be decoded.
inline constexpr const char* kPlaceholderImageName = "unreadableimage.jpg";

}  // namespace quillstone
