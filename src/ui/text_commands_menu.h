#pragma once

class QPlainTextEdit;

namespace quillstone {

// Adds "Insert $date$" .. "Insert $height$" to the edit's context menu; each inserts its
// command at the caret, replacing the selection. The edit's change notice does the rest.
void AddTextCommandsMenu(QPlainTextEdit* edit);

}  // namespace quillstone
