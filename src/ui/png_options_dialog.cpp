#include "ui/png_options_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillstone {

PngOptionsDialog::PngOptionsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("pngoptions");
  setWindowTitle("Png options");
  // The entries follow the order of PngFilter.
  filter_ = new QComboBox(this);
  filter_->setObjectName("pngfilterliste");
  filter_->addItems({"None", "Use the best [slow]", "Sub", "Up", "Average", "Paeth"});
  level_ = new QComboBox(this);
  level_->setObjectName("pngcompressionlevel");
  level_->addItem("1 [quick]");
  for (int level = 2; level <= 8; ++level) level_->addItem(QString::number(level));
  level_->addItem("9 [slow]");

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
