#include "ui/effect_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "effects/effect_commands.h"
#include "ui/image_view.h"
#include "ui/qt_text.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

EffectWindow::EffectWindow(Workspace& workspace, QWidget* parent)
    : QDialog(parent), workspace_(workspace), workbench_(workspace) {
  setObjectName("EffectWindow");
  setWindowTitle("Effect window");
  setModal(true);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(BuildCommandBox());
  layout->addWidget(BuildPreviewBox(), 1);
  layout->addWidget(BuildMacroBox());
}

// The commands in the order of the effect library, each with its "Add to macro".
QWidget* EffectWindow::BuildCommandBox() {
  auto* box = new QGroupBox("Effects", this);
  auto* grid = new QGridLayout(box);
  for (int i = 0; i < kEffectCommandCount; ++i) {
    const EffectCommand& command = kEffectCommands[static_cast<std::size_t>(i)];
    // Named after the command's macro word: "effect_negative", "addmacro_negative".
    const QString word = ToQString(command.macroWord);
    auto* run = Button("effect_" + word, ToQString(command.caption), box);
    auto* add = Button("addmacro_" + word, "Add to macro", box);
    connect(run, &QPushButton::clicked, this, [this, i] {
      workbench_.RunCommand(i);
      ShowPreview();
    });
    connect(add, &QPushButton::clicked, this, [this, i] {
      workbench_.AddToMacro(i);
      ShowMacro();
    });
    grid->addWidget(run, i, 0);
    grid->addWidget(add, i, 1);
  }
  grid->setRowStretch(kEffectCommandCount, 1);
  commandBox_ = box;
  return box;
}

QWidget* EffectWindow::BuildPreviewBox() {
  auto* box = new QGroupBox("Image preview", this);
  auto* area = Named(new QScrollArea(box), "previewscroll");
  area->setAlignment(Qt::AlignCenter);
  preview_ = Named(new ImageView(ImageView::Placement::kActualSize), "previewimage");
  area->setWidget(preview_);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(area);
  return box;
}

QWidget* EffectWindow::BuildMacroBox() {
  auto* box = new QGroupBox("Image macro", this);
  macroList_ = Named(new QListWidget(box), "macrolist");
  auto* clear = Button("clearmacro", "Clear actual macro", box);
  auto* run = Button("runmacro", "Run macro", box);
  auto* previous = Button("previousimage", "Show previous image", box);
  auto* next = Button("nextimage", "Show next image", box);
  auto* reload = Button("reloadimage", "Reload last image", box);
  auto* save = Button("savemacro", "Save actual macro", box);
  auto* load = Button("loadmacro", "Load new macro", box);
  QCheckBox* useForAll = controls_.Switch("usemacro_checkbox", "Use macro for all images",
                                          workspace_.effectMacro().useForAllImages, box, {}, Render::kNever);
  useForAll->setToolTip(
      "A batch run applies the macro to every image after turning and resizing it, "
      "before the watermark");
  message_ = Named(new QLabel(box), "effectmessage");
  message_->setWordWrap(true);
  auto* back = Button("backtomain", "Back to main window", this);

  connect(clear, &QPushButton::clicked, this, [this] {
    workbench_.ClearMacro();
    ShowMacro();
  });
  connect(run, &QPushButton::clicked, this,
          [this] { Replaying([this](const std::function<void()>& line) { workbench_.RunMacro(line); }); });
  connect(previous, &QPushButton::clicked, this, [this] { Step(SourceStep::kPrevious); });
  connect(next, &QPushButton::clicked, this, [this] { Step(SourceStep::kNext); });
  connect(reload, &QPushButton::clicked, this, [this] {
    workbench_.Reload();
    ShowPreview();
  });
  connect(save, &QPushButton::clicked, this, [this] { workbench_.SaveMacroCommand(); });
  connect(load, &QPushButton::clicked, this, [this] {
    if (workbench_.LoadMacroCommand()) ShowMacro();
  });
  connect(back, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(new QLabel("Macro commands", box));
  layout->addWidget(macroList_, 1);
  for (QWidget* widget :
       std::initializer_list<QWidget*>{clear, run, previous, next, reload, save, load, useForAll, message_})
    layout->addWidget(widget);
  auto* column = new QWidget(this);
  auto* columnLayout = new QVBoxLayout(column);
  columnLayout->setContentsMargins(0, 0, 0, 0);
  columnLayout->addWidget(box, 1);
  columnLayout->addWidget(back);
  macroBox_ = box;
  return column;
}

void EffectWindow::Open() {
  workbench_.Reload();
  message_->clear();
  controls_.ShowAll();
  ShowMacro();
  ShowPreview();
  // The whole screen also where no window manager maximises it.
  if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen())
    setGeometry(screen->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
  show();
}

void EffectWindow::Run() {
  Open();
  exec();
}

void EffectWindow::ShowPreview() {
  preview_->SetImage(&workbench_.previewImage());
}

void EffectWindow::ShowMacro() {
  macroList_->clear();
  for (const std::string& line : workbench_.macroList()) macroList_->addItem(ToQString(line));
  macroList_->scrollToBottom();
}

void EffectWindow::Replaying(const std::function<void(const std::function<void()>&)>& command) {
  commandBox_->setEnabled(false);
  macroBox_->setEnabled(false);
  command([this] {
    ShowPreview();
    // The preview is drawn line by line; clicks wait until the replay is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  commandBox_->setEnabled(true);
  macroBox_->setEnabled(true);
  ShowPreview();
}

void EffectWindow::Step(SourceStep step) {
  FlowResult opened = FlowResult::Cancelled();
  Replaying([&](const std::function<void()>& line) { opened = workbench_.ShowNeighbour(step, line); });
  const QString problem = opened.failed() ? ToQString(opened.message()) : QString();
  message_->setText(problem);
  emit sourceStepped(problem);
}

}  // namespace quillstone
