#include "ui/character_grid.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillstone {
namespace {

const QColor kCellBackground(32, 32, 48);
const QColor kCellInk(240, 240, 240);
const QColor kCellLines(80, 80, 100);

QRect CellRect(int code) {
  return QRect((code % CharacterGrid::kCells) * CharacterGrid::kCellPixels,
               (code / CharacterGrid::kCells) * CharacterGrid::kCellPixels, CharacterGrid::kCellPixels,
               CharacterGrid::kCellPixels);
}

}  // namespace

CharacterGrid::CharacterGrid(QWidget* parent) : QWidget(parent) {
  setFixedSize(sizeHint());
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
  font_.setPointSize(kGridPoints);
}

QSize CharacterGrid::sizeHint() const {
  return {kCells * kCellPixels, kCells * kCellPixels};
}

void CharacterGrid::SetFace(const QString& face) {
  font_ = QFont(face, kGridPoints);
  update();
}

std::optional<int> CharacterGrid::CodeAt(QPoint position) {
  const int column = position.x() / kCellPixels;
  const int row = position.y() / kCellPixels;
  if (position.x() < 0 || position.y() < 0 || column >= kCells || row >= kCells) return std::nullopt;
  return row * kCells + column;
}

bool CharacterGrid::Pickable(int code) {
  return (code >= 32 && code < 127) || (code >= 160 && code < 256);
}

QPixmap CharacterGrid::CellPicture(int code) {
  return grab(CellRect(code));
}

void CharacterGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kCellBackground);
  painter.setFont(font_);
  for (int code = 0; code < kCells * kCells; ++code) {
    const QRect cell = CellRect(code);
    painter.setPen(kCellLines);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    if (!Pickable(code)) continue;
    painter.setPen(kCellInk);
    painter.drawText(cell, Qt::AlignCenter, QString(QChar(code)));
  }
}

void CharacterGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const std::optional<int> code = CodeAt(event->position().toPoint());
  if (code && Pickable(*code)) emit picked(*code);
}

void CharacterGrid::mouseMoveEvent(QMouseEvent* event) {
  if (const std::optional<int> code = CodeAt(event->position().toPoint())) emit hovered(*code);
}

}  // namespace quillstone
