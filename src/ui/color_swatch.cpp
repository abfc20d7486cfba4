#include "ui/color_swatch.h"

#include <QMouseEvent>

namespace quillstone {

QColor ToQColor(ColorValue color) {
  const Rgb c = SplitColor(color);
  return QColor(c.r, c.g, c.b);
}

ColorValue FromQColor(const QColor& color) {
  return MakeColor(color.red(), color.green(), color.blue());
}

ColorSwatch::ColorSwatch(const QString& objectName, QWidget* parent) : QLabel(parent) {
  setObjectName(objectName);
  setAlignment(Qt::AlignCenter);
  setMinimumSize(64, 24);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setCursor(Qt::PointingHandCursor);
  Restyle();
}

void ColorSwatch::SetColor(ColorValue color) {
  color_ = color;
  Restyle();
}

void ColorSwatch::SetCaption(const QString& caption) {
  setText(caption);
}

void ColorSwatch::Restyle() {
  setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: %2; }")
                    .arg(ToQColor(color_).name(), ToQColor(ContrastColor(color_)).name()));
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
}

}  // namespace quillstone
