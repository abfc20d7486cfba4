#pragma once

#include <QFont>
#include <QWidget>
#include <optional>

namespace quillstone {

// The 16 x 16 cells of the special character picker, 30 x 30 pixels each, showing the
// character codes 0 .. 255 row by row in the picker's font at 12 points, light on dark.
// The codes are the font's first 256 Unicode code points (Latin-1). Control codes
// (0 .. 31, 127 .. 159) show nothing and cannot be picked: they would break or cut a line
// of the text.
class CharacterGrid : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kCells = 16;
  static constexpr int kCellPixels = 30;
  static constexpr int kGridPoints = 12;

  explicit CharacterGrid(QWidget* parent = nullptr);

  void SetFace(const QString& face);
  // The code of the cell at a point of the widget; none outside the grid.
  static std::optional<int> CodeAt(QPoint position);
  static bool Pickable(int code);
  // The cell as drawn, for the zoomed preview.
  QPixmap CellPicture(int code);

  QSize sizeHint() const override;

 signals:
  void hovered(int code);
  void picked(int code);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QFont font_;
};

}  // namespace quillstone
