#include "ui/jpeg_preview_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "imagefiles/jpeg_preview.h"
#include "ui/color_swatch.h"
#include "ui/image_view.h"
#include "ui/qt_text.h"
#include "ui/widget_factory.h"
#include "workspace/save_flow.h"

namespace quillstone {
namespace {

constexpr int kCustomPane = JpegPreviewWindow::kFixedQualityCount;

int FixedQuality(int pane) {
  return kJpegPreviewFixedStep * (pane + 1);
}

QScrollBar* WideSlider(const char* name, int minimum, int maximum, QWidget* parent) {
  QScrollBar* slider = Slider(name, minimum, maximum, 10, parent);
  slider->setMinimumWidth(160);
  return slider;
}

ImageView* Pane(const QString& name, QWidget* parent) {
  auto* pane = new ImageView(ImageView::Placement::kCentered, parent);
  pane->setObjectName(name);
  pane->setFixedSize(kJpegPreviewSide, kJpegPreviewSide);
  return pane;
}

}  // namespace

JpegPreviewWindow::JpegPreviewWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("jpegpreview");
  setWindowTitle(ToQString(kJpegPreviewTitle));

  auto* grid = new QGridLayout;
  auto* currentBox = new QVBoxLayout;
  currentPane_ = Pane("currentimagepane", this);
  currentBox->addWidget(currentPane_);
  currentBox->addWidget(new QLabel("Current image", this));
  grid->addLayout(currentBox, 0, 0);
  for (int pane = 0; pane < kPaneCount; ++pane) {
    const bool custom = pane == kCustomPane;
    panes_[pane] = Pane(
        custom ? QStringLiteral("previewcustom") : QStringLiteral("preview%1").arg(FixedQuality(pane)), this);
    choices_[pane] = new QRadioButton(custom ? QStringLiteral("Custom compression")
                                             : QStringLiteral("Compression %1%").arg(FixedQuality(pane)),
                                      this);
    choices_[pane]->setObjectName(custom ? QStringLiteral("customcompression")
                                         : QStringLiteral("compression%1").arg(FixedQuality(pane)));
    auto* cell = new QVBoxLayout;
    cell->addWidget(panes_[pane]);
    cell->addWidget(choices_[pane]);
    const int slot = pane + 1;
    grid->addLayout(cell, slot / 4, slot % 4);
  }

  custom_ = WideSlider("customslider", 1, 100, this);
  custom_->setValue(50);
  custom_->setToolTip("Best=100%, Worst=1%");
  custom_->setFocusPolicy(Qt::StrongFocus);
  custom_->installEventFilter(this);
  customLabel_ = new QLabel(this);
  customLabel_->setObjectName("customlabel");
  offsetX_ = WideSlider("xoffset", 0, 0, this);
  offsetY_ = WideSlider("yoffset", 0, 0, this);
  offsetXLabel_ = new QLabel("0", this);
  offsetXLabel_->setObjectName("xoffsetlabel");
  offsetYLabel_ = new QLabel("0", this);
  offsetYLabel_->setObjectName("yoffsetlabel");
  grayscale_ = new QCheckBox("Grayscale", this);
  grayscale_->setObjectName("grayscale");
  progressive_ = new QCheckBox("Progressive", this);
  progressive_->setObjectName("progressive");
  previousButton_ = new QPushButton("Prev. image", this);
  previousButton_->setObjectName("previmage");
  nextButton_ = new QPushButton("Next image", this);
  nextButton_->setObjectName("nextimage");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("jpegok");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("jpegcancel");

