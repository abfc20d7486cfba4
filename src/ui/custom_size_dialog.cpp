#include "ui/custom_size_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "workspace/prompter.h"

namespace quillstone {
namespace {

QLineEdit* SideField(const char* name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaxLength(4);
  field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
  return field;
}

}  // namespace

CustomSizeDialog::CustomSizeDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName("customsize");
  setWindowTitle(
      QString::fromUtf8(kCustomSizeCaption.data(), static_cast<qsizetype>(kCustomSizeCaption.size())));
  width_ = SideField("customwidth", this);
  height_ = SideField("customheight", this);
  auto* back = new QPushButton("Back", this);
  back->setObjectName("customback");
  back->setDefault(true);
  connect(back, &QPushButton::clicked, this, &CustomSizeDialog::Back);
  auto* form = new QFormLayout;
  form->addRow("New width:", width_);
  form->addRow("New height:", height_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(new QLabel(
      QStringLiteral("Hint: Minimum: %1, Maximum: %2").arg(kCustomSideMin).arg(kCustomSideMax), this));
  layout->addWidget(back);
}

void CustomSizeDialog::Run(ResizeSettings& settings) {
  settings_ = &settings;
  width_->setText(QString::number(settings.customWidth));
  height_->setText(QString::number(settings.customHeight));
  exec();
  settings_ = nullptr;
}

bool CustomSizeDialog::CheckField(QLineEdit* field, int fallback, std::string_view missing) {
  bool number = false;
  const int value = field->text().toInt(&number);
  if (number && value >= kCustomSideMin && value <= kCustomSideMax) return true;
  prompter_.ShowMessage(kCustomSizeCaption, number ? kCustomSideOutOfRange : missing, MessageIcon::kWarning);
  field->setText(QString::number(fallback));
  field->setFocus();
  return false;
}

bool CustomSizeDialog::Back() {
  const ResizeSettings defaults;
  const bool widthValid = CheckField(width_, defaults.customWidth, kCustomWidthMissing);
  const bool heightValid = CheckField(height_, defaults.customHeight, kCustomHeightMissing);
  if (settings_ != nullptr) {
    settings_->customWidth = width_->text().toInt();
    settings_->customHeight = height_->text().toInt();
  }
  if (!widthValid || !heightValid) return false;
  accept();
  return true;
}

// Closing the window from the desktop or with Escape goes through "Back" too, so the
// values it leaves are always checked.
void CustomSizeDialog::reject() {
  Back();
}

}  // namespace quillstone
