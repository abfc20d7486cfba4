#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

namespace quillstone {

RadioGroup::RadioGroup(const QString& title, const RadioItems& items, QWidget* parent, Qt::Orientation fill,
                       int perLine)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)), grid_(new QGridLayout(this)) {
  const int count = static_cast<int>(items.captions.size());
  if (perLine <= 0) perLine = fill == Qt::Vertical ? count : 1;
  for (int i = 0; i < count; ++i) {
    auto* button = new QRadioButton(items.captions[i], this);
    button->setObjectName(items.buttonName.arg(items.firstNumber + i));
    buttons_->addButton(button, i);
    if (fill == Qt::Vertical) {
      grid_->addWidget(button, i % perLine, i / perLine);
    } else {
      grid_->addWidget(button, i / perLine, i % perLine);
    }
  }
  connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit chosen(id);
  });
  connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::chosenIndex() const {
  return buttons_->checkedId();
}

void RadioGroup::Choose(int index) {
  if (QAbstractButton* button = buttons_->button(index)) button->setChecked(true);
}

void RadioGroup::Show(int index) {
  const QSignalBlocker blocker(buttons_);
  Choose(index);
}

QRadioButton* RadioGroup::button(int index) const {
  return static_cast<QRadioButton*>(buttons_->button(index));
}

int RadioGroup::count() const {
  return static_cast<int>(buttons_->buttons().size());
}

}  // namespace quillstone
