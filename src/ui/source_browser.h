#pragma once

#include <QWidget>

#include "imaging/raster_image.h"
#include "workspace/flow_result.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillstone {

class ImageView;
class Prompter;
class Workspace;

// The source side of the "Image batch run" page: the source folder (a path field, "..."
// for the folder picker and "Refresh"), the file mask (edit1 with its presets ComboBox1 and
// the file-type filter), the file list (filelist) with its count and position labels, and
// the full-size "Image preview" of the entry clicked. It works on the workspace's source
// file list, which is also the item list of a batch run.
class SourceBrowser : public QWidget {
  Q_OBJECT

 public:
  SourceBrowser(Workspace& workspace, Prompter& prompter, QWidget* parent = nullptr);

  // Shows the workspace's list (folder, masks, names, selection) and its labels.
  void ShowSourceFiles();
  // A single click on the selected entry: the source history and the preview.
  void PreviewSelected();
  // The folder field's text; a folder that cannot be read is said in the status bar.
  void ChangeDirectory(const QString& directory);

 signals:
  // The list's folder, masks or names changed (the step buttons follow it).
  void listChanged();
  // An entry was opened as the source image (double click).
  void fileOpened();
  // The source history got an entry.
  void historiesChanged();
  // A message for the status bar's message panel.
  void statusMessage(const QString& text);

 private:
  void AfterListChange(const FlowResult& status);

  Workspace& workspace_;
  Prompter& prompter_;
  QLineEdit* directory_;
  QLineEdit* mask_;
  QComboBox* presets_;
  QComboBox* filters_;
  QListWidget* files_;
  QLabel* count_;
  QLabel* position_;
  ImageView* preview_;
  RasterImage previewImage_;
};

}  // namespace quillstone
