#pragma once

#include <QWidget>
#include <array>

#include "pipeline/watermark_settings.h"
#include "ui/widget_factory.h"

class QGridLayout;
class QLabel;
class QListWidget;
class QScrollBar;

namespace quillstone {

class ColorSwatch;
class Prompter;

// The "&Color" page: effect colour (Panel40), random colour, colour share (ScrollBar2),
// step (ScrollBar4), the style list (colorstyle), the strength list (ListBox2), and the
// style-specific controls: mosaic rows (ScrollBar7) for the mosaic, and paper colour and
// strength (papercolor_01..03, ScrollBar9..11) for the three paper styles.
class ColorPage : public QWidget {
  Q_OBJECT

 public:
  ColorPage(WatermarkSettings& settings, Prompter& prompter, QWidget* parent = nullptr);

  void ShowSettings();

 signals:
  void renderNow();
  void renderLater();

 private:
  QWidget* BuildColorBox();
  QWidget* BuildStyleBox();
  void AddStyleControls(QWidget* box, QGridLayout* layout);
  void ShowStyleControls();

  WatermarkSettings& settings_;
  Prompter& prompter_;
  WidgetFactory controls_;
  QListWidget* styles_ = nullptr;
  QLabel* selected_ = nullptr;
  QScrollBar* mosaic_ = nullptr;
  QLabel* mosaicLabel_ = nullptr;
  std::array<ColorSwatch*, kPaperCount> paperColors_{};
  std::array<QScrollBar*, kPaperCount> paperStrengths_{};
};

}  // namespace quillstone
