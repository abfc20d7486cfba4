#pragma once

#include <QLabel>

#include "imaging/color_value.h"

namespace quillstone {

// A colour panel: shows a colour, optionally with a caption drawn in the ink that stays
// readable on it, and reports clicks (which open the colour dialog).
class ColorSwatch : public QLabel {
  Q_OBJECT

 public:
  explicit ColorSwatch(const QString& objectName, QWidget* parent = nullptr);

  ColorValue color() const { return color_; }
  void SetColor(ColorValue color);
  void SetCaption(const QString& caption);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Restyle();
  ColorValue color_ = colors::kBlack;
};

// The colour value as Qt shows it.
QColor ToQColor(ColorValue color);
ColorValue FromQColor(const QColor& color);

}  // namespace quillstone
