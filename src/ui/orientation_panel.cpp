#include "ui/orientation_panel.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace quillstone {

OrientationPanel::OrientationPanel(OrientationSettings& settings, QWidget* parent)
    : QGroupBox("Rotation before watermarking", parent), settings_(settings) {
  setObjectName("orientationpanel");
  orientation_ = new QComboBox(this);
  orientation_->setObjectName("RotationCombobox");
  for (int i = 0; i < kOrientationCount; ++i)
    orientation_->addItem(ToQString(OrientationText(static_cast<Orientation>(i))));

  // The entry is taken by its text, as the list shows it.
  connect(orientation_, &QComboBox::activated, this, [this](int index) {
    const auto chosen = OrientationFromText(ToStdString(orientation_->itemText(index)));
    settings_.orientation = chosen.value_or(Orientation::kUnrotated);
    emit reloadRequested();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(orientation_);
  ShowSettings();
}

void OrientationPanel::ShowSettings() {
  const QSignalBlocker blockList(orientation_);
  orientation_->setCurrentIndex(orientation_->findText(ToQString(OrientationText(settings_.orientation))));
}

}  // namespace quillstone
