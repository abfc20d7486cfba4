#include "ui/batch_page.h"

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
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>

#include "batch/batch_start_check.h"
#include "ui/image_view.h"
#include "ui/png_options_dialog.h"
#include "ui/qt_text.h"
#include "ui/source_browser.h"
#include "ui/widget_factory.h"
#include "workspace/save_flow.h"
#include "workspace/source_browsing.h"
#include "workspace/workspace.h"

namespace quillstone {

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
  SaveOptions& save = workspace_.saveOptions();
  auto* column = Named(new QWidget(this), "batchsettings");
  QWidget* destinationBox = BuildDestinationBox(column);
  auto* formats =
      Named(new RadioGroup("Save watermarked images as",
                           {{"Bitmap", "Jpg", "Tiff 6.0 ", "Wmf", "Png", "WebP"}, "RadioGroup1_%1"}, column),
            "RadioGroup1");
  // The JPEG, PNG and WebP options act only for their own format (WebP takes the JPEG quality).
  controls_.Choice(formats, save.format, [this](int) { ShowFormatOptions(); });
  optionPages_ = Named(new QTabWidget(column), "outputoptionpages");
  optionPages_->addTab(BuildGeneralOptions(), "General");
  optionPages_->addTab(BuildJpegOptions(), "Jpeg options");
  optionPages_->addTab(BuildPngOptions(), "Png options");
  optionPages_->addTab(BuildWebpOptions(), "WebP options");
  auto* start = Named(new QPushButton("Start batch", column), "startbatch");
  connect(start, &QPushButton::clicked, this, &BatchPage::StartBatch);

  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(destinationBox);
  layout->addWidget(formats);
  layout->addWidget(optionPages_);
  layout->addStretch(1);
  layout->addWidget(start);
  return column;
}

// Where the marked images go and the prefix of their names.
QWidget* BatchPage::BuildDestinationBox(QWidget* column) {
  auto* box = new QGroupBox("Destination directory", column);
  destination_ = Named(new QLineEdit(box), "destinationdirectory");
  destination_->setReadOnly(true);
  auto* pick = Named(new QPushButton("Select the destination directory for your watermarked images", box),
                     "destinationbutton");
  auto* prefixLabel = new QLabel("Image prefix", box);
  prefix_ = Named(new QLineEdit(box), "Edit3");
  connect(pick, &QPushButton::clicked, this, [this] {
    const auto chosen =
        prompter_.ChooseDirectory(kSelectDirectoryCaption, workspace_.sourceFiles().directory());
    if (!chosen) return;
    flow_.fields().destinationDirectory = chosen->string();
    destination_->setText(ToQString(flow_.fields().destinationDirectory));
  });
  connect(prefix_, &QLineEdit::textChanged, this,
          [this](const QString& text) { flow_.fields().prefix = ToStdString(text); });
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(pick);
  layout->addWidget(destination_);
  layout->addWidget(prefixLabel);
  layout->addWidget(prefix_);
  return box;
}

// Colour depth, sepia and turning back: what every format writes.
QWidget* BatchPage::BuildGeneralOptions() {
  SaveOptions& save = workspace_.saveOptions();
  auto* page = new QWidget(optionPages_);
  auto* depths =
      Named(new RadioGroup("Color depth",
                           {{"1 Bit", "4 Bit", "8 Bit", "24 Bit", "32 Bit"}, "ColorDepthGroup_%1"}, page),
            "ColorDepthGroup");
  controls_.Choice(depths, save.colorDepth);
  auto* sepia = controls_.Switch("applysepiaeffect", "Apply sepia effect", save.sepia, page);
  auto* strip = controls_.Switch("stripmetadata", "Strip metadata (EXIF, XMP, IPTC, colour profile)",
                                 save.stripMetadata, page);
  rotateBack_ = controls_.Switch("originalalignment", "Rotate image back to original alignment",
                                 workspace_.settings().orientation.rotateBack, page);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(depths);
  layout->addWidget(sepia);
  layout->addWidget(strip);
  layout->addWidget(rotateBack_);
  layout->addStretch(1);
  return page;
}

