#pragma once

#include <QPlainTextEdit>

#include "ui/qt_text.h"
#include "workspace/text_tools.h"

namespace quillstone {

// What the text tools insert into a plain text edit goes in at its caret, replacing its
// selection, as typing would: the edit's change notice follows and its undo takes it back.
class EditInsertion final : public TextInsertion {
 public:
  explicit EditInsertion(QPlainTextEdit* edit) : edit_(edit) {}
  void InsertAtCaret(std::string_view text) override { edit_->insertPlainText(ToQString(text)); }

 private:
  QPlainTextEdit* edit_;
};

}  // namespace quillstone
