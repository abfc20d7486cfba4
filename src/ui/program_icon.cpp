#include "ui/program_icon.h"

#include <system_error>

#include "ui/qt_text.h"

namespace quillstone {

QIcon ProgramIcon(const std::filesystem::path& programDirectory) {
  const std::string fileName = std::string(QUILLSTONE_APP_ID) + ".png";
  QIcon icon;
  std::error_code error;
  // One folder per size ("48x48/apps/"); "scalable" holds the SVG, which needs no PNG here.
  std::filesystem::directory_iterator size(programDirectory.parent_path() / "icons" / "hicolor", error);
  for (; !error && size != std::filesystem::directory_iterator(); size.increment(error)) {
    const std::filesystem::path png = size->path() / "apps" / fileName;
    std::error_code missing;
    if (std::filesystem::is_regular_file(png, missing)) icon.addFile(ToQString(png.string()));
  }
  if (icon.isNull()) icon = QIcon::fromTheme(QStringLiteral(QUILLSTONE_APP_ID));
  return icon;
}

}  // namespace quillstone
