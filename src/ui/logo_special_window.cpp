#include "ui/logo_special_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "logo/logo_resample.h"
#include "ui/color_swatch.h"
#include "ui/image_view.h"
#include "ui/radio_group.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

constexpr const char* kSwatchHint = "Click here, for changing fill color";

// A swatch that only shows a colour, with a short caption saying which.
ColorSwatch* ShownSwatch(const QString& name, const QString& caption, QWidget* parent) {
  auto* swatch = new ColorSwatch(name, parent);
  swatch->setMinimumSize(48, 24);
  swatch->setCursor(Qt::ArrowCursor);
  swatch->SetCaption(caption);
  return swatch;
}

// A logo at its own size, scrolled when it is larger than the space the window gives it.
QScrollArea* LogoScroll(ImageView* view, QWidget* parent) {
  auto* area = new QScrollArea(parent);
  area->setAlignment(Qt::AlignCenter);
  area->setWidget(view);
  area->setMinimumSize(220, 160);
  return area;
}

}  // namespace

LogoSpecialWindow::LogoSpecialWindow(Workspace& workspace, QWidget* parent)
    : QDialog(parent),
      prompter_(workspace.prompter()),
      editor_(workspace),
      controls_({[this] {
                   editor_.RefreshPreview();
                   ShowLogos();
                 },
                 [this] {
                   editor_.RefreshPreview();
                   ShowLogos();
                 }}) {
  setObjectName("LogoSpecialWindow");
  setWindowTitle("Logo special");
  setModal(true);
  auto* heading = new QLabel("Apply effects to your logo", this);
  QFont bold = heading->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.25);
  heading->setFont(bold);

  auto* left = new QVBoxLayout;
  left->addWidget(BuildCommandBox());
  left->addWidget(BuildChangeOtherBox());
  left->addWidget(BuildChangeSelectedBox());
  left->addWidget(BuildResizeBox());
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildActiveLogoBox(), 3);
  right->addWidget(BuildResizedLogoBox(), 2);
  auto* body = new QHBoxLayout;
  body->addLayout(left);
  body->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addLayout(body, 1);
  layout->addLayout(BuildButtonRow());
}

QPushButton* LogoSpecialWindow::CommandButton(const char* name, const QString& caption, LogoCommand command,
                                              QWidget* parent) {
  auto* button = Named(new QPushButton(caption, parent), name);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, command] {
    editor_.Run(command);
    ShowLogos();
  });
  return button;
}

// The geometric commands and the pixel effects, three to a row.
QWidget* LogoSpecialWindow::BuildCommandBox() {
  auto* box = new QGroupBox("Effects", this);
  const struct {
    const char* name;
    const char* caption;
    LogoCommand command;
  } commands[] = {
      {"flipright", "Flip logo right", LogoCommand::kFlipRight},
      {"flipdown", "Flip logo down", LogoCommand::kFlipDown},
      {"mirrorright", "Mirror logo right", LogoCommand::kMirrorRight},
      {"mirrordown", "Mirror logo down", LogoCommand::kMirrorDown},
      {"rotate90", "Rotate logo 90 degr.", LogoCommand::kRotateQuarter},
      {"ripplerandom", "Ripple Random", LogoCommand::kRippleRandom},
      {"rippletooth", "Ripple Tooth", LogoCommand::kRippleTooth},
      {"rippletriangle", "Ripple Triangle", LogoCommand::kRippleTriangle},
      {"triangles", "Triangles", LogoCommand::kTriangles},
      {"darker", "Darkness ++", LogoCommand::kDarker},
      {"lighter", "Lightness ++", LogoCommand::kLighter},
      {"gaussianblur", "Gaussian Blur", LogoCommand::kBlur},
      {"grayscale", "Grayscale", LogoCommand::kGrayscale},
      {"invert", "Invert", LogoCommand::kInvert},
      {"autocrop", "Autocrop", LogoCommand::kAutocrop},
  };
  auto* layout = new QGridLayout(box);
  int index = 0;
  for (const auto& command : commands) {
    layout->addWidget(CommandButton(command.name, command.caption, command.command, box), index / 3,
                      index % 3);
    ++index;
  }
  return box;
}

