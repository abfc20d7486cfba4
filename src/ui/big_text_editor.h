#pragma once

#include <QDialog>
#include <memory>

#include "ui/widget_factory.h"

class QActionGroup;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace quillstone {

class EditInsertion;
class TextTools;
class Workspace;

// "Texteditor": the watermark text in a large edit of at most 200000 characters. Every
// change copies its lines into the watermark text, shows the line count and asks for the
// debounced render, so the image follows the typing. Menus "File" ("Back"), "Edit" (undo,
// cut, copy, paste) and "Text alignment on image"; the tool bar's "Open" loads a text,
// "Text tools" opens the command window, whose inserts then go into this edit.
class BigTextEditor : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxCharacters = 200000;

  BigTextEditor(TextTools& tools, Workspace& workspace, RenderRequests requests, QWidget* parent = nullptr);
  ~BigTextEditor() override;

  // Shows the editor modally over the watermark text until "Back" or its close box; the
  // lines are copied back once more on closing.
  void Run();
  // Shows the watermark text and the text font's face again.
  void ShowText();

 signals:
  void toolsRequested();

 private:
  void BuildMenus();
  void BuildAlignmentMenu(QMenu* menu);
  void CopyBack();
  void ShowAlignment();
  // Typing or pasting past the limit drops what the change added beyond it; a loaded text
  // longer than the limit is kept whole.
  void CutToLimit();

  TextTools& tools_;
  Workspace& workspace_;
  RenderRequests requests_;
  QPlainTextEdit* edit_ = nullptr;
  QLabel* lineCount_ = nullptr;
  QActionGroup* horizontal_ = nullptr;
  QActionGroup* vertical_ = nullptr;
  std::unique_ptr<EditInsertion> insertion_;
  int changeEnd_ = 0;    // where the last change of the document ends
  int changeAdded_ = 0;  // how many characters it added
};

}  // namespace quillstone
