#include "ui/full_screen_view.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "ui/image_view.h"

namespace quillstone {

FullScreenView::FullScreenView(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("fullscreenview");
  setWindowTitle("Show image as full view");
  setStyleSheet("background: black;");
  view_ = new ImageView(ImageView::Placement::kFitInside, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
}

void FullScreenView::Show(const RasterImage& image) {
  image_ = image;
  view_->SetImage(&image_);
  showFullScreen();
  raise();
  activateWindow();
}

void FullScreenView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FullScreenView::mousePressEvent(QMouseEvent*) {
  close();
}

}  // namespace quillstone
