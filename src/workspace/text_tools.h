#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/color_value.h"
#include "imaging/raster_image.h"
#include "text/date_time_format.h"
#include "text/format_tags.h"
#include "text/text_settings.h"

namespace quillstone {

class Workspace;

// An edit the text tools write into: it puts the text at its caret, replacing its
// selection. The text page's edit and the big text editor are the two; tests record.
class TextInsertion {
 public:
  virtual ~TextInsertion() = default;
  virtual void InsertAtCaret(std::string_view text) = 0;
};

// The colour the colour tag builder starts from: silver.
inline constexpr ColorValue kInitialTagColor = 0x00C0C0C0;

// The four lines the "Info-tags" page shows as an example of format tags, and their picture.
inline constexpr std::array<std::string_view, 4> kTagExampleLines{
    "$fcnFFFF00$$bold$$inc$$inc$Bold, larger, yellow",
    "$fcn00FFFF$$italic$Italic and cyan",
    "$fcnFF8080$$underline$Underlined and pink",
    "$fcn80FF80$$strikeout$$dec$Struck out, smaller, green",
};

// The example lines drawn in `face` at 10 points, white on dark grey, by the text stage
// itself, so the picture shows exactly what the tags do.
RasterImage TagExamplePicture(const std::string& face);

// The rules of the text tool windows (the command window, the special character picker and
// the big text editor), free of widgets. They live as long as the window: the picker's
// font, the colour tag builder's colour and the edit that takes inserts are kept here; the
// date and time formats are settings of the text, which no configuration file stores, so a
// choice holds until the program ends.
class TextTools {
 public:
  explicit TextTools(Workspace& workspace);
  TextTools(const TextTools&) = delete;
  TextTools& operator=(const TextTools&) = delete;

  // Inserts go to the text page's edit, or to the big editor while that is open, so that
  // nothing typed there is overwritten by its lines when it closes.
  void SetTextEdit(TextInsertion* edit) { textEdit_ = edit; }
  void OpenBigEditor(TextInsertion* editor) { bigEditor_ = editor; }
  void CloseBigEditor() { bigEditor_ = nullptr; }
  bool bigEditorOpen() const { return bigEditor_ != nullptr; }

  // An "A" button of the command window: the literal goes in at the caret, then the image
  // is rendered at once.
  void InsertCommand(std::string_view literal);

  // Opening the command window: the picker's font becomes the text font.
  void OpenCommandWindow();
  // Closing it: the text font takes the face and size of the picker's font, and the image
  // is rendered. (The window's "Font color" panel is the font colour setting itself.)
  void CloseCommandWindow();

  // The special character picker's font: face, size and style. Its colour is the text's
  // font colour, so a colour chosen on the "Text 3d-effect" page is never undone by the
  // picker.
  const TextFont& pickerFont() const { return pickerFont_; }
  // "Insert special characters in the text field": the picker starts on the text font's
  // face and size.
  void StartSpecialCharacters();
  // "Select an other font": the font dialog on the picker's font in the font colour. The
  // chosen font becomes the picker's font and the text font, its colour the font colour.
  // False when the dialog was cancelled.
  bool ChoosePickerFont();
  // The picker closed: after "Apply selected chars" (`chars` set) the characters go in at
  // the caret; either way the image is rendered.
  void FinishSpecialCharacters(const std::optional<std::string>& chars);

  // The colour tag builder: its colour, "Select color" (false when cancelled) and the tag
  // its "A" buttons insert.
  ColorValue tagColor() const { return tagColor_; }
  bool ChooseTagColor();
  std::string TagFor(ColorTagKind kind) const { return ColorTag(kind, tagColor_); }

  // The date and time lists (kDateFormats, kTimeFormats): choosing an entry makes it the
  // format of "$date$" and "$fdate$" (or "$time$" and "$ftime$"); the caller asks for the
  // debounced render. An index outside the list changes nothing.
  void ChooseDateFormat(int index);
  void ChooseTimeFormat(int index);
  // The entry the format in use is, or -1 (the system's format, or one set by name).
  int dateFormatIndex() const;
  int timeFormatIndex() const;

  // "All on" and "All off" of the "Text 3d-effect" page: all eight directions.
  void SetAllThreeDDirections(bool on);

 private:
  TextInsertion* InsertTarget() const { return bigEditor_ ? bigEditor_ : textEdit_; }

  Workspace& workspace_;
  TextInsertion* textEdit_ = nullptr;
  TextInsertion* bigEditor_ = nullptr;
  TextFont pickerFont_;
  ColorValue tagColor_ = kInitialTagColor;
};

}  // namespace quillstone
