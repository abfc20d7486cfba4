#include "ui/png_options_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillstone {

QComboBox* PngFilterList(QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName("pngfilterliste");
  list->addItems({"None", "Use the best [slow]", "Sub", "Up", "Average", "Paeth"});
  return list;
}

QComboBox* PngLevelList(QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName("pngcompressionlevel");
  list->addItem("1 [quick]");
  for (int level = 2; level <= 8; ++level) list->addItem(QString::number(level));
  list->addItem("9 [slow]");
  return list;
}

PngOptionsDialog::PngOptionsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("pngoptions");
  setWindowTitle("Png options");
  filter_ = PngFilterList(this);
  level_ = PngLevelList(this);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("pngok");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("pngcancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* form = new QFormLayout;
  form->addRow("Filter:", filter_);
  form->addRow("Compression level:", level_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

std::optional<PngOptions> PngOptionsDialog::Run() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Choice();
}

PngOptions PngOptionsDialog::Choice() const {
  return {static_cast<PngFilter>(filter_->currentIndex()), level_->currentIndex() + 1};
}

}  // namespace quillstone
