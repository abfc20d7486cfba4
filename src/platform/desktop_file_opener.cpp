#include "platform/desktop_file_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace quillstone {

bool SystemDesktopFileOpener::Open(const std::filesystem::path& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

}  // namespace quillstone
