#include "ui/resize_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
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
    : QWidget(parent),
      settings_(resize),
      controls_({[this] { emit reloadRequested(); }, [this] { emit reloadRequested(); }}) {
  setObjectName("resizepage");
  QStringList captions;
  for (int i = 0; i < kSizePresetCount; ++i)
    captions << ToQString(SizePresetCaption(static_cast<SizePreset>(i)));
  presets_ =
      Named(new RadioGroup("New Image size", {captions, "sizegroup%1"}, this, Qt::Vertical, kPresetRows),
            "sizegroup");
  // Every click reads the file again, also one on the chosen entry.
  connect(presets_, &RadioGroup::clicked, this, [this](int index) {
    settings_.preset = static_cast<SizePreset>(index);
    ShowCustomPanel();
    emit reloadRequested();
  });
  // Sharpening belongs to smoothing.
  auto* smooth = controls_.Switch("smoothresize", "Smooth resize", settings_.smooth, this,
                                  [this](bool on) { sharpen_->setEnabled(on); });
  sharpen_ = controls_.Switch("sharpenresize", "Sharpen", settings_.sharpen, this);
  customValues_ = Named(new QGroupBox(this), "customvalues");
  customButton_ =
      Named(new QPushButton("Select width/height for custom size", customValues_), "customsizebutton");
  auto* customLayout = new QVBoxLayout(customValues_);
  customLayout->addWidget(customButton_);
  customDialog_ = new CustomSizeDialog(prompter, this);
  orientation_ = new OrientationPanel(orientation, this);
  connect(customButton_, &QPushButton::clicked, this, [this] {
    customDialog_->Run(settings_);
    ShowCustomPanel();
    emit reloadRequested();
  });
  connect(orientation_, &OrientationPanel::reloadRequested, this, &ResizePage::reloadRequested);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(presets_);
  layout->addWidget(smooth);
  layout->addWidget(sharpen_);
  layout->addWidget(customValues_);
  layout->addWidget(orientation_);
  layout->addStretch(1);
  ShowSettings();
}

// A preset outside the list shows as the original size.
void ResizePage::ShowSettings() {
  const int preset = static_cast<int>(settings_.preset);
  presets_->Show(preset >= 0 && preset < kSizePresetCount ? preset
                                                          : static_cast<int>(SizePreset::kOriginalSize));
  controls_.ShowAll();
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
