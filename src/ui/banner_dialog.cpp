#include "ui/banner_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QValidator>

#include "decor/banner.h"
#include "ui/color_swatch.h"
#include "workspace/banner_flow.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// Lets into a size field only what the banner takes from the keyboard: digits, at most four.
class BannerSideValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    if (input.size() > kBannerFieldDigits) return Invalid;
    for (const QChar c : input) {
      if (c.unicode() > 0x7F || !BannerFieldAcceptsKey(static_cast<char>(c.unicode()))) return Invalid;
    }
    return Acceptable;
  }
};

}  // namespace

BannerDialog::BannerDialog(Workspace& workspace, Prompter& prompter, QWidget* parent)
    : QDialog(parent), workspace_(workspace), prompter_(prompter) {
  setObjectName("BannerWindow");
  setWindowTitle("Get empty bitmap for banner creation");
  setModal(true);
  auto* ok = Named(new QPushButton("OK", this), "bannerok");
  ok->setDefault(true);
  auto* cancel = Named(new QPushButton("Cancel", this), "bannercancel");
  connect(ok, &QPushButton::clicked, this, &BannerDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildCalculateBox());
  right->addWidget(BuildBackgroundBox());
  auto* left = new QVBoxLayout;
  left->addWidget(BuildSizeBox());
  left->addStretch(1);
  auto* boxes = new QHBoxLayout;
  boxes->addLayout(left);
  boxes->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(boxes);
  layout->addLayout(buttons);
  ShowSettings();
}

QWidget* BannerDialog::BuildSizeBox() {
  BannerFields& fields = workspace_.settings().banner;
  auto* box = new QGroupBox("Size", this);
  auto* layout = new QGridLayout(box);
  QLineEdit* width = controls_.Field("bannerwidth", fields.width, box);
  QLineEdit* height = controls_.Field("bannerheight", fields.height, box);
  for (QLineEdit* edit : {width, height}) {
    edit->setValidator(new BannerSideValidator(edit));
    edit->setMaxLength(kBannerFieldDigits);
  }
  auto* presets = Named(new QComboBox(box), "examplesizes");
  for (const BannerSize& size : kBannerPresets)
    presets->addItem(QStringLiteral("%1x%2").arg(size.width).arg(size.height));
  presets->setPlaceholderText("Example sizes");
  presets->setCurrentIndex(-1);
  connect(presets, &QComboBox::activated, this, [this](int index) {
    ChooseBannerPreset(workspace_.settings().banner, index);
    controls_.ShowAll();
  });
  auto* logoWidth = Named(new QPushButton("Use width of logo", box), "uselogowidth");
  auto* logoHeight = Named(new QPushButton("Use height of logo", box), "uselogoheight");
  for (const auto& [button, side] :
       {std::pair{logoWidth, BannerSide::kWidth}, {logoHeight, BannerSide::kHeight}}) {
    connect(button, &QPushButton::clicked, this, [this, side = side] {
      if (UseLogoSideForBanner(workspace_, side)) controls_.ShowAll();
    });
  }
  layout->addWidget(new QLabel("User width", box), 0, 0);
  layout->addWidget(width, 0, 1);
  layout->addWidget(logoWidth, 0, 2);
  layout->addWidget(new QLabel("User height", box), 1, 0);
  layout->addWidget(height, 1, 1);
  layout->addWidget(logoHeight, 1, 2);
  layout->addWidget(new QLabel("Example sizes", box), 2, 0);
  layout->addWidget(presets, 2, 1, 1, 2);
  return box;
}

QWidget* BannerDialog::BuildCalculateBox() {
  BannerFields& fields = workspace_.settings().banner;
  auto* box = new QGroupBox("Size of the text", this);
  auto* calculate =
      Named(new QPushButton("Calculate size based on\nthe text that\nyou're using for\nwatermarking", box),
            "calculatesize");
  connect(calculate, &QPushButton::clicked, this, [this] {
    if (CalculateBannerFields(workspace_)) controls_.ShowAll();
  });
  auto* label = Named(new QLabel(box), "bannermarginlabel");
  QScrollBar* margin = controls_.Slider(
      {"bannermargin", 0, kMaxBannerMargin, 5}, fields.margin, box,
      [label](int pixels) { label->setText(QString::fromStdString(BannerMarginLabel(pixels))); });
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(calculate);
  layout->addWidget(margin);
  layout->addWidget(label);
  return box;
}

QWidget* BannerDialog::BuildBackgroundBox() {
  auto* box = new QGroupBox("Background color", this);
  ColorSwatch* background =
      controls_.Swatch("bannerbackground", workspace_.settings().banner.background, prompter_, box);
  background->setMinimumSize(96, 32);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(background, 0, Qt::AlignCenter);
  return box;
}

void BannerDialog::ShowSettings() {
  controls_.ShowAll();
}

bool BannerDialog::Run() {
  ShowSettings();
  return exec() == QDialog::Accepted;
}

void BannerDialog::accept() {
  if (CheckBannerFields(workspace_)) QDialog::accept();
}

}  // namespace quillstone
