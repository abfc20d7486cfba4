#include "ui/file_drop_target.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "ui/qt_text.h"

namespace quillstone {

std::vector<std::filesystem::path> DroppedLocalFiles(const QMimeData* data) {
  std::vector<std::filesystem::path> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.emplace_back(ToStdString(url.toLocalFile()));
  }
  return paths;
}

FileDropTarget::FileDropTarget(QWidget* target,
                               std::function<void(std::vector<std::filesystem::path>)> onDrop)
    : QObject(target), onDrop_(std::move(onDrop)) {
  target->setAcceptDrops(true);
  target->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppedLocalFiles(drag->mimeData()).empty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      std::vector<std::filesystem::path> paths = DroppedLocalFiles(drop->mimeData());
      if (paths.empty()) return false;
      drop->acceptProposedAction();
      onDrop_(std::move(paths));
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace quillstone
