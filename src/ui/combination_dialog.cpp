#include "ui/combination_dialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/combination_texts.h"
#include "ui/qt_text.h"

namespace quillstone {

CombinationDialog::CombinationDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("CombinationWindow");
  setWindowTitle("Select a combination of the watermarking effects");
  setModal(true);

  auto* group = new QGroupBox("Combinations", this);
  group->setObjectName("Combinations");
  auto* groupLayout = new QVBoxLayout(group);
  items_ = new QButtonGroup(this);
  for (int i = 0; i < kCombinationCount; ++i) {
    auto* item = new QRadioButton(ToQString(kCombinationDialogItems[i]), group);
    item->setObjectName(QStringLiteral("combinationitem%1").arg(i));
    items_->addButton(item, i);
    groupLayout->addWidget(item);
  }
  connect(items_, &QButtonGroup::idClicked, this, &CombinationDialog::itemClicked);

  auto* note = new QPlainTextEdit(this);
  note->setObjectName("combinationnote");
  note->setReadOnly(true);
  note->setPlainText(
      "Example: Logo and text and color effect [LTC]\n"
      "The effects are drawn in three steps.\n"
      "1. Draw the logo - First layer\n"
      "2. Draw the text - Second layer\n"
      "3. Draw the color effect - Third layer");

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("combinationok");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* right = new QVBoxLayout;
  right->addWidget(note, 1);
  right->addWidget(ok, 0, Qt::AlignRight);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(right, 1);
}

int CombinationDialog::index() const {
  return items_->checkedId() < 0 ? 0 : items_->checkedId();
}

void CombinationDialog::ShowIndex(int index) {
  if (auto* item = items_->button(index)) item->setChecked(true);
}

int CombinationDialog::Run(int index) {
  ShowIndex(index);
  exec();
  return this->index();
}

void CombinationDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace quillstone
