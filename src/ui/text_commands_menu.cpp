#include "ui/text_commands_menu.h"

#include <QMenu>
#include <QPlainTextEdit>

#include "imaging/camera_data.h"

namespace quillstone {

void AddTextCommandsMenu(QPlainTextEdit* edit) {
  edit->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(edit, &QPlainTextEdit::customContextMenuRequested, edit, [edit](const QPoint& position) {
    QMenu* menu = edit->createStandardContextMenu(position);
    menu->addSeparator();
    for (const char* command :
         {"$date$", "$fdate$", "$time$", "$ftime$", "$fn$", "$fnwe$", "$width$", "$height$"}) {
      const QString literal = QString::fromLatin1(command);
      menu->addAction("Insert " + literal, edit, [edit, literal] { edit->insertPlainText(literal); });
    }
    QMenu* camera = menu->addMenu("Camera data");
    for (const std::string_view name : kCameraFieldNames) {
      const QString literal = QString::fromStdString(CameraCommand(name));
      camera->addAction("Insert " + literal, edit, [edit, literal] { edit->insertPlainText(literal); });
    }
    menu->exec(edit->viewport()->mapToGlobal(position));
    delete menu;
  });
}

}  // namespace quillstone
