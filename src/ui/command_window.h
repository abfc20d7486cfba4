#pragma once

#include <QDialog>
#include <optional>

#include "imaging/raster_image.h"
#include "pipeline/watermark_settings.h"
#include "ui/widget_factory.h"

class QLabel;
class QListWidget;
class QTabWidget;

namespace quillstone {

class ColorSwatch;
class ImageView;
class Prompter;
class SpecialCharacterPicker;
class TextTools;
class ThreeDPage;

// "Command info, insertion of special characters and 3d-text": the pages "Textcommands"
// (sub-pages "Info-tags", with the date and time format lists and a tag example, and
// "Textformat-tags", with the colour tag builder), "Special characters" and "Text
// 3d-effect", closed with "OK". Each "A" button inserts its command or tag at the caret of
// the text (or of the big editor while it is open) and renders.
class CommandWindow : public QDialog {
  Q_OBJECT

 public:
  enum class Page { kTextCommands = 0, kSpecialCharacters = 1, kThreeD = 2 };

  CommandWindow(TextTools& tools, WatermarkSettings& settings, Prompter& prompter, RenderRequests requests,
                QWidget* parent = nullptr);

  // Shows the window modally on `page` (the page shown last when none), with the font
  // and colour handed over on opening and on closing; the close renders.
  void Run(std::optional<Page> page);

 private:
  QWidget* BuildInfoTagsPage();
  QWidget* BuildCameraDataPage();
  QWidget* BuildFormatTagsPage();
  QWidget* BuildColorTagBox();
  QWidget* BuildFormatListsBox();
  QWidget* BuildExampleBox();
  QWidget* BuildSpecialCharactersPage();
  void InsertSpecialCharacters();
  void ShowSettings();
  void ShowTagColor();

  TextTools& tools_;
  WatermarkSettings& settings_;
  Prompter& prompter_;
  RenderRequests requests_;
  QTabWidget* pages_ = nullptr;
  ThreeDPage* threeD_ = nullptr;
  SpecialCharacterPicker* picker_ = nullptr;
  QListWidget* dateFormats_ = nullptr;
  QListWidget* timeFormats_ = nullptr;
  ColorSwatch* tagSample_ = nullptr;
  QLabel* tagDigits_ = nullptr;
  ImageView* examplePicture_ = nullptr;
  RasterImage exampleRaster_;
};

}  // namespace quillstone
