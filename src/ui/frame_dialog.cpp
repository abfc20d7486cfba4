#include "ui/frame_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "decor/frames.h"
#include "ui/color_swatch.h"
#include "ui/image_view.h"

namespace quillstone {

FrameDialog::FrameDialog(FrameSettings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      prompter_(prompter),
      controls_({[this] { Changed(); }, [this] { Changed(); }}) {
  setObjectName("FrameWindow");
  setWindowTitle("Frame control");
  setModal(true);
  auto* frames = new QVBoxLayout;
  frames->addWidget(BuildFrameBox({"Outer frame", "outer", "Draw outer frame", settings_.outerOn,
                                   settings_.outerColor, settings_.outerWidth}));
  frames->addWidget(BuildFrameBox({"Inner frame", "inner", "Draw inner frame", settings_.innerOn,
                                   settings_.innerColor, settings_.innerWidth}));
  auto* back = Named(new QPushButton("Back", this), "frameback");
  back->setDefault(true);
  connect(back, &QPushButton::clicked, this, &QDialog::accept);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildExampleBox());
  right->addStretch(1);
  right->addWidget(back);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(frames, 1);
  layout->addLayout(right);
  ShowSettings();
}

QWidget* FrameDialog::BuildFrameBox(const FrameFields& frame) {
  auto* box = new QGroupBox(frame.title, this);
  const QString prefix = frame.prefix;
  QCheckBox* on = controls_.Switch(qPrintable(QStringLiteral("draw%1frame").arg(prefix)), frame.switchCaption,
                                   frame.on, box);
  ColorSwatch* color = controls_.Swatch(prefix + "framecolor", frame.color, prompter_, box);
  auto* select = Named(new QPushButton("Select color", box), qPrintable(prefix + "framecolorbutton"));
  connect(select, &QPushButton::clicked, color, &ColorSwatch::clicked);
  auto* value = Named(new QLabel(box), qPrintable(prefix + "framewidthlabel"));
  // A width renders only while its frame is drawn; otherwise nothing would change.
  QScrollBar* width = controls_.Slider({prefix + "framewidth", kMinFrameWidth, kMaxFrameWidth, 10},
                                       frame.width, box, LabelText(value, "%1"), Render::kNever);
  connect(width, &QScrollBar::valueChanged, this, [this, &drawn = frame.on] {
    if (drawn) Changed();
  });
  auto* layout = new QGridLayout(box);
  layout->addWidget(on, 0, 0, 1, 3);
  layout->addWidget(color, 1, 0);
  layout->addWidget(select, 1, 1, 1, 2);
  layout->addWidget(new QLabel("Strengh", box), 2, 0);
  layout->addWidget(width, 2, 1);
  layout->addWidget(value, 2, 2);
  layout->setColumnStretch(1, 1);
  width->setMinimumWidth(160);
  return box;
}

QWidget* FrameDialog::BuildExampleBox() {
  auto* box = new QGroupBox("Example", this);
  exampleView_ = Named(new ImageView(ImageView::Placement::kCentered, box), "frameexample");
  exampleView_->setFixedSize(kFramePreviewSide, kFramePreviewSide);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(exampleView_, 0, Qt::AlignCenter);
  return box;
}

void FrameDialog::Changed() {
  ShowExample();
  emit renderLater();
}

void FrameDialog::ShowExample() {
  DrawFramePreview(example_, settings_);
  exampleView_->SetImage(&example_);
}

void FrameDialog::ShowSettings() {
  controls_.ShowAll();
  ShowExample();
}

}  // namespace quillstone
