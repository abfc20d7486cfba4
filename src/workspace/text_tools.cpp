#include "workspace/text_tools.h"

#include <algorithm>
#include <vector>

#include "text/text_stage.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

constexpr int kExampleWidth = 300;
constexpr int kExampleHeight = 84;
constexpr int kExamplePoints = 10;
constexpr ColorValue kExampleBackground = 0x00303030;

template <std::size_t N>
int IndexIn(const std::array<std::string_view, N>& list, const std::string& format) {
  const auto found = std::find(list.begin(), list.end(), format);
  return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

}  // namespace

RasterImage TagExamplePicture(const std::string& face) {
  RasterImage picture(kExampleWidth, kExampleHeight, kExampleBackground);
  TextSettings settings;
  settings.font.face = face;
  settings.font.points = kExamplePoints;
  settings.fontColor = colors::kWhite;
  settings.backgroundStyle = TextBoxStyle::kNone;
  settings.textBlending = 100;
  const std::vector<std::string> lines(kTagExampleLines.begin(), kTagExampleLines.end());
  const TextContext context{};
  const LocaleInfo plain;  // the example lines hold no date or time command
  RenderTextWatermark(picture, {settings, lines, context, plain, ChannelMask{}});
  return picture;
}

TextTools::TextTools(Workspace& workspace) : workspace_(workspace) {}

void TextTools::InsertCommand(std::string_view literal) {
  if (TextInsertion* target = InsertTarget()) target->InsertAtCaret(literal);
  workspace_.Render();
}

void TextTools::OpenCommandWindow() {
  pickerFont_ = workspace_.settings().watermark.text.font;
}

void TextTools::CloseCommandWindow() {
  TextFont& font = workspace_.settings().watermark.text.font;
  font.face = pickerFont_.face;
  font.points = pickerFont_.points;
  workspace_.Render();
}

void TextTools::StartSpecialCharacters() {
  const TextFont& font = workspace_.settings().watermark.text.font;
  pickerFont_.face = font.face;
  pickerFont_.points = font.points;
}

bool TextTools::ChoosePickerFont() {
  TextSettings& text = workspace_.settings().watermark.text;
  const std::optional<FontChoice> chosen = workspace_.prompter().ChooseFont({pickerFont_, text.fontColor});
  if (!chosen) return false;
  pickerFont_ = chosen->font;
  text.font = chosen->font;
  text.fontColor = chosen->color;
  return true;
}

void TextTools::FinishSpecialCharacters(const std::optional<std::string>& chars) {
  if (chars && !chars->empty()) {
    if (TextInsertion* target = InsertTarget()) target->InsertAtCaret(*chars);
  }
  workspace_.Render();
}

bool TextTools::ChooseTagColor() {
  const std::optional<ColorValue> chosen = workspace_.prompter().ChooseColor(tagColor_);
  if (!chosen) return false;
  tagColor_ = *chosen;
  return true;
}

void TextTools::ChooseDateFormat(int index) {
  if (index < 0 || index >= static_cast<int>(kDateFormats.size())) return;
  workspace_.settings().watermark.text.dateFormat = std::string(kDateFormats[index]);
}

void TextTools::ChooseTimeFormat(int index) {
  if (index < 0 || index >= static_cast<int>(kTimeFormats.size())) return;
  workspace_.settings().watermark.text.timeFormat = std::string(kTimeFormats[index]);
}

int TextTools::dateFormatIndex() const {
  return IndexIn(kDateFormats, workspace_.settings().watermark.text.dateFormat);
}

int TextTools::timeFormatIndex() const {
  return IndexIn(kTimeFormats, workspace_.settings().watermark.text.timeFormat);
}

void TextTools::SetAllThreeDDirections(bool on) {
  workspace_.settings().watermark.text.threeD.directions.fill(on);
}

}  // namespace quillstone
