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

#include "ui/color_swatch.h"
#include "ui/image_view.h"
#include "ui/widget_factory.h"

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

LogoPage::LogoPage(WatermarkSettings& settings, QWidget* parent) : QWidget(parent), settings_(settings) {
  // Blending: slider, labels and presets.
  auto* blendBox = new QGroupBox("Logo blending", this);
  alpha_ = new QScrollBar(Qt::Horizontal, blendBox);
  alpha_->setObjectName("ScrollBar1");
  alpha_->setRange(0, 100);
  alpha_->setPageStep(10);
  logoPercent_ = new QLabel(blendBox);
  logoPercent_->setObjectName("logopercentlabel");
  imagePercent_ = new QLabel(blendBox);
  imagePercent_->setObjectName("imagepercentlabel");
  presets_ = new QComboBox(blendBox);
  presets_->setObjectName("logopercentlist");
  for (int p = 0; p <= 100; p += 10) presets_->addItem(QStringLiteral("%1%").arg(p));
  connect(alpha_, &QScrollBar::valueChanged, this, [this](int value) {
    settings_.logo.alpha = value;
    ShowAlphaLabels(value);
    emit renderLater();
  });
  connect(presets_, &QComboBox::activated, this, [this](int index) { alpha_->setValue(index * 10); });
  auto* blendLayout = new QGridLayout(blendBox);
  blendLayout->addWidget(logoPercent_, 0, 0);
  blendLayout->addWidget(imagePercent_, 0, 2, Qt::AlignRight);
  blendLayout->addWidget(alpha_, 1, 0, 1, 3);
  blendLayout->addWidget(presets_, 0, 1);

  // The nine places.
  auto* placeBox = new QGroupBox("Logo position", this);
  auto* placeLayout = new QGridLayout(placeBox);
  for (int i = 0; i < kLogoPlaceCount; ++i) {
    places_[i] = Switch(qPrintable(QStringLiteral("c%1").arg(i + 1)), QString(), placeBox);
    places_[i]->setToolTip(kPlaceNames[i]);
    placeLayout->addWidget(places_[i], kPlaceCells[i].first, kPlaceCells[i].second, Qt::AlignCenter);
    connect(places_[i], &QCheckBox::toggled, this, [this, i](bool on) {
      settings_.logo.places[i] = on;
      emit renderNow();
    });
  }
  auto* clear = new QPushButton("Clear", placeBox);
  clear->setObjectName("clearpositions");
  auto* setAll = new QPushButton("Set all", placeBox);
  setAll->setObjectName("setallpositions");
  connect(clear, &QPushButton::clicked, this, [this] { SetAllPlaces(false); });
  connect(setAll, &QPushButton::clicked, this, [this] { SetAllPlaces(true); });
  placeLayout->addWidget(clear, 3, 0, 1, 2);
  placeLayout->addWidget(setAll, 3, 2);

  // Transparency and colour-neutral blending.
  auto* optionBox = new QGroupBox("Logo options", this);
  useTransparent_ = Switch("usetransparence", "Use transparent color", optionBox);
  transparentColor_ = new ColorSwatch("Panel1", optionBox);
  transparentColor_->setToolTip("Transparent color: click into the logo to pick it");
  neutral_ = Switch("useimagecolorsforthelogo", "Use image colors for the logo", optionBox);
  plain_ = Switch("CheckBox6", "Plain", optionBox);
  connect(useTransparent_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.logo.useTransparentColor = on;
    emit renderNow();
  });
  connect(neutral_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.logo.colorNeutral = on;
    plain_->setEnabled(on);
    emit renderNow();
  });
  connect(plain_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.logo.plain = on;
    emit renderNow();
  });
  auto* optionLayout = new QGridLayout(optionBox);
  optionLayout->addWidget(useTransparent_, 0, 0);
  optionLayout->addWidget(transparentColor_, 0, 1);
  optionLayout->addWidget(neutral_, 1, 0);
  optionLayout->addWidget(plain_, 1, 1);

  // The logo itself, with the colour under the pointer.
  auto* logoBox = new QGroupBox("Logo", this);
  logoView_ = new ImageView(ImageView::Placement::kFitInside, logoBox);
  logoView_->setObjectName("logoimage");
  logoView_->setMinimumSize(160, 80);
  logoView_->setCursor(Qt::CrossCursor);
  logoView_->setToolTip("Click into the logo to pick its transparent color");
  logoView_->onPixelPressed = [this](QPoint pixel) { PickTransparentColor(pixel); };
  probe_ = new ColorSwatch("colorprobe", logoBox);
  logoView_->onPixelHovered = [this](QPoint pixel) {
    if (logo_ && !logo_->Empty()) probe_->SetColor(MakeColor(logo_->Pixel(pixel.x(), pixel.y())));
  };
  logoWidth_ = new QLabel(logoBox);
  logoWidth_->setObjectName("logowidthlabel");
  logoHeight_ = new QLabel(logoBox);
  logoHeight_->setObjectName("logoheightlabel");
  auto* loadLogo = new QPushButton("Load your logo", logoBox);
  loadLogo->setObjectName("loadlogobutton");
  loadLogo->setEnabled(false);
  auto* logoLayout = new QGridLayout(logoBox);
  logoLayout->addWidget(logoView_, 0, 0, 1, 4);
  logoLayout->addWidget(probe_, 1, 0);
  logoLayout->addWidget(logoWidth_, 1, 1);
  logoLayout->addWidget(logoHeight_, 1, 2);
  logoLayout->addWidget(loadLogo, 1, 3);

  auto* top = new QHBoxLayout;
  top->addWidget(placeBox);
  top->addWidget(optionBox, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(blendBox);
  layout->addLayout(top);
  layout->addWidget(logoBox, 1);
  ShowSettings();
}

void LogoPage::ShowSettings() {
  const LogoSettings& logo = settings_.logo;
  {
    const QSignalBlocker blocker(alpha_);
    alpha_->setValue(logo.alpha);
  }
  ShowAlphaLabels(logo.alpha);
  for (int i = 0; i < kLogoPlaceCount; ++i) {
    const QSignalBlocker blocker(places_[i]);
    places_[i]->setChecked(logo.places[i]);
  }
  const std::pair<QCheckBox*, bool> switches[] = {
      {useTransparent_, logo.useTransparentColor}, {neutral_, logo.colorNeutral}, {plain_, logo.plain}};
  for (const auto& [box, on] : switches) {
    const QSignalBlocker blocker(box);
    box->setChecked(on);
  }
  plain_->setEnabled(logo.colorNeutral);
  transparentColor_->SetColor(logo.transparentColor);
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
  for (int i = 0; i < kLogoPlaceCount; ++i) {
    const QSignalBlocker blocker(places_[i]);
    places_[i]->setChecked(on);
    settings_.logo.places[i] = on;
  }
  emit renderNow();
}

void LogoPage::PickTransparentColor(QPoint pixel) {
  if (!logo_ || logo_->Empty()) return;
  settings_.logo.transparentColor = MakeColor(logo_->Pixel(pixel.x(), pixel.y()));
  transparentColor_->SetColor(settings_.logo.transparentColor);
  if (settings_.logo.useTransparentColor) emit renderNow();
}

}  // namespace quillstone
