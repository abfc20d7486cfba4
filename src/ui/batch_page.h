#pragma once

#include <QWidget>

#include "imaging/raster_image.h"
#include "ui/widget_factory.h"
#include "workspace/batch_flow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QStackedWidget;
class QTabWidget;

namespace quillstone {

class ImageView;
class SourceBrowser;

// The "Image batch run" page: the source browser, and beside it the destination folder
// (destinationdirectory), the prefix (Edit3), the output format (RadioGroup1) with its
// options ("General": ColorDepthGroup, applysepiaeffect, originalalignment; "Jpeg options":
// compression_scroll, progressive_check, grayscale_check; "Png options": pngfilterliste,
// pngcompressionlevel) and "Start batch". During a run the batch panel covers the browser:
// "Stop batch", "Show complete image", the progress label and bar and the preview of the
// image last marked.
class BatchPage : public QWidget {
  Q_OBJECT

 public:
  BatchPage(Workspace& workspace, Prompter& prompter, QWidget* parent = nullptr);

  SourceBrowser* browser() const { return browser_; }
  BatchFlow& flow() { return flow_; }
  bool running() const { return flow_.running(); }
  // Images rendered at once in a run; the number of cores unless set.
  void SetJobs(int jobs) { jobs_ = jobs; }

  // Sets the controls from the page's fields and the orientation choice (the turning-back
  // box is enabled only while the orientation rotates), and shows the source list.
  void ShowSettings();
  // "Rotate image back to original alignment" as the orientation choice allows it.
  void ShowRotateBack();
  // History menu entries: an existing folder becomes the source (with the preview of its
  // selected entry) or the destination; a folder that is gone is said in an "ERROR" box.
  bool ChooseSourceHistoryEntry(int index);
  bool ChooseDestinationHistoryEntry(int index);

 signals:
  // A run began (true) or ended (false): the window locks or unlocks its pages and menus.
  void runningChanged(bool running);
  // The status bar's first panel ("Progress 2/5", "Ready") and its message panel.
  void progressText(const QString& text);
  void statusMessage(const QString& text);
  // A history got an entry.
  void historiesChanged();
  // The source list changed.
  void listChanged();
  // The current image changed: after a run, or opened from the list (then `opened`).
  void currentImageChanged(bool opened);

 private:
  QWidget* BuildSettings();
  QWidget* BuildDestinationBox(QWidget* column);
  QWidget* BuildGeneralOptions();
  QWidget* BuildJpegOptions();
  QWidget* BuildPngOptions();
  QWidget* BuildWebpOptions();
  QWidget* BuildPanel();
  void ShowFormatOptions();
  void StartBatch();
  void OnProgress(const BatchProgress& progress);
  void OnFinished(const BatchReport& report);
  void SetLocked(bool locked);

  Workspace& workspace_;
  Prompter& prompter_;
  BatchFlow flow_;
  int jobs_;
  SourceBrowser* browser_;
  QStackedWidget* stack_;
  QWidget* settings_;
  WidgetFactory controls_;
  QLineEdit* destination_ = nullptr;
  QLineEdit* prefix_ = nullptr;
  QTabWidget* optionPages_ = nullptr;
  QWidget* jpegPage_ = nullptr;
  QWidget* pngPage_ = nullptr;
  QWidget* webpPage_ = nullptr;
  QScrollBar* quality_ = nullptr;
  QCheckBox* progressive_ = nullptr;
  QCheckBox* grayscale_ = nullptr;
  QComboBox* pngLevel_ = nullptr;
  QCheckBox* rotateBack_ = nullptr;
  QPushButton* stop_;
  QCheckBox* showComplete_;
  QLabel* progress_;
  QProgressBar* progressBar_;
  ImageView* preview_;
  RasterImage previewImage_;
};

}  // namespace quillstone
