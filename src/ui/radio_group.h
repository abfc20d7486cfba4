#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace quillstone {

// The buttons of a radio group: their captions, in order, and their object names, in
// which "%1" becomes each button's number (the first is `firstNumber`, the next one more).
struct RadioItems {
  QStringList captions;
  QString buttonName;
  int firstNumber = 0;
};

// A titled box of radio buttons of which one is chosen; a button's index is its place in
// the captions. The buttons run down one column, or fill `perLine` to a column (vertical)
// or to a row (horizontal); the grid is open for a further widget in a free cell.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& title, const RadioItems& items, QWidget* parent,
             Qt::Orientation fill = Qt::Vertical, int perLine = 0);

  // The chosen button's index, or -1 while none is.
  int chosenIndex() const;
  // Chooses the button as a click would, reporting the change; an index without a
  // button changes nothing.
  void Choose(int index);
  // Shows the button chosen without reporting it: how a loaded value is shown.
  void Show(int index);
  QRadioButton* button(int index) const;
  int count() const;
  QGridLayout* grid() const { return grid_; }

 signals:
  // Another button became the chosen one (by a click or Choose).
  void chosen(int index);
  // A button was clicked, also the one already chosen.
  void clicked(int index);

 private:
  QButtonGroup* buttons_;
  QGridLayout* grid_;
};

}  // namespace quillstone
