#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

namespace quillstone {

class CharacterGrid;
class TextTools;

// "Special character selection": the character grid in the picker's font; hovering a cell
// shows its code ("ASCII - Code") and the cell zoomed three times ("Char preview zoomed");
// a click appends the character to the selection field (the picker's font at 24 points).
// "Select an other font" changes the picker's font, and with it the text font and colour;
// "Apply selected chars" closes with the selection, "Cancel" without.
class SpecialCharacterPicker : public QDialog {
  Q_OBJECT

 public:
  SpecialCharacterPicker(TextTools& tools, QWidget* parent = nullptr);

  // Shows the picker modally on the picker's font with an empty selection; the selected
  // characters (UTF-8) after "Apply selected chars", none after "Cancel".
  std::optional<std::string> Run();

 signals:
  // "Select an other font" changed the text font and the font colour.
  void fontChosen();

 private:
  void ShowFont();
  void ShowCell(int code);

  TextTools& tools_;
  CharacterGrid* grid_;
  QLabel* code_;
  QLabel* zoomed_;
  QLabel* fontName_;
  QLineEdit* selection_;
};

}  // namespace quillstone
