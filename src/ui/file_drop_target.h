#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <vector>

class QMimeData;
class QWidget;

namespace quillstone {

// The local files a drag carries, in the order given; other URLs are left out.
std::vector<std::filesystem::path> DroppedLocalFiles(const QMimeData* data);

// Makes a widget accept files dragged onto it: a drag that carries local files is
// accepted, and a drop hands their paths, in order, to `onDrop`.
class FileDropTarget : public QObject {
 public:
  FileDropTarget(QWidget* target, std::function<void(std::vector<std::filesystem::path>)> onDrop);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(std::vector<std::filesystem::path>)> onDrop_;
};

}  // namespace quillstone
