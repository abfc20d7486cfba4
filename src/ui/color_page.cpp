#include "ui/color_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "pipeline/color_effect_stage.h"
#include "ui/color_swatch.h"
#include "ui/qt_text.h"
#include "ui/widget_factory.h"
#include "workspace/prompter.h"

namespace quillstone {
namespace {

// The colour page's sliders move a tenth of their range per large step.
QScrollBar* TenthStepSlider(const QString& name, int minimum, int maximum, QWidget* parent) {
  return Slider(name, minimum, maximum, std::max(1, (maximum - minimum) / 10), parent);
}

QLabel* Label(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

ColorPage::ColorPage(WatermarkSettings& settings, Prompter& prompter, QWidget* parent)
    : QWidget(parent), settings_(settings), prompter_(prompter) {
  auto* colorBox = new QGroupBox("Effect color", this);
  color_ = new ColorSwatch("Panel40", colorBox);
  color_->setToolTip("Click to select the effect color");
  random_ = new QCheckBox("Random color", colorBox);
  random_->setObjectName("randomcolor");
  blending_ = TenthStepSlider("ScrollBar2", 1, 100, colorBox);
  colorPercent_ = Label("colorpercentlabel", colorBox);
  imagePercent_ = Label("colorimagepercentlabel", colorBox);
  step_ = TenthStepSlider("ScrollBar4", 1, 20, colorBox);
  stepLabel_ = Label("steplabel", colorBox);
  auto* colorLayout = new QGridLayout(colorBox);
  colorLayout->addWidget(color_, 0, 0);
  colorLayout->addWidget(random_, 0, 1, 1, 2);
  colorLayout->addWidget(colorPercent_, 1, 0);
  colorLayout->addWidget(imagePercent_, 1, 2, Qt::AlignRight);
  colorLayout->addWidget(blending_, 2, 0, 1, 3);
  colorLayout->addWidget(stepLabel_, 3, 0);
  colorLayout->addWidget(step_, 4, 0, 1, 3);
  colorLayout->setRowStretch(5, 1);

  connect(color_, &ColorSwatch::clicked, this, [this] {
    if (const auto chosen = prompter_.ChooseColor(settings_.color.color)) {
      settings_.color.color = *chosen;
      color_->SetColor(*chosen);
      emit renderNow();
    }
  });
  connect(random_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.color.randomColor = on;
    emit renderNow();
  });
  connect(blending_, &QScrollBar::valueChanged, this, [this](int value) {
    settings_.color.blending = value;
    colorPercent_->setText(QStringLiteral("%1% color").arg(value));
    imagePercent_->setText(QStringLiteral("%1% image").arg(100 - value));
    emit renderLater();
  });
  connect(step_, &QScrollBar::valueChanged, this, [this](int value) {
    settings_.color.step = value;
    stepLabel_->setText(QStringLiteral("Step %1").arg(value));
    emit renderLater();
  });

  auto* styleBox = new QGroupBox("Colorstyle", this);
  styles_ = new QListWidget(styleBox);
  styles_->setObjectName("colorstyle");
  for (const std::string_view caption : kColorStyleCaptions)
    styles_->addItem(ToQString(ColorStyleDisplayText(caption)));
  selected_ = Label("selectedstylelabel", styleBox);
  strength_ = new QListWidget(styleBox);
  strength_->setObjectName("ListBox2");
  for (int i = 1; i <= 10; ++i) strength_->addItem(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
  strength_->setMaximumWidth(60);
  strength_->setToolTip("Strength");
  connect(styles_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    settings_.color.style = row;
    ShowStyleControls();
    emit renderLater();
  });
  connect(strength_, &QListWidget::currentRowChanged, this, [this](int row) {
    settings_.color.strengthItem = row;
    emit renderLater();
  });

  // Shown only for the styles that use them.
  mosaic_ = TenthStepSlider("ScrollBar7", 2, 50, styleBox);
  mosaicLabel_ = Label("mosaiclabel", styleBox);
  mosaicLabel_->setText("Mosaic rows");
  connect(mosaic_, &QScrollBar::valueChanged, this, [this](int value) {
    settings_.color.mosaicRows = value;
    mosaic_->setToolTip(QString::number(value));
    emit renderLater();
  });
  auto* styleLayout = new QGridLayout(styleBox);
  styleLayout->addWidget(selected_, 0, 0, 1, 2);
  styleLayout->addWidget(styles_, 1, 0);
  styleLayout->addWidget(strength_, 1, 1);
  styleLayout->addWidget(mosaicLabel_, 2, 0, 1, 2);
  styleLayout->addWidget(mosaic_, 3, 0, 1, 2);
  for (int k = 0; k < kPaperCount; ++k) {
    paperColors_[k] =
        new ColorSwatch(QStringLiteral("papercolor_%1").arg(k + 1, 2, 10, QLatin1Char('0')), styleBox);
    paperColors_[k]->setToolTip("Paper color");
    paperStrengths_[k] = TenthStepSlider(QStringLiteral("ScrollBar%1").arg(9 + k), 1, 25, styleBox);
    auto* row = new QHBoxLayout;
    row->addWidget(paperColors_[k]);
    row->addWidget(paperStrengths_[k], 1);
    styleLayout->addLayout(row, 4 + k, 0, 1, 2);
    // The paper colour renders also when the dialog is cancelled.
    connect(paperColors_[k], &ColorSwatch::clicked, this, [this, k] {
      if (const auto chosen = prompter_.ChooseColor(settings_.color.paperColors[k])) {
        settings_.color.paperColors[k] = *chosen;
        paperColors_[k]->SetColor(*chosen);
      }
      emit renderNow();
    });
    connect(paperStrengths_[k], &QScrollBar::valueChanged, this, [this, k](int value) {
      settings_.color.paperStrengths[k] = value;
      ShowPaperCaption(k);
      emit renderLater();
    });
  }

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(colorBox);
  layout->addWidget(styleBox, 1);
  ShowSettings();
}

void ColorPage::ShowSettings() {
  const ColorEffectSettings& c = settings_.color;
  color_->SetColor(c.color);
  const std::pair<QScrollBar*, int> bars[] = {
      {blending_, c.blending},
      {step_, c.step},
      {mosaic_, c.mosaicRows},
      {paperStrengths_[0], c.paperStrengths[0]},
      {paperStrengths_[1], c.paperStrengths[1]},
      {paperStrengths_[2], c.paperStrengths[2]},
  };
  for (const auto& [bar, value] : bars) {
    const QSignalBlocker blocker(bar);
    bar->setValue(value);
  }
  {
    const QSignalBlocker blocker(random_);
    random_->setChecked(c.randomColor);
  }
  {
    const QSignalBlocker blocker(styles_);
    styles_->setCurrentRow(c.style);
  }
  {
    const QSignalBlocker blocker(strength_);
    strength_->setCurrentRow(c.strengthItem);
  }
  colorPercent_->setText(QStringLiteral("%1% color").arg(c.blending));
  imagePercent_->setText(QStringLiteral("%1% image").arg(100 - c.blending));
  stepLabel_->setText(QStringLiteral("Step %1").arg(c.step));
  mosaic_->setToolTip(QString::number(c.mosaicRows));
  for (int k = 0; k < kPaperCount; ++k) {
    paperColors_[k]->SetColor(c.paperColors[k]);
    ShowPaperCaption(k);
  }
  ShowStyleControls();
}

void ColorPage::ShowStyleControls() {
  const int style = settings_.color.style;
  if (auto* item = styles_->item(style)) selected_->setText("Selected:" + item->text());
  mosaic_->setVisible(style == kMosaicStyle);
  mosaicLabel_->setVisible(style == kMosaicStyle);
  for (int k = 0; k < kPaperCount; ++k) {
    const bool shown = style == kFirstPaperStyle + k;
    paperColors_[k]->setVisible(shown);
    paperStrengths_[k]->setVisible(shown);
  }
}

void ColorPage::ShowPaperCaption(int paper) {
  paperColors_[paper]->SetCaption(QString::number(settings_.color.paperStrengths[paper]));
}

}  // namespace quillstone
