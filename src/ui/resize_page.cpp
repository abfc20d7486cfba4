#include "ui/resize_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/custom_size_dialog.h"
#include "ui/orientation_panel.h"
#include "ui/qt_text.h"

namespace quillstone {
namespace {

constexpr int kPresetRows = 9;  // the entries run down three columns of nine

}  // namespace

ResizePage::ResizePage(ResizeSettings& resize, OrientationSettings& orientation, Prompter& prompter,
                       QWidget* parent)
    : QWidget(parent), settings_(resize) {
  setObjectName("resizepage");
  auto* sizeBox = new QGroupBox("New Image size", this);
  sizeBox->setObjectName("sizegroup");
  presets_ = new QButtonGroup(this);
  auto* sizeLayout = new QGridLayout(sizeBox);
  for (int i = 0; i < kSizePresetCount; ++i) {
    presetButtons_[i] = new QRadioButton(ToQString(SizePresetCaption(static_cast<SizePreset>(i))), sizeBox);
    presetButtons_[i]->setObjectName(QStringLiteral("sizegroup%1").arg(i));
    presets_->addButton(presetButtons_[i], i);
    sizeLayout->addWidget(presetButtons_[i], i % kPresetRows, i / kPresetRows);
  }

  smooth_ = new QCheckBox("Smooth resize", this);
  smooth_->setObjectName("smoothresize");
  sharpen_ = new QCheckBox("Sharpen", this);
  sharpen_->setObjectName("sharpenresize");
  customValues_ = new QGroupBox(this);
  customValues_->setObjectName("customvalues");
  customButton_ = new QPushButton("Select width/height for custom size", customValues_);
  customButton_->setObjectName("customsizebutton");
  auto* customLayout = new QVBoxLayout(customValues_);
  customLayout->addWidget(customButton_);
  customDialog_ = new CustomSizeDialog(prompter, this);
  orientation_ = new OrientationPanel(orientation, this);

  connect(presets_, &QButtonGroup::idClicked, this, [this](int index) {
    settings_.preset = static_cast<SizePreset>(index);
    ShowCustomPanel();
    emit reloadRequested();
  });
  connect(smooth_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.smooth = on;
    sharpen_->setEnabled(on);
    emit reloadRequested();
  });
  connect(sharpen_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.sharpen = on;
    emit reloadRequested();
  });
  connect(customButton_, &QPushButton::clicked, this, [this] {
    customDialog_->Run(settings_);
    ShowCustomPanel();
    emit reloadRequested();
  });
  connect(orientation_, &OrientationPanel::reloadRequested, this, &ResizePage::reloadRequested);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sizeBox);
  layout->addWidget(smooth_);
  layout->addWidget(sharpen_);
  layout->addWidget(customValues_);
  layout->addWidget(orientation_);
  layout->addStretch(1);
  ShowSettings();
}

void ResizePage::ShowSettings() {
  {
    const QSignalBlocker blockSmooth(smooth_);
    const QSignalBlocker blockSharpen(sharpen_);
    const int preset = static_cast<int>(settings_.preset);
    presetButtons_[preset >= 0 && preset < kSizePresetCount ? preset
                                                            : static_cast<int>(SizePreset::kOriginalSize)]
        ->setChecked(true);
    smooth_->setChecked(settings_.smooth);
    sharpen_->setChecked(settings_.sharpen);
    sharpen_->setEnabled(settings_.smooth);
  }
  ShowCustomPanel();
  orientation_->ShowSettings();
}

void ResizePage::ShowCustomPanel() {
  const bool custom = settings_.preset == SizePreset::kCustomSize;
  customValues_->setTitle(ToQString(CustomSizeCaption(settings_)));
  customValues_->setVisible(custom);
  customButton_->setEnabled(custom);
}

}  // namespace quillstone