  connect(custom_, &QScrollBar::valueChanged, this, [this](int value) {
    customLabel_->setText(QStringLiteral("%1%").arg(value));
    // Only the custom pane follows the slider; a move while it encodes is not re-entered.
    if (encodingCustom_ || image_ == nullptr) return;
    encodingCustom_ = true;
    EncodePane(kCustomPane, value);
    encodingCustom_ = false;
  });
  customLabel_->setText(QStringLiteral("%1%").arg(custom_->value()));
  for (QScrollBar* offset : {offsetX_, offsetY_}) {
    connect(offset, &QScrollBar::valueChanged, this, [this] { Refresh(); });
  }
  connect(previousButton_, &QPushButton::clicked, this, [this] { Step(previous_); });
  connect(nextButton_, &QPushButton::clicked, this, [this] { Step(next_); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* controls = new QGridLayout;
  controls->addWidget(new QLabel("Custom compression:", this), 0, 0);
  controls->addWidget(custom_, 0, 1);
  controls->addWidget(customLabel_, 0, 2);
  controls->addWidget(new QLabel("X:", this), 1, 0);
  controls->addWidget(offsetX_, 1, 1);
  controls->addWidget(offsetXLabel_, 1, 2);
  controls->addWidget(new QLabel("Y:", this), 2, 0);
  controls->addWidget(offsetY_, 2, 1);
  controls->addWidget(offsetYLabel_, 2, 2);
  auto* buttons = new QHBoxLayout;
  for (QWidget* widget :
       std::initializer_list<QWidget*>{grayscale_, progressive_, previousButton_, nextButton_})
    buttons->addWidget(widget);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(controls);
  layout->addLayout(buttons);
}

std::optional<JpegOptions> JpegPreviewWindow::Run(const JpegPreviewRequest& request) {
  previous_ = request.previous;
  next_ = request.next;
  // Opened for a save, the window has no stepping buttons.
  previousButton_->setVisible(static_cast<bool>(previous_));
  nextButton_->setVisible(static_cast<bool>(next_));
  ShowChoice(request.initial);
  ShowImage(request.image);
  const bool accepted = exec() == QDialog::Accepted;
  image_ = nullptr;
  previous_ = {};
  next_ = {};
  if (!accepted) return std::nullopt;
  return Choice();
}

// The option of the quality when there is one, else "Custom compression" on it; the custom
// slider starts on the quality in either case.
void JpegPreviewWindow::ShowChoice(const JpegOptions& initial) {
  {
    const QSignalBlocker blocker(custom_);
    custom_->setValue(initial.quality);
    customLabel_->setText(QStringLiteral("%1%").arg(custom_->value()));
  }
  const int fixed = JpegPreviewFixedQuality(initial.quality);
  choices_[fixed == 0 ? kCustomPane : fixed / kJpegPreviewFixedStep - 1]->setChecked(true);
  grayscale_->setChecked(initial.greyscale);
  progressive_->setChecked(initial.progressive);
}

JpegOptions JpegPreviewWindow::Choice() const {
  int quality = custom_->value();
  for (int pane = 0; pane < kFixedQualityCount; ++pane) {
    if (choices_[pane]->isChecked()) quality = FixedQuality(pane);
  }
  return {quality, grayscale_->isChecked(), progressive_->isChecked()};
}

void JpegPreviewWindow::ShowImage(const RasterImage& image) {
  image_ = &image;
  SetOffsetMaxima();
  Refresh();
}

void JpegPreviewWindow::SetOffsetMaxima() {
  const QSignalBlocker blockX(offsetX_);
  const QSignalBlocker blockY(offsetY_);
  offsetX_->setMaximum(JpegPreviewMaxOffset(image_->Width()));
  offsetY_->setMaximum(JpegPreviewMaxOffset(image_->Height()));
}

// The user's custom quality is kept while the square moves; it is set from the batch
// quality only when the window opens.
void JpegPreviewWindow::Refresh() {
  offsetXLabel_->setText(QString::number(offsetX_->value()));
  offsetYLabel_->setText(QString::number(offsetY_->value()));
  if (image_ == nullptr) return;
  CropForJpegPreview(*image_, offsetX_->value(), offsetY_->value(),
                     FromQColor(palette().color(QPalette::Window)), crop_);
  currentPane_->SetImage(&crop_);
  for (int pane = 0; pane < kFixedQualityCount; ++pane) EncodePane(pane, FixedQuality(pane));
  EncodePane(kCustomPane, custom_->value());
}

// The panes show colour at baseline whatever "Grayscale" and "Progressive" say; only the
// written file follows them.
void JpegPreviewWindow::EncodePane(int pane, int quality) {
  if (!JpegRoundTrip(crop_, JpegOptions{quality, false, false}, decoded_[pane], buffer_))
    decoded_[pane].Clear();
  panes_[pane]->SetImage(&decoded_[pane]);
}

void JpegPreviewWindow::Step(const std::function<void()>& command) {
  if (!command || image_ == nullptr) return;
  command();
  ShowImage(*image_);
}

bool JpegPreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == custom_ && event->type() == QEvent::FocusIn) choices_[kCustomPane]->setChecked(true);
  return QDialog::eventFilter(watched, event);
}

}  // namespace quillstone