// The working logo at its own size; a press picks its colour, a drag in crop selection
// selects the part to keep.
QWidget* LogoSpecialWindow::BuildActiveLogoBox() {
  auto* box = new QGroupBox("Active logo", this);
  active_ = Named(new ImageView(ImageView::Placement::kActualSize), "activelogo");
  active_->setCursor(Qt::CrossCursor);
  active_->onPixelPressed = [this](QPoint pixel) {
    editor_.Press(pixel.x(), pixel.y());
    ShowPickedColors();
    ShowLiveColor();
    ShowLogos();
  };
  active_->onPixelHovered = [this](QPoint pixel) {
    if (editor_.dragging()) return;  // the drag below sees the move
    editor_.Move(pixel.x(), pixel.y());
    ShowLiveColor();
  };
  active_->onDragged = [this](QPoint at) {
    if (!editor_.dragging()) return;
    editor_.Move(at.x(), at.y());
    ShowLiveColor();
    ShowLogos();
  };
  active_->onReleased = [this](QPoint at) {
    if (!editor_.dragging()) return;
    if (editor_.Release(at.x(), at.y())) controls_.ShowAll();  // back to colour selection
    ShowLogos();
  };
  activeSize_ = Named(new QLabel(box), "activelogosize");
  auto* mode = controls_.Choice(
      new RadioGroup("Mouse", {{"Color selection", "Crop selection"}, "mousemode%1"}, box, Qt::Horizontal, 2),
      editor_.settings().mouseMode, {}, Render::kNever);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(LogoScroll(active_, box), 1);
  auto* row = new QHBoxLayout;
  row->addWidget(activeSize_, 1);
  row->addWidget(mode);
  layout->addLayout(row);
  return box;
}

// "Change other colors to": the held colour, the colour under the pointer and the colour
// every other pixel takes.
QWidget* LogoSpecialWindow::BuildChangeOtherBox() {
  auto* box = new QGroupBox("Change other colors to", this);
  held_ = ShownSwatch("heldcolor", "held", box);
  held_->setToolTip("The color clicked in the logo");
  live_ = ShownSwatch("livecolor", "live", box);
  live_->setToolTip("The color under the mouse");
  ColorSwatch* target =
      controls_.Swatch("othercolorstarget", editor_.settings().otherColorsTarget, prompter_, box);
  target->setToolTip(kSwatchHint);
  target->SetCaption("to");
  auto* change = Named(new QPushButton("Change", box), "changeothers");
  connect(change, &QPushButton::clicked, this, [this, change] {
    change->setEnabled(false);
    editor_.Run(LogoCommand::kChangeOtherColors);
    ShowLogos();
    change->setEnabled(true);
  });
  auto* layout = new QHBoxLayout(box);
  layout->addWidget(held_);
  layout->addWidget(live_);
  layout->addWidget(target);
  layout->addStretch(1);
  layout->addWidget(change);
  return box;
}

// "Change selected color to (Click into image)": a click fills the slot whose box is on.
QWidget* LogoSpecialWindow::BuildChangeSelectedBox() {
  LogoSpecialSettings& s = editor_.settings();
  auto* box = new QGroupBox("Change selected color to (Click into image)", this);
  sourceCheck_ = Switch("sourceslotcheck", QString(), box);
  targetCheck_ = Switch("targetslotcheck", QString(), box);
  auto* slotChoice = new QButtonGroup(box);
  slotChoice->setExclusive(true);
  slotChoice->addButton(sourceCheck_);
  slotChoice->addButton(targetCheck_);
  connect(sourceCheck_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) ChooseSlot(ColorSlot::kSource);
  });
  connect(targetCheck_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) ChooseSlot(ColorSlot::kTarget);
  });
  sourceSlot_ = ShownSwatch("sourceslot", "from", box);
  sourceSlot_->setToolTip("The color to change: click into the logo");
  sourceLive_ = ShownSwatch("sourcelive", "live", box);
  sourceLive_->setToolTip("The color under the mouse");
  ColorSwatch* targetSlot = controls_.Swatch("targetslot", s.targetSlot, prompter_, box);
  targetSlot->setToolTip(kSwatchHint);
  targetSlot->SetCaption("to");
  targetLive_ = ShownSwatch("targetlive", "live", box);
  targetLive_->setToolTip("The color under the mouse");
  auto* change = Named(new QPushButton("Change", box), "changeselected");
  connect(change, &QPushButton::clicked, this, [this, change] {
    change->setEnabled(false);
    editor_.Run(LogoCommand::kChangeSelectedColor);
    ShowLogos();
    change->setEnabled(true);
  });
  auto* layout = new QHBoxLayout(box);
  layout->addWidget(sourceCheck_);
  layout->addWidget(sourceSlot_);
  layout->addWidget(sourceLive_);
  layout->addSpacing(8);
  layout->addWidget(targetCheck_);
  layout->addWidget(targetSlot);
  layout->addWidget(targetLive_);
  layout->addStretch(1);
  layout->addWidget(change);
  return box;
}

