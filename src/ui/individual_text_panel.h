#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;

namespace quillstone {

class ImageView;
class Workspace;

// The "Small preview/Individual text" page: the preview of the marked image with its size
// label, and the per-image text of the current image (individualmemo) with "Use the
// individual text" (useindividualtext), the "Text found" / "Text not found" labels and
// "Save individual text".
class IndividualTextPanel : public QWidget {
  Q_OBJECT

 public:
  explicit IndividualTextPanel(Workspace& workspace, QWidget* parent = nullptr);

  // Shows the workspace's per-image text and its state.
  void ShowIndividualText();
  // Shows the workspace's preview and size label.
  void ShowPreview();
  ImageView* previewView() const { return preview_; }

 signals:
  void renderLater();

 private:
  Workspace& workspace_;
  ImageView* preview_;
  QLabel* sizeLabel_;
  QPlainTextEdit* edit_;
  QCheckBox* use_;
  QLabel* found_;
  QLabel* notFound_;
};

}  // namespace quillstone
