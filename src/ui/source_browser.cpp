#include "ui/source_browser.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <filesystem>

#include "batch/file_mask.h"
#include "platform/file_checks.h"
#include "ui/image_view.h"
#include "ui/qt_text.h"
#include "ui/widget_factory.h"
#include "workspace/source_browsing.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// The folder the list starts in: the last source folder used, else the user's pictures
// folder, else the home folder.
std::string StartDirectory(const TMRUFiles& history) {
  for (const std::string& entry : history.entries()) {
    if (IsDirectory(entry)) return entry;
  }
  const std::string pictures =
      ToStdString(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
  return IsDirectory(pictures) ? pictures : ToStdString(QDir::homePath());
}

}  // namespace

SourceBrowser::SourceBrowser(Workspace& workspace, Prompter& prompter, QWidget* parent)
    : QWidget(parent), workspace_(workspace), prompter_(prompter) {
  auto* folderBox = new QGroupBox("Source directory", this);
  directory_ = Named(new QLineEdit(folderBox), "directoryedit");
  auto* pick = Named(new QPushButton("...", folderBox), "directorybutton");
  pick->setToolTip("Select directory");
  auto* refresh = Named(new QPushButton("Refresh", folderBox), "refreshbutton");
  auto* folderLayout = new QHBoxLayout(folderBox);
  folderLayout->addWidget(directory_, 1);
  folderLayout->addWidget(pick);
  folderLayout->addWidget(refresh);

  auto* maskBox = new QGroupBox("Filemask", this);
  mask_ = Named(new QLineEdit(maskBox), "edit1");
  presets_ = Named(new QComboBox(maskBox), "ComboBox1");
  for (const char* preset : kFileMaskPresets) presets_->addItem(preset);
  presets_->setPlaceholderText("Presets");
  presets_->setCurrentIndex(-1);
  filters_ = Named(new QComboBox(maskBox), "filterlist");
  for (const FileListFilter& filter : kFileFilters) filters_->addItem(filter.caption);
  auto* maskLayout = new QGridLayout(maskBox);
  maskLayout->addWidget(mask_, 0, 0);
  maskLayout->addWidget(presets_, 0, 1);
  maskLayout->addWidget(filters_, 1, 0, 1, 2);

  auto* listBox = new QGroupBox("Files", this);
  count_ = Named(new QLabel(listBox), "filecount");
  position_ = Named(new QLabel(listBox), "fileposition");
  files_ = Named(new QListWidget(listBox), "filelist");
  auto* labels = new QHBoxLayout;
  labels->addWidget(count_);
  labels->addStretch(1);
  labels->addWidget(position_);
  auto* listLayout = new QVBoxLayout(listBox);
  listLayout->addLayout(labels);
  listLayout->addWidget(files_, 1);

  auto* previewBox = new QGroupBox("Image preview", this);
  auto* scroll = Named(new QScrollArea(previewBox), "filepreviewscroll");
  scroll->setAlignment(Qt::AlignCenter);
  preview_ = Named(new ImageView(ImageView::Placement::kActualSize), "filepreview");
  scroll->setWidget(preview_);
  auto* previewLayout = new QVBoxLayout(previewBox);
  previewLayout->addWidget(scroll);

  auto* top = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(folderBox);
  left->addWidget(maskBox);
  left->addWidget(listBox, 1);
  top->addLayout(left, 2);
  top->addWidget(previewBox, 3);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);

  connect(directory_, &QLineEdit::returnPressed, this, [this] { ChangeDirectory(directory_->text()); });
  connect(pick, &QPushButton::clicked, this, [this] {
    const auto chosen =
        prompter_.ChooseDirectory(kSelectDirectoryCaption, workspace_.sourceFiles().directory());
    if (chosen) ChangeDirectory(ToQString(chosen->string()));
  });
  connect(refresh, &QPushButton::clicked, this,
          [this] { ChangeDirectory(ToQString(workspace_.sourceFiles().directory())); });
  connect(mask_, &QLineEdit::returnPressed, this, [this] {
    const std::string masks = EnterFileMask(workspace_, ToStdString(mask_->text()));
    AfterListChange(Status::Ok());
    mask_->setText(ToQString(masks));
    mask_->selectAll();
  });
  connect(presets_, &QComboBox::activated, this, [this](int index) {
    AfterListChange(ChangeFileMask(workspace_, kFileMaskPresets[static_cast<std::size_t>(index)]));
  });
  connect(filters_, &QComboBox::activated, this, [this](int index) {
    AfterListChange(ChangeFileMask(workspace_, kFileFilters[static_cast<std::size_t>(index)].mask));
  });
  connect(files_, &QListWidget::currentRowChanged, this, [this](int row) {
    workspace_.sourceFiles().Select(row);
    position_->setText(ToQString(workspace_.sourceFiles().PositionLabel()));
  });
  connect(files_, &QListWidget::itemClicked, this, [this] { PreviewSelected(); });
  connect(files_, &QListWidget::itemDoubleClicked, this, [this] {
    const FlowResult opened = OpenSelectedFile(workspace_);
    if (!opened) {
      emit statusMessage(ToQString(opened.message()));
      return;
    }
    emit fileOpened();
  });

  if (workspace_.sourceFiles().directory().empty()) {
    (void)ChangeSourceDirectory(workspace_, StartDirectory(workspace_.sourceHistory()));
  }
  ShowSourceFiles();
}

void SourceBrowser::ShowSourceFiles() {
  const SourceFileList& list = workspace_.sourceFiles();
  directory_->setText(ToQString(list.directory()));
  mask_->setText(ToQString(list.masks()));
  const QSignalBlocker blocker(files_);
  // The items are built again only when the names changed, so a selection change never
  // replaces the items under a click.
  bool same = files_->count() == list.count();
  for (int i = 0; same && i < list.count(); ++i) {
    same = files_->item(i)->text() == ToQString(list.names()[static_cast<std::size_t>(i)]);
  }
  if (!same) {
    files_->clear();
    for (const std::string& name : list.names()) files_->addItem(ToQString(name));
  }
  files_->setCurrentRow(list.selected());
  count_->setText(ToQString(list.CountLabel()));
  position_->setText(ToQString(list.PositionLabel()));
}

void SourceBrowser::PreviewSelected() {
  const FlowResult decoded = PreviewFile(workspace_, previewImage_);
  if (decoded.cancelled()) return;
  preview_->SetImage(&previewImage_);
  if (decoded.failed()) emit statusMessage(ToQString(decoded.message()));
  emit historiesChanged();
}

void SourceBrowser::ChangeDirectory(const QString& directory) {
  AfterListChange(ChangeSourceDirectory(workspace_, ToStdString(directory)));
}

void SourceBrowser::AfterListChange(const FlowResult& status) {
  ShowSourceFiles();
  if (!status) emit statusMessage(ToQString(status.message()));
  emit listChanged();
}

}  // namespace quillstone
