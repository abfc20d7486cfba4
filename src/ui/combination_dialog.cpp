#include "ui/combination_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/combination_texts.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/widget_factory.h"

namespace quillstone {

CombinationDialog::CombinationDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("CombinationWindow");
  setWindowTitle("Select a combination of the watermarking effects");
  setModal(true);

  QStringList captions;
  for (const std::string_view item : kCombinationDialogItems) captions << ToQString(item);
  items_ = Named(new RadioGroup("Combinations", {captions, "combinationitem%1"}, this), "Combinations");
  connect(items_, &RadioGroup::clicked, this, &CombinationDialog::itemClicked);

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
  layout->addWidget(items_);
  layout->addLayout(right, 1);
}

int CombinationDialog::index() const {
  return items_->chosenIndex() < 0 ? 0 : items_->chosenIndex();
}

void CombinationDialog::ShowIndex(int index) {
  items_->Show(index);
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
