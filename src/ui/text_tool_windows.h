#pragma once

#include <QObject>
#include <optional>

#include "ui/command_window.h"
#include "ui/widget_factory.h"
#include "workspace/text_tools.h"

class QWidget;

namespace quillstone {

class BigTextEditor;
class Prompter;
class Workspace;

// The text tool windows, made once with the main window and kept, so their choices carry
// over from one opening to the next: the command window (with its special character
// picker) and the big text editor, over the rules they share.
class TextToolWindows : public QObject {
  Q_OBJECT

 public:
  // `textEdit` is the text page's edit, which takes inserts while the big editor is closed.
  TextToolWindows(Workspace& workspace, Prompter& prompter, TextInsertion& textEdit, RenderRequests requests,
                  QWidget* parent);

  TextTools& tools() { return tools_; }
  // Modal; returns when the window is closed.
  void OpenCommandWindow(std::optional<CommandWindow::Page> page);
  void OpenBigEditor();

 signals:
  // A window closed that may have changed the text, its font or its colours.
  void closed();

 private:
  TextTools tools_;
  RenderRequests requests_;
  CommandWindow* commandWindow_;
  BigTextEditor* bigEditor_;
};

}  // namespace quillstone
