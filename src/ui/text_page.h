#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "pipeline/watermark_settings.h"
#include "ui/widget_factory.h"

class QLabel;
class QLayout;
class QPlainTextEdit;

namespace quillstone {

class ColorSwatch;
class EditInsertion;
class Prompter;
class TextInsertion;

// The "&Text" page: the watermark text (textmemo), alignment (horiz1..3, vert1..3),
// "Extra center" (intextcenter), "Use image width" (check_useimagewidth), font, font
// colour (Panel41), background colour (Panel42) and style (colorstyle2), background
// blending (ScrollBar3), text blending (alpha_text_scrollbar), the font-size buttons,
// "Load text" / "Save text", and the buttons that open the text tools and the big editor.
class TextPage : public QWidget {
  Q_OBJECT

 public:
  TextPage(WatermarkSettings& settings, std::vector<std::string>& text, Prompter& prompter,
           QWidget* parent = nullptr);
  ~TextPage() override;

  void ShowSettings();
  // Shows the watermark text again (after it was replaced by a load).
  void ShowText();
  // The text edit as the text tools insert into it.
  TextInsertion& insertion();

 signals:
  void renderNow();
  void renderLater();
  void loadTextRequested();
  void saveTextRequested();
  void toolsRequested();
  void bigEditorRequested();

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
  std::unique_ptr<EditInsertion> insertion_;
  ColorSwatch* fontColor_ = nullptr;
  QLabel* fontLabel_ = nullptr;
};

}  // namespace quillstone