// The resize percentage with its presets and "Smooth"; the preview follows each change.
QWidget* LogoSpecialWindow::BuildResizeBox() {
  LogoSpecialSettings& s = editor_.settings();
  auto* box = new QGroupBox("Resize logo", this);
  auto* label = Named(new QLabel(box), "resizelabel");
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance("200%") + 4);
  QScrollBar* percent = controls_.Slider({"resizebar", kMinLogoResizePercent, kMaxLogoResizePercent, 10},
                                         s.resizePercent, box, LabelText(label, "%1%"));
  auto* smooth = controls_.Switch("smooth", "Smooth", s.smooth, box);
  auto* useResized = Named(new QPushButton("Use resized logo", box), "useresized");
  connect(useResized, &QPushButton::clicked, this, [this] {
    editor_.Run(LogoCommand::kUseResized);
    ShowLogos();
  });
  auto* presets = new QHBoxLayout;
  presets->setSpacing(2);
  for (const int p : {25, 50, 75, 100, 125, 150, 175}) {
    auto* preset = Named(new QPushButton(QStringLiteral("%1%").arg(p), box),
                         qPrintable(QStringLiteral("resize%1").arg(p)));
    preset->setMinimumWidth(preset->fontMetrics().horizontalAdvance("175%") + 12);
    preset->setMaximumWidth(preset->minimumWidth() + 8);
    connect(preset, &QPushButton::clicked, percent, [percent, p] { percent->setValue(p); });
    presets->addWidget(preset);
  }
  presets->addStretch(1);
  auto* layout = new QGridLayout(box);
  layout->addWidget(percent, 0, 0, 1, 2);
  layout->addWidget(label, 0, 2);
  layout->addLayout(presets, 1, 0, 1, 3);
  layout->addWidget(smooth, 2, 0);
  layout->addWidget(useResized, 2, 1, 1, 2, Qt::AlignRight);
  layout->setColumnStretch(0, 1);
  return box;
}

QWidget* LogoSpecialWindow::BuildResizedLogoBox() {
  auto* box = new QGroupBox("Resized logo", this);
  resized_ = Named(new ImageView(ImageView::Placement::kActualSize), "resizedlogo");
  resizedSize_ = Named(new QLabel(box), "resizedlogosize");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(LogoScroll(resized_, box), 1);
  layout->addWidget(resizedSize_);
  return box;
}

QLayout* LogoSpecialWindow::BuildButtonRow() {
  auto* reload = Named(new QPushButton("Reload logo", this), "reloadlogo");
  reload->setToolTip("Back to the logo as it was when the window opened");
  connect(reload, &QPushButton::clicked, this, [this] {
    editor_.Run(LogoCommand::kReload);
    ShowLogos();
  });
  auto* load = Named(new QPushButton("Load your logo", this), "loadyourlogo");
  connect(load, &QPushButton::clicked, this, [this] {
    editor_.LoadLogo();
    controls_.ShowAll();  // back to colour selection
    ShowLogos();
  });
  auto* save = Named(new QPushButton("Save your logo", this), "saveyourlogo");
  connect(save, &QPushButton::clicked, this, [this] { editor_.SaveLogo(); });
  auto* apply = Named(new QPushButton("Apply", this), "applylogo");
  apply->setToolTip("Use the edited logo for watermarking");
  apply->setDefault(true);
  connect(apply, &QPushButton::clicked, this, [this] {
    editor_.Apply();
    accept();
  });
  auto* cancel = Named(new QPushButton("Cancel", this), "cancellogo");
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addWidget(reload);
  row->addWidget(load);
  row->addWidget(save);
  row->addStretch(1);
  row->addWidget(apply);
  row->addWidget(cancel);
  return row;
}

bool LogoSpecialWindow::Run() {
  editor_.Open();
  ShowSettings();
  return exec() == QDialog::Accepted;
}

void LogoSpecialWindow::ShowSettings() {
  {
    const QSignalBlocker sourceBlocker(sourceCheck_);
    const QSignalBlocker targetBlocker(targetCheck_);
    (editor_.settings().activeSlot == ColorSlot::kSource ? sourceCheck_ : targetCheck_)->setChecked(true);
  }
  ShowPickedColors();
  ShowLiveColor();
  ShowLogos();
}

void LogoSpecialWindow::ShowLogos() {
  const RasterImage& shown = editor_.shownLogo();
  const RasterImage& resized = editor_.resizedLogo();
  active_->SetImage(&shown);
  resized_->SetImage(&resized);
  activeSize_->setText(QStringLiteral("%1 x %2").arg(shown.Width()).arg(shown.Height()));
  resizedSize_->setText(QStringLiteral("%1 x %2").arg(resized.Width()).arg(resized.Height()));
}

// The held colour and the slots as the last click left them, with every bound control.
void LogoSpecialWindow::ShowPickedColors() {
  controls_.ShowAll();
  held_->SetColor(editor_.settings().heldColor);
  sourceSlot_->SetColor(editor_.settings().sourceSlot);
}

// The colour under the pointer, in the live swatch and beside the slot whose box is on.
void LogoSpecialWindow::ShowLiveColor() {
  live_->SetColor(editor_.liveColor());
  (editor_.settings().activeSlot == ColorSlot::kSource ? sourceLive_ : targetLive_)
      ->SetColor(editor_.liveColor());
}

void LogoSpecialWindow::ChooseSlot(ColorSlot slot) {
  editor_.settings().activeSlot = slot;
}

}  // namespace quillstone
