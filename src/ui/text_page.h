#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "pipeline/watermark_settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QScrollBar;

namespace quillstone {

class ColorSwatch;
class Prompter;

// The "&Text" page: the watermark text (textmemo), alignment (horiz1..3, vert1..3),
// "Extra center" (intextcenter), "Use image width" (check_useimagewidth), font, font
// colour (Panel41), background colour (Panel42) and style (colorstyle2), background
// blending (ScrollBar3), text blending (alpha_text_scrollbar), the font-size buttons and
// "Load text" / "Save text".
class TextPage : public QWidget {
  Q_OBJECT

 public:
  TextPage(WatermarkSettings& settings, std::vector<std::string>& text, Prompter& prompter,
           QWidget* parent = nullptr);

  void ShowSettings();
  // Shows the watermark text again (after it was replaced by a load).
  void ShowText();

 signals:
  void renderNow();
  void renderLater();
  void loadTextRequested();
  void saveTextRequested();

 private:
  void ShowFont();
  void ChangeFontSize(int points);

  WatermarkSettings& settings_;
  std::vector<std::string>& text_;
  Prompter& prompter_;
  QPlainTextEdit* edit_;
  QButtonGroup* horizontal_;
  QButtonGroup* vertical_;
  QCheckBox* extraCenter_;
  QCheckBox* imageWidth_;
  ColorSwatch* fontColor_;
  ColorSwatch* backColor_;
  QComboBox* backStyle_;
  QScrollBar* backBlending_;
  QLabel* backBlendingLabel_;
  QScrollBar* textBlending_;
  QLabel* textBlendingLabel_;
  QLabel* fontLabel_;
};

}  // namespace quillstone
