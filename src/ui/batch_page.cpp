#include "ui/batch_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>

#include "batch/batch_start_check.h"
#include "ui/image_view.h"
#include "ui/qt_text.h"
#include "ui/source_browser.h"
#include "ui/widget_factory.h"
#include "workspace/save_flow.h"
#include "workspace/source_browsing.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// A group of radio buttons named group_0, group_1, ... whose ids are their indexes.
QGroupBox* RadioGroup(const char* name, const QString& caption, const QStringList& items,
                      QButtonGroup*& group, QWidget* parent) {
  auto* box = Named(new QGroupBox(caption, parent), name);
  auto* layout = new QVBoxLayout(box);
  group = new QButtonGroup(box);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], box);
    button->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
    group->addButton(button, i);
    layout->addWidget(button);
  }
  return box;
}

void Check(QButtonGroup* group, int id) {
  const QSignalBlocker blocker(group);
  group->button(id)->setChecked(true);
}

}  // namespace

BatchPage::BatchPage(Workspace& workspace, Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      workspace_(workspace),
      prompter_(prompter),
      flow_(workspace, prompter),
      jobs_(std::max(1, QThread::idealThreadCount())) {
  setObjectName("batchpage");
  stack_ = Named(new QStackedWidget(this), "batchstack");
  browser_ = new SourceBrowser(workspace_, prompter_, stack_);
  stack_->addWidget(browser_);
  stack_->addWidget(BuildPanel());
  settings_ = BuildSettings();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(stack_, 1);
  layout->addWidget(settings_);

  connect(browser_, &SourceBrowser::listChanged, this, &BatchPage::listChanged);
  connect(browser_, &SourceBrowser::historiesChanged, this, &BatchPage::historiesChanged);
  connect(browser_, &SourceBrowser::statusMessage, this, &BatchPage::statusMessage);
  connect(browser_, &SourceBrowser::fileOpened, this, [this] { emit currentImageChanged(true); });
  ShowSettings();
}

QWidget* BatchPage::BuildPanel() {
  auto* panel = Named(new QWidget(stack_), "batchpanel");
  stop_ = Named(new QPushButton("Stop batch", panel), "stopbatch");
  stop_->setEnabled(false);
  showComplete_ = Named(new QCheckBox("Show complete image", panel), "showcompleteimage");
  showComplete_->setChecked(true);
  progress_ = Named(new QLabel("?", panel), "progresslabel");
  progressBar_ = Named(new QProgressBar(panel), "progressbar");
  preview_ = Named(new ImageView(ImageView::Placement::kFitInside, panel), "batchpreview");
  auto* top = new QHBoxLayout;
  top->addWidget(stop_);
  top->addWidget(showComplete_);
  top->addWidget(progress_);
  top->addWidget(progressBar_, 1);
  auto* layout = new QVBoxLayout(panel);
  layout->addLayout(top);
  layout->addWidget(preview_, 1);

  connect(stop_, &QPushButton::clicked, this, [this] { flow_.RequestStop(); });
  connect(showComplete_, &QCheckBox::toggled, this,
          [this](bool on) { preview_->SetImage(on ? &previewImage_ : nullptr); });
  return panel;
}

QWidget* BatchPage::BuildSettings() {
  auto* column = Named(new QWidget(this), "batchsettings");
  BatchPageFields& fields = flow_.fields();
  SaveOptions& save = workspace_.saveOptions();

  auto* destinationBox = new QGroupBox("Destination directory", column);
  destination_ = Named(new QLineEdit(destinationBox), "destinationdirectory");
  destination_->setReadOnly(true);
  auto* pickDestination =
      Named(new QPushButton("Select the destination directory for your watermarked images", destinationBox),
            "destinationbutton");
  auto* prefixLabel = new QLabel("Image prefix", destinationBox);
  prefix_ = Named(new QLineEdit(destinationBox), "Edit3");
  auto* destinationLayout = new QVBoxLayout(destinationBox);
  destinationLayout->addWidget(pickDestination);
  destinationLayout->addWidget(destination_);
  destinationLayout->addWidget(prefixLabel);
  destinationLayout->addWidget(prefix_);

  auto* formatBox = RadioGroup("RadioGroup1", "Save watermarked images as",
                               {"Bitmap", "Jpg", "Tiff 6.0 ", "Wmf", "Png"}, formats_, column);

  optionPages_ = Named(new QTabWidget(column), "outputoptionpages");
  auto* general = new QWidget(optionPages_);
  auto* depthBox = RadioGroup("ColorDepthGroup", "Color depth",
                              {"1 Bit", "4 Bit", "8 Bit", "24 Bit", "32 Bit"}, depths_, general);
  sepia_ = Named(new QCheckBox("Apply sepia effect", general), "applysepiaeffect");
  rotateBack_ = Named(new QCheckBox("Rotate image back to original alignment", general), "originalalignment");
  auto* generalLayout = new QVBoxLayout(general);
  generalLayout->addWidget(depthBox);
  generalLayout->addWidget(sepia_);
  generalLayout->addWidget(rotateBack_);
  generalLayout->addStretch(1);

  jpegPage_ = new QWidget(optionPages_);
  quality_ = Named(new QScrollBar(Qt::Horizontal, jpegPage_), "compression_scroll");
  quality_->setRange(1, 100);
  quality_->setPageStep(10);
  qualityLabel_ = Named(new QLabel(jpegPage_), "compressionlabel");
  progressive_ = Named(new QCheckBox("Progressive", jpegPage_), "progressive_check");
  grayscale_ = Named(new QCheckBox("Grayscale", jpegPage_), "grayscale_check");
  auto* jpegPreview = Named(new QPushButton("Preview", jpegPage_), "jpegpreviewbutton");
  connect(jpegPreview, &QPushButton::clicked, this, [this] {
    if (!BatchJpegPreviewCommand(workspace_)) return;
    ShowSettings();
    emit currentImageChanged(false);  // its steps may have opened other files
  });
  auto* qualityRow = new QHBoxLayout;
  qualityRow->addWidget(new QLabel("Compression", jpegPage_));
  qualityRow->addWidget(quality_, 1);
  qualityRow->addWidget(qualityLabel_);
  auto* jpegLayout = new QVBoxLayout(jpegPage_);
  jpegLayout->addLayout(qualityRow);
  jpegLayout->addWidget(progressive_);
  jpegLayout->addWidget(grayscale_);
  jpegLayout->addWidget(jpegPreview);
  jpegLayout->addStretch(1);

  pngPage_ = new QWidget(optionPages_);
  pngFilter_ = Named(new QComboBox(pngPage_), "pngfilterliste");
  pngFilter_->addItems({"None", "Use the best [slow]", "Sub", "Up", "Average", "Paeth"});
  pngLevel_ = Named(new QComboBox(pngPage_), "pngcompressionlevel");
  pngLevel_->addItem("1 [quick]");
  for (int level = 2; level <= 8; ++level) pngLevel_->addItem(QString::number(level));
  pngLevel_->addItem("9 [slow]");
  auto* pngLayout = new QFormLayout(pngPage_);
  pngLayout->addRow("Filter:", pngFilter_);
  pngLayout->addRow("Compression level:", pngLevel_);

  optionPages_->addTab(general, "General");
  optionPages_->addTab(jpegPage_, "Jpeg options");
  optionPages_->addTab(pngPage_, "Png options");

  start_ = Named(new QPushButton("Start batch", column), "startbatch");

  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(destinationBox);
  layout->addWidget(formatBox);
  layout->addWidget(optionPages_);
  layout->addStretch(1);
  layout->addWidget(start_);

  connect(pickDestination, &QPushButton::clicked, this, [this] {
    const auto chosen =
        prompter_.ChooseDirectory(kSelectDirectoryCaption, workspace_.sourceFiles().directory());
    if (!chosen) return;
    flow_.fields().destinationDirectory = chosen->string();
    destination_->setText(ToQString(flow_.fields().destinationDirectory));
  });
  connect(prefix_, &QLineEdit::textChanged, this,
          [&fields](const QString& text) { fields.prefix = ToStdString(text); });
  connect(formats_, &QButtonGroup::idToggled, this, [this, &save](int id, bool checked) {
    if (!checked) return;
    save.format = static_cast<OutputFormat>(id);
    ShowFormatOptions();
  });
  connect(quality_, &QScrollBar::valueChanged, this, [this, &save](int value) {
    save.jpeg.quality = value;
    qualityLabel_->setText(QStringLiteral("%1%").arg(value));
  });
  connect(progressive_, &QCheckBox::toggled, this, [&save](bool on) { save.jpeg.progressive = on; });
  connect(grayscale_, &QCheckBox::toggled, this, [&save](bool on) { save.jpeg.greyscale = on; });
  connect(pngFilter_, &QComboBox::currentIndexChanged, this,
          [&save](int index) { save.png.filter = static_cast<PngFilter>(index); });
  connect(pngLevel_, &QComboBox::currentIndexChanged, this,
          [&save](int index) { save.png.level = index + 1; });
  connect(depths_, &QButtonGroup::idToggled, this, [&save](int id, bool checked) {
    if (checked) save.colorDepth = static_cast<ColorDepth>(id);
  });
  connect(sepia_, &QCheckBox::toggled, this, [&save](bool on) { save.sepia = on; });
  connect(rotateBack_, &QCheckBox::toggled, this,
          [this](bool on) { workspace_.settings().orientation.rotateBack = on; });
  connect(start_, &QPushButton::clicked, this, &BatchPage::StartBatch);
  return column;
}

void BatchPage::ShowSettings() {
  const BatchPageFields& fields = flow_.fields();
  const SaveOptions& save = workspace_.saveOptions();
  const OrientationSettings& orientation = workspace_.settings().orientation;
  for (QWidget* widget : std::initializer_list<QWidget*>{prefix_, quality_, progressive_, grayscale_,
                                                         pngFilter_, pngLevel_, sepia_, rotateBack_}) {
    widget->blockSignals(true);
  }
  destination_->setText(ToQString(fields.destinationDirectory));
  prefix_->setText(ToQString(fields.prefix));
  Check(formats_, static_cast<int>(save.format));
  quality_->setValue(save.jpeg.quality);
  qualityLabel_->setText(QStringLiteral("%1%").arg(save.jpeg.quality));
  progressive_->setChecked(save.jpeg.progressive);
  grayscale_->setChecked(save.jpeg.greyscale);
  pngFilter_->setCurrentIndex(static_cast<int>(save.png.filter));
  pngLevel_->setCurrentIndex(save.png.level - 1);
  Check(depths_, static_cast<int>(save.colorDepth));
  sepia_->setChecked(save.sepia);
  rotateBack_->setChecked(orientation.rotateBack);
  for (QWidget* widget : std::initializer_list<QWidget*>{prefix_, quality_, progressive_, grayscale_,
                                                         pngFilter_, pngLevel_, sepia_, rotateBack_}) {
    widget->blockSignals(false);
  }
  ShowRotateBack();
  ShowFormatOptions();
  browser_->ShowSourceFiles();
}

void BatchPage::ShowRotateBack() {
  rotateBack_->setEnabled(RotateBackEnabled(workspace_.settings().orientation));
}

// The JPEG options act only for "Jpg", the PNG options only for "Png"; the chosen one's
// page comes to front.
void BatchPage::ShowFormatOptions() {
  const OutputFormat format = workspace_.saveOptions().format;
  const bool jpeg = format == OutputFormat::kJpeg;
  const bool png = format == OutputFormat::kPng;
  optionPages_->setTabEnabled(optionPages_->indexOf(jpegPage_), jpeg);
  optionPages_->setTabEnabled(optionPages_->indexOf(pngPage_), png);
  for (QWidget* widget : std::initializer_list<QWidget*>{quality_, progressive_, grayscale_}) {
    widget->setEnabled(jpeg);
  }
  if (jpeg) optionPages_->setCurrentWidget(jpegPage_);
  if (png) optionPages_->setCurrentWidget(pngPage_);
}

bool BatchPage::ChooseSourceHistoryEntry(int index) {
  if (!quillstone::ChooseSourceHistoryEntry(workspace_, prompter_, index)) return false;
  browser_->ShowSourceFiles();
  emit listChanged();
  browser_->PreviewSelected();
  return true;
}

bool BatchPage::ChooseDestinationHistoryEntry(int index) {
  const std::optional<std::string> folder =
      quillstone::ChooseDestinationHistoryEntry(workspace_, prompter_, index);
  if (!folder) return false;
  flow_.fields().destinationDirectory = *folder;
  destination_->setText(ToQString(*folder));
  return true;
}

void BatchPage::StartBatch() {
  BatchRunHooks hooks;
  hooks.jobs = jobs_;
  hooks.previewWidth = std::max(1, stack_->width() - 4);
  hooks.previewHeight = hooks.previewWidth;
  hooks.onStarted = [this] {
    prefix_->setText(ToQString(flow_.fields().prefix));
    SetLocked(true);
    emit historiesChanged();
  };
  hooks.onProgress = [this](const BatchProgress& progress) { OnProgress(progress); };
  hooks.onWait = [] { QCoreApplication::processEvents(); };
  hooks.onFinished = [this](const BatchReport& report) { OnFinished(report); };
  flow_.Start(hooks);
}

void BatchPage::SetLocked(bool locked) {
  stack_->setCurrentIndex(locked ? 1 : 0);
  stop_->setEnabled(locked);
  settings_->setEnabled(!locked);
  browser_->setEnabled(!locked);
  if (locked) {
    progress_->setText("?");
    progressBar_->setRange(0, std::max(0, workspace_.sourceFiles().count() - 1));
    progressBar_->setValue(0);
    previewImage_ = RasterImage();
    preview_->SetImage(nullptr);
  }
  emit runningChanged(locked);
}

void BatchPage::OnProgress(const BatchProgress& progress) {
  if (progress.stage == BatchProgress::Stage::kStarted) {
    const QString text = ToQString(progress.text);
    progress_->setText(text);
    progressBar_->setValue(progress.index);
    emit progressText(text);
  } else if (progress.result != nullptr && !progress.result->preview.Empty()) {
    previewImage_ = progress.result->preview;
    if (showComplete_->isChecked()) preview_->SetImage(&previewImage_);
  }
  // The window stays live between the images: progress is drawn and "Stop batch" acts.
  QCoreApplication::processEvents();
}

void BatchPage::OnFinished(const BatchReport& report) {
  SetLocked(false);
  browser_->ShowSourceFiles();
  emit currentImageChanged(false);
  emit progressText(ToQString(kBatchReadyText));
  if (report.refused) emit statusMessage(ToQString(BatchSummary(report)));
}

}  // namespace quillstone
