#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "pipeline/watermark_settings.h"
#include "ui/widget_factory.h"

class QLabel;
class QLayout;
class QPlainTextEdit;

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
  QWidget* BuildEditor();
  QLayout* BuildButtons();
  QLayout* BuildSwitches();
  QWidget* BuildFontBox();
  QWidget* BuildBackgroundBox();
  QWidget* BuildBlendingBox();
  void ShowFont();
  void ChangeFontSize(int points);

  WatermarkSettings& settings_;
  std::vector<std::string>& text_;
  Prompter& prompter_;
  WidgetFactory controls_;
  QPlainTextEdit* edit_ = nullptr;
  ColorSwatch* fontColor_ = nullptr;
  QLabel* fontLabel_ = nullptr;
};

}  // namespace quillstone
