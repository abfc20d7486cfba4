#include "ui/text_tool_windows.h"

#include <QWidget>

#include "ui/big_text_editor.h"
#include "workspace/workspace.h"

namespace quillstone {

TextToolWindows::TextToolWindows(Workspace& workspace, Prompter& prompter, TextInsertion& textEdit,
                                 RenderRequests requests, QWidget* parent)
    : QObject(parent),
      tools_(workspace),
      requests_(requests),
      commandWindow_(new CommandWindow(tools_, workspace.settings().watermark, prompter, requests, parent)),
      bigEditor_(new BigTextEditor(tools_, workspace, requests, parent)) {
  tools_.SetTextEdit(&textEdit);
  connect(bigEditor_, &BigTextEditor::toolsRequested, this, [this] { OpenCommandWindow(std::nullopt); });
}

void TextToolWindows::OpenCommandWindow(std::optional<CommandWindow::Page> page) {
  commandWindow_->Run(page);
  if (tools_.bigEditorOpen()) bigEditor_->ShowText();  // the font may have changed
  emit closed();
}

// Coming back from the editor renders once more.
void TextToolWindows::OpenBigEditor() {
  bigEditor_->Run();
  emit closed();
  if (requests_.now) requests_.now();
}

}  // namespace quillstone