QWidget* BatchPage::BuildJpegOptions() {
  JpegOptions& jpeg = workspace_.saveOptions().jpeg;
  jpegPage_ = new QWidget(optionPages_);
  auto* qualityLabel = Named(new QLabel(jpegPage_), "compressionlabel");
  quality_ = controls_.Slider({"compression_scroll", 1, 100, 10}, jpeg.quality, jpegPage_,
                              LabelText(qualityLabel, "%1%"));
  progressive_ = controls_.Switch("progressive_check", "Progressive", jpeg.progressive, jpegPage_);
  grayscale_ = controls_.Switch("grayscale_check", "Grayscale", jpeg.greyscale, jpegPage_);
  auto* keepBlocks = controls_.Switch("keepjpegblocks_check", "Keep untouched JPEG blocks",
                                      jpeg.keepUntouchedBlocks, jpegPage_);
  auto* keepNote = new QLabel("(a JPEG photo keeps its own quality; Compression does not apply)", jpegPage_);
  auto* preview = Named(new QPushButton("Preview", jpegPage_), "jpegpreviewbutton");
  connect(preview, &QPushButton::clicked, this, [this] {
    if (BatchJpegPreviewCommand(workspace_).failed()) return;
    ShowSettings();
    emit currentImageChanged(false);  // its steps may have opened other files
  });
  auto* qualityRow = new QHBoxLayout;
  qualityRow->addWidget(new QLabel("Compression", jpegPage_));
  qualityRow->addWidget(quality_, 1);
  qualityRow->addWidget(qualityLabel);
  auto* layout = new QVBoxLayout(jpegPage_);
  layout->addLayout(qualityRow);
  layout->addWidget(progressive_);
  layout->addWidget(grayscale_);
  auto* keepRow = new QHBoxLayout;
  keepRow->addWidget(keepBlocks);
  keepRow->addWidget(keepNote, 1);
  layout->addLayout(keepRow);
  layout->addWidget(preview);
  layout->addStretch(1);
  return jpegPage_;
}

QWidget* BatchPage::BuildPngOptions() {
  PngOptions& png = workspace_.saveOptions().png;
  pngPage_ = new QWidget(optionPages_);
  QComboBox* filter = controls_.Choice(PngFilterList(pngPage_), png.filter);
  pngLevel_ = PngLevelList(pngPage_);
  connect(pngLevel_, &QComboBox::currentIndexChanged, this, [&png](int index) { png.level = index + 1; });
  auto* layout = new QFormLayout(pngPage_);
  layout->addRow("Filter:", filter);
  layout->addRow("Compression level:", pngLevel_);
  return pngPage_;
}

QWidget* BatchPage::BuildWebpOptions() {
  webpPage_ = new QWidget(optionPages_);
  auto* lossless =
      controls_.Switch("webplossless_check", "Lossless", workspace_.saveOptions().webp.lossless, webpPage_);
  auto* layout = new QVBoxLayout(webpPage_);
  layout->addWidget(lossless);
  layout->addWidget(new QLabel("Lossy files take the compression of the Jpeg options.", webpPage_));
  layout->addStretch(1);
  return webpPage_;
}

void BatchPage::ShowSettings() {
  const BatchPageFields& fields = flow_.fields();
  destination_->setText(ToQString(fields.destinationDirectory));
  {
    const QSignalBlocker blocker(prefix_);
    prefix_->setText(ToQString(fields.prefix));
  }
  {
    const QSignalBlocker blocker(pngLevel_);
    pngLevel_->setCurrentIndex(workspace_.saveOptions().png.level - 1);
  }
  controls_.ShowAll();
  ShowRotateBack();
  browser_->ShowSourceFiles();
}

void BatchPage::ShowRotateBack() {
  rotateBack_->setEnabled(RotateBackEnabled(workspace_.settings().orientation));
}

// The JPEG options act only for "Jpg" (their compression also for "WebP"), the PNG options
// only for "Png", the WebP options only for "WebP"; the chosen one's page comes to front.
void BatchPage::ShowFormatOptions() {
  const OutputFormat format = workspace_.saveOptions().format;
  const bool jpeg = format == OutputFormat::kJpeg;
  const bool png = format == OutputFormat::kPng;
  const bool webp = format == OutputFormat::kWebp;
  optionPages_->setTabEnabled(optionPages_->indexOf(jpegPage_), jpeg || webp);
  optionPages_->setTabEnabled(optionPages_->indexOf(pngPage_), png);
  optionPages_->setTabEnabled(optionPages_->indexOf(webpPage_), webp);
  quality_->setEnabled(jpeg || webp);
  for (QWidget* widget : std::initializer_list<QWidget*>{progressive_, grayscale_}) widget->setEnabled(jpeg);
  if (jpeg) optionPages_->setCurrentWidget(jpegPage_);
  if (png) optionPages_->setCurrentWidget(pngPage_);
  if (webp) optionPages_->setCurrentWidget(webpPage_);
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
    progressBar_->setRange(0, workspace_.sourceFiles().count());
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
    progressBar_->setValue(progress.index + 1);  // the count "Progress i/N" shows
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
  if (!report.refusal) emit statusMessage(ToQString(BatchSummary(report)));
}

}  // namespace quillstone
