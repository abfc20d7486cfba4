#include "ui/logo_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "pipeline/logo_stage.h"
#include "ui/color_swatch.h"
#include "ui/image_view.h"
#include "ui/logo_effects_panel.h"
#include "ui/widget_factory.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// Where each place's switch sits in the 3 x 3 grid, mirroring the image: c1 c2 c3 on top,
// c8 c9 c4 in the middle, c7 c6 c5 at the bottom.
constexpr std::array<std::pair<int, int>, kLogoPlaceCount> kPlaceCells = {{
    {0, 0},
    {0, 1},
    {0, 2},
    {1, 2},
    {2, 2},
    {2, 1},
    {2, 0},
    {1, 0},
    {1, 1},
}};

constexpr std::array<const char*, kLogoPlaceCount> kPlaceNames = {
    "top left",      "top center",  "top right",   "middle right", "bottom right",
    "bottom center", "bottom left", "middle left", "center"};

}  // namespace

LogoPage::LogoPage(Workspace& workspace, QWidget* parent)
    : QWidget(parent),
      workspace_(workspace),
      settings_(workspace.settings().watermark),
      controls_({[this] { emit renderNow(); }, [this] { emit renderLater(); }}) {
  QWidget* blendBox = BuildBlendingBox();
  placeBox_ = BuildPlaceBox();
  auto* top = new QHBoxLayout;
  top->addWidget(placeBox_);
  top->addWidget(BuildOptionBox(), 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(blendBox);
  layout->addLayout(top);
  layout->addWidget(BuildSizeBox());
  effects_ = new LogoEffectsPanel(workspace_, this);
  connect(effects_, &LogoEffectsPanel::logoChanged, this, [this] { ShowLogo(workspace_.logoImage()); });
  connect(effects_, &LogoEffectsPanel::renderLater, this, &LogoPage::renderLater);
  connect(effects_, &LogoEffectsPanel::specialWindowRequested, this, &LogoPage::specialWindowRequested);
  layout->addWidget(effects_);
  layout->addWidget(BuildLogoBox(), 1);
  ShowSettings();
}

// The logo's share of the blend: slider, labels and presets.
QWidget* LogoPage::BuildBlendingBox() {
  auto* box = new QGroupBox("Logo blending", this);
  alpha_ = controls_.Slider({"ScrollBar1", 0, 100, 10}, settings_.logo.alpha, box,
                            [this](int alpha) { ShowAlphaLabels(alpha); });
  logoPercent_ = Named(new QLabel(box), "logopercentlabel");
  imagePercent_ = Named(new QLabel(box), "imagepercentlabel");
  presets_ = Named(new QComboBox(box), "logopercentlist");
  for (int p = 0; p <= 100; p += 10) presets_->addItem(QStringLiteral("%1%").arg(p));
  connect(presets_, &QComboBox::activated, this, [this](int index) { alpha_->setValue(index * 10); });
  auto* layout = new QGridLayout(box);
  layout->addWidget(logoPercent_, 0, 0);
  layout->addWidget(imagePercent_, 0, 2, Qt::AlignRight);
  layout->addWidget(alpha_, 1, 0, 1, 3);
  layout->addWidget(presets_, 0, 1);
  return box;
}

// The nine places, with "Clear" and "Set all".
QWidget* LogoPage::BuildPlaceBox() {
  auto* box = new QGroupBox("Logo position", this);
  auto* layout = new QGridLayout(box);
  for (int i = 0; i < kLogoPlaceCount; ++i) {
    auto* place = controls_.Switch(qPrintable(QStringLiteral("c%1").arg(i + 1)), QString(),
                                   settings_.logo.places[i], box);
    place->setToolTip(kPlaceNames[i]);
    layout->addWidget(place, kPlaceCells[i].first, kPlaceCells[i].second, Qt::AlignCenter);
  }
  auto* clear = Named(new QPushButton("Clear", box), "clearpositions");
  auto* setAll = Named(new QPushButton("Set all", box), "setallpositions");
  connect(clear, &QPushButton::clicked, this, [this] { SetAllPlaces(false); });
  connect(setAll, &QPushButton::clicked, this, [this] { SetAllPlaces(true); });
  layout->addWidget(clear, 3, 0, 1, 2);
  layout->addWidget(setAll, 3, 2);
  return box;
}

// Transparency and colour-neutral blending.
QWidget* LogoPage::BuildOptionBox() {
  LogoSettings& logo = settings_.logo;
  auto* box = new QGroupBox("Logo options", this);
  auto* useTransparent =
      controls_.Switch("usetransparence", "Use transparent color", logo.useTransparentColor, box);
  transparentColor_ = new ColorSwatch("Panel1", box);
  transparentColor_->setToolTip("Transparent color: click into the logo to pick it");
  // "Plain" acts only on colour-neutral blending.
  auto* neutral = controls_.Switch("useimagecolorsforthelogo", "Use image colors for the logo",
                                   logo.colorNeutral, box, [this](bool on) { plain_->setEnabled(on); });
  plain_ = controls_.Switch("CheckBox6", "Plain", logo.plain, box);
  auto* layout = new QGridLayout(box);
  layout->addWidget(useTransparent, 0, 0);
  layout->addWidget(transparentColor_, 0, 1);
  layout->addWidget(neutral, 1, 0);
  layout->addWidget(plain_, 1, 1);
  return box;
}

// The logo sized to each image, and tiled over it instead of placed.
QWidget* LogoPage::BuildSizeBox() {
  LogoSettings& logo = settings_.logo;
  auto* box = new QGroupBox("Logo size and tiling", this);
  auto* percentLabel = Named(new QLabel(box), "logorelativelabel");
  auto* percent = controls_.Slider({"logorelativepercent", 1, 100, 5}, logo.relativePercent, box,
                                   LabelText(percentLabel, "%1% of the shorter side"));
  auto* relative = controls_.Switch("logorelative", "Logo size relative to the image", logo.relativeSize, box,
                                    [percent](bool on) { percent->setEnabled(on); });
  auto* spacingLabel = Named(new QLabel(box), "logotilespacinglabel");
  auto* spacing = controls_.Slider({"logotilespacing", 0, kMaxTileSpacing, 25}, logo.tileSpacing, box,
                                   LabelText(spacingLabel, "Spacing %1%"));
  tileAngle_ = Named(new QComboBox(box), "logotileangle");
  for (const int angle : kTileAngles) tileAngle_->addItem(QStringLiteral("%1\u00B0").arg(angle));
  connect(tileAngle_, &QComboBox::activated, this, [this](int index) {
    settings_.logo.tileAngle = kTileAngles[static_cast<std::size_t>(index)];
    emit renderNow();
  });
  // The places are not used while the logo is tiled.
  auto* tile = controls_.Switch("logotile", "Tile the logo across the image", logo.tile, box,
                                [this, spacing](bool on) {
                                  spacing->setEnabled(on);
                                  tileAngle_->setEnabled(on);
                                  placeBox_->setEnabled(!on);
                                });
  auto* layout = new QGridLayout(box);
  layout->addWidget(relative, 0, 0);
  layout->addWidget(percentLabel, 0, 1);
  layout->addWidget(percent, 0, 2);
  layout->addWidget(tile, 1, 0);
  layout->addWidget(spacingLabel, 1, 1);
  layout->addWidget(spacing, 1, 2);
  layout->addWidget(new QLabel("Angle:", box), 2, 1);
  layout->addWidget(tileAngle_, 2, 2);
  layout->setColumnStretch(2, 1);
  return box;
}

// The logo itself, with the colour under the pointer and its size.
QWidget* LogoPage::BuildLogoBox() {
  auto* box = new QGroupBox("Logo", this);
  logoView_ = Named(new ImageView(ImageView::Placement::kFitInside, box), "logoimage");
  logoView_->setMinimumSize(160, 80);
  logoView_->setCursor(Qt::CrossCursor);
  logoView_->setToolTip("Click into the logo to pick its transparent color");
  logoView_->onPixelPressed = [this](QPoint pixel) { PickTransparentColor(pixel); };
  auto* probe = new ColorSwatch("colorprobe", box);
  logoView_->onPixelHovered = [this, probe](QPoint pixel) {
    if (logo_ && !logo_->Empty()) probe->SetColor(MakeColor(logo_->Pixel(pixel.x(), pixel.y())));
  };
  logoWidth_ = Named(new QLabel(box), "logowidthlabel");
  logoHeight_ = Named(new QLabel(box), "logoheightlabel");
  auto* layout = new QGridLayout(box);
  layout->addWidget(logoView_, 0, 0, 1, 4);
  layout->addWidget(probe, 1, 0);
  layout->addWidget(logoWidth_, 1, 1);
  layout->addWidget(logoHeight_, 1, 2);
  layout->setColumnStretch(3, 1);
  return box;
}

void LogoPage::ShowSettings() {
  controls_.ShowAll();
  transparentColor_->SetColor(settings_.logo.transparentColor);
  const auto angle = std::find(kTileAngles.begin(), kTileAngles.end(), settings_.logo.tileAngle);
  tileAngle_->setCurrentIndex(angle != kTileAngles.end() ? static_cast<int>(angle - kTileAngles.begin())
                                                         : -1);
  effects_->ShowSettings();
}

void LogoPage::ShowLogo(const RasterImage& logo) {
  logo_ = &logo;
  logoView_->SetImage(&logo);
  logoWidth_->setText(QStringLiteral("width:%1").arg(logo.Width()));
  logoHeight_->setText(QStringLiteral("height:%1").arg(logo.Height()));
}

void LogoPage::SetLogoAreaVisible(bool visible) {
  logoView_->setVisible(visible);
}

void LogoPage::ShowAlphaLabels(int alpha) {
  logoPercent_->setText(QStringLiteral("%1% logo").arg(alpha));
  imagePercent_->setText(QStringLiteral("%1% image").arg(100 - alpha));
  // The preset list shows the share when it is one of its entries, else nothing.
  const QSignalBlocker blocker(presets_);
  presets_->setCurrentIndex(alpha % 10 == 0 ? alpha / 10 : -1);
}

// All nine places change, and the render follows once, after the last of them.
void LogoPage::SetAllPlaces(bool on) {
  settings_.logo.places.fill(on);
  controls_.ShowAll();
  emit renderNow();
}

void LogoPage::PickTransparentColor(QPoint pixel) {
  if (!logo_ || logo_->Empty()) return;
  settings_.logo.transparentColor = MakeColor(logo_->Pixel(pixel.x(), pixel.y()));
  transparentColor_->SetColor(settings_.logo.transparentColor);
  if (settings_.logo.useTransparentColor) emit renderNow();
}

}  // namespace quillstone
