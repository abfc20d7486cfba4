#include "ui/color_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <algorithm>
#include <optional>

#include "pipeline/color_effect_stage.h"
#include "ui/color_swatch.h"
#include "ui/qt_text.h"

namespace quillstone {
namespace {

// The colour page's sliders move a tenth of their range per large step.
SliderRange TenthStep(const QString& name, int minimum, int maximum) {
  return {name, minimum, maximum, std::max(1, (maximum - minimum) / 10)};
}

}  // namespace

ColorPage::ColorPage(WatermarkSettings& settings, Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      prompter_(prompter),
      controls_({[this] { emit renderNow(); }, [this] { emit renderLater(); }}) {
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(BuildColorBox());
  layout->addWidget(BuildStyleBox(), 1);
  ShowSettings();
}

// The effect colour, its share of the blend and the step of the colour noise.
QWidget* ColorPage::BuildColorBox() {
  ColorEffectSettings& c = settings_.color;
  auto* box = new QGroupBox("Effect color", this);
  auto* color = controls_.Swatch("Panel40", c.color, prompter_, box);
  color->setToolTip("Click to select the effect color");
  auto* random = controls_.Switch("randomcolor", "Random color", c.randomColor, box);
  auto* colorPercent = Named(new QLabel(box), "colorpercentlabel");
  auto* imagePercent = Named(new QLabel(box), "colorimagepercentlabel");
  auto* blending = controls_.Slider(TenthStep("ScrollBar2", 1, 100), c.blending, box,
                                    [colorPercent, imagePercent](int value) {
                                      colorPercent->setText(QStringLiteral("%1% color").arg(value));
                                      imagePercent->setText(QStringLiteral("%1% image").arg(100 - value));
                                    });
  auto* stepLabel = Named(new QLabel(box), "steplabel");
  auto* step = controls_.Slider(TenthStep("ScrollBar4", 1, 20), c.step, box, LabelText(stepLabel, "Step %1"));
  auto* layout = new QGridLayout(box);
  layout->addWidget(color, 0, 0);
  layout->addWidget(random, 0, 1, 1, 2);
  layout->addWidget(colorPercent, 1, 0);
  layout->addWidget(imagePercent, 1, 2, Qt::AlignRight);
  layout->addWidget(blending, 2, 0, 1, 3);
  layout->addWidget(stepLabel, 3, 0);
  layout->addWidget(step, 4, 0, 1, 3);
  layout->setRowStretch(5, 1);
  return box;
}

// The style list with its strength, and below them the controls of the chosen style.
QWidget* ColorPage::BuildStyleBox() {
  ColorEffectSettings& c = settings_.color;
  auto* box = new QGroupBox("Colorstyle", this);
  styles_ = Named(new QListWidget(box), "colorstyle");
  for (const std::string_view caption : kColorStyleCaptions)
    styles_->addItem(ToQString(ColorStyleDisplayText(caption)));
  selected_ = Named(new QLabel(box), "selectedstylelabel");
  auto* strength = Named(new QListWidget(box), "ListBox2");
  for (int i = 1; i <= 10; ++i) strength->addItem(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
  strength->setMaximumWidth(60);
  strength->setToolTip("Strength");
  controls_.Choice(styles_, c.style, [this](int) { ShowStyleControls(); });
  controls_.Choice(strength, c.strengthItem);
  auto* layout = new QGridLayout(box);
  layout->addWidget(selected_, 0, 0, 1, 2);
  layout->addWidget(styles_, 1, 0);
  layout->addWidget(strength, 1, 1);
  AddStyleControls(box, layout);
  return box;
}

// The mosaic rows and, for each paper style, its colour and strength; shown only for the
// styles that use them.
void ColorPage::AddStyleControls(QWidget* box, QGridLayout* layout) {
  ColorEffectSettings& c = settings_.color;
  mosaicLabel_ = Named(new QLabel("Mosaic rows", box), "mosaiclabel");
  mosaic_ = controls_.Slider(TenthStep("ScrollBar7", 2, 50), c.mosaicRows, box,
                             [this](int value) { mosaic_->setToolTip(QString::number(value)); });
  layout->addWidget(mosaicLabel_, 2, 0, 1, 2);
  layout->addWidget(mosaic_, 3, 0, 1, 2);
  for (int k = 0; k < kPaperCount; ++k) {
    // The paper colour renders also when the dialog is cancelled.
    paperColors_[k] = controls_.Swatch(QStringLiteral("papercolor_%1").arg(k + 1, 2, 10, QLatin1Char('0')),
                                       c.paperColors[k], prompter_, box, WhenCancelled::kRenders);
    paperColors_[k]->setToolTip("Paper color");
    paperStrengths_[k] =
        controls_.Slider(TenthStep(QStringLiteral("ScrollBar%1").arg(9 + k), 1, 25), c.paperStrengths[k], box,
                         [this, k](int value) { paperColors_[k]->SetCaption(QString::number(value)); });
    auto* row = new QHBoxLayout;
    row->addWidget(paperColors_[k]);
    row->addWidget(paperStrengths_[k], 1);
    layout->addLayout(row, 4 + k, 0, 1, 2);
  }
}

void ColorPage::ShowSettings() {
  controls_.ShowAll();
}

void ColorPage::ShowStyleControls() {
  const int style = settings_.color.style;
  if (auto* item = styles_->item(style)) selected_->setText("Selected:" + item->text());
  const std::optional<ColorStyle> named = ColorStyleAt(style);
  const bool mosaic = named == ColorStyle::kVerticalMosaic;
  mosaic_->setVisible(mosaic);
  mosaicLabel_->setVisible(mosaic);
  const std::optional<int> paper = named ? PaperStyleIndex(*named) : std::nullopt;
  for (int k = 0; k < kPaperCount; ++k) {
    const bool shown = paper == k;
    paperColors_[k]->setVisible(shown);
    paperStrengths_[k]->setVisible(shown);
  }
}

}  // namespace quillstone
