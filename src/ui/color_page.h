#pragma once

#include <QWidget>
#include <array>

#include "pipeline/watermark_settings.h"

class QCheckBox;
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
  void ShowStyleControls();
  void ShowPaperCaption(int paper);

  WatermarkSettings& settings_;
  Prompter& prompter_;
  ColorSwatch* color_;
  QCheckBox* random_;
  QScrollBar* blending_;
  QLabel* colorPercent_;
  QLabel* imagePercent_;
  QScrollBar* step_;
  QLabel* stepLabel_;
  QListWidget* styles_;
  QLabel* selected_;
  QListWidget* strength_;
  QScrollBar* mosaic_;
  QLabel* mosaicLabel_;
  std::array<ColorSwatch*, kPaperCount> paperColors_{};
  std::array<QScrollBar*, kPaperCount> paperStrengths_{};
};

}  // namespace quillstone
