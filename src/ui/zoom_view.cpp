#include "ui/zoom_view.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "ui/image_view.h"
#include "ui/view_zoom.h"

namespace quillstone {
namespace {

// One notch of a mouse wheel, in eighths of a degree; a touchpad sends parts of it.
constexpr int kWheelNotch = 120;

}  // namespace

ZoomView::ZoomView(QWidget* parent) : QScrollArea(parent) {
  setAlignment(Qt::AlignCenter);
  view_ = new ImageView(ImageView::Placement::kActualSize);
  setWidget(view_);
  view_->installEventFilter(this);
}

void ZoomView::SetImage(const RasterImage* raster) {
  view_->SetImage(raster);
  if (fitting_) Refit();
}

double ZoomView::zoom() const {
  return view_->zoom();
}

double ZoomView::FitFactor() const {
  const QSize picture = view_->image().size();
  const QSize room = maximumViewportSize();
  return FitZoom(picture.width(), picture.height(), room.width(), room.height());
}

void ZoomView::Refit() {
  const double fit = FitFactor();
  if (fit == view_->zoom()) return;
  view_->SetZoom(fit);
  emit zoomChanged();
}

void ZoomView::FitToWindow() {
  fitting_ = true;
  view_->SetZoom(FitFactor());
  emit zoomChanged();
}

void ZoomView::ShowActualSize() {
  ZoomAbout(1.0, viewport()->rect().center());
}

void ZoomView::ZoomIn() {
  ZoomAbout(ZoomInStep(zoom()), viewport()->rect().center());
}

void ZoomView::ZoomOut() {
  ZoomAbout(ZoomOutStep(zoom(), FitFactor()), viewport()->rect().center());
}

void ZoomView::ZoomAbout(double zoom, QPoint anchor) {
  fitting_ = false;
  const double before = view_->zoom();
  const QPointF at = QPointF(view_->mapFrom(viewport(), anchor)) / before;
  view_->SetZoom(zoom);
  // The scroll bars have taken the new size; the same picture point goes under the anchor.
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(at.x() * zoom - anchor.x())));
  verticalScrollBar()->setValue(static_cast<int>(std::lround(at.y() * zoom - anchor.y())));
  emit zoomChanged();
}

void ZoomView::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  if (fitting_) Refit();
}

void ZoomView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QScrollArea::wheelEvent(event);
    return;
  }
  event->accept();
  wheelTurn_ += event->angleDelta().y();
  const QPoint anchor = event->position().toPoint();
  for (; wheelTurn_ >= kWheelNotch; wheelTurn_ -= kWheelNotch) ZoomAbout(ZoomInStep(zoom()), anchor);
  for (; wheelTurn_ <= -kWheelNotch; wheelTurn_ += kWheelNotch) {
    ZoomAbout(ZoomOutStep(zoom(), FitFactor()), anchor);
  }
}

// Dragging the picture with the left button moves it with the pointer.
bool ZoomView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != view_) return QScrollArea::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      dragFrom_ = mouse->globalPosition().toPoint();
      scrollFrom_ = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
      view_->setCursor(Qt::ClosedHandCursor);
      break;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!dragFrom_ || !(mouse->buttons() & Qt::LeftButton)) break;
      const QPoint moved = mouse->globalPosition().toPoint() - *dragFrom_;
      horizontalScrollBar()->setValue(scrollFrom_.x() - moved.x());
      verticalScrollBar()->setValue(scrollFrom_.y() - moved.y());
      break;
    }
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) break;
      dragFrom_.reset();
      view_->unsetCursor();
      break;
    default:
      break;
  }
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace quillstone
