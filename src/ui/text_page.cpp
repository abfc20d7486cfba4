#include "ui/text_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/color_swatch.h"
#include "ui/edit_insertion.h"
#include "ui/qt_text.h"
#include "ui/text_commands_menu.h"
#include "workspace/prompter.h"

namespace quillstone {
namespace {

// The font sizes the two buttons step between: up while below 72 points, down while at
// least 10 points, 2 points a step.
constexpr int kFontStepPoints = 2;
constexpr int kLargestGrowingSize = 72;
constexpr int kSmallestShrinkingSize = 10;

QPushButton* Button(const char* name, const QString& caption, const QString& tip, QWidget* parent) {
  auto* button = Named(new QPushButton(caption, parent), name);
  button->setToolTip(tip);
  return button;
}

}  // namespace

TextPage::TextPage(WatermarkSettings& settings, std::vector<std::string>& text, Prompter& prompter,
                   QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      text_(text),
      prompter_(prompter),
      controls_({[this] { emit renderNow(); }, [this] { emit renderLater(); }}) {
  // Made in the order the focus moves through them.
  TextSettings& t = settings_.text;
  QWidget* editor = BuildEditor();
  RadioGroup* horizontal = controls_.Choice(
      new RadioGroup("H-Position", {{"Left", "Center", "Right"}, "horiz%1", 1}, this), t.horizontal);
  RadioGroup* vertical = controls_.Choice(
      new RadioGroup("V-Position", {{"Top", "Center", "Bottom"}, "vert%1", 1}, this), t.vertical);
  QLayout* switches = BuildSwitches();
  QWidget* fontBox = BuildFontBox();
  QWidget* backgroundBox = BuildBackgroundBox();
  QWidget* blendingBox = BuildBlendingBox();
  QLayout* buttons = BuildButtons();

  auto* placement = new QHBoxLayout;
  placement->addWidget(horizontal);
  placement->addWidget(vertical);
  placement->addLayout(switches);
  placement->addWidget(fontBox, 1);
  auto* colors = new QHBoxLayout;
  colors->addWidget(backgroundBox, 1);
  colors->addWidget(blendingBox, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(editor, 1);
  layout->addLayout(buttons);
  layout->addLayout(placement);
  layout->addLayout(colors);
  ShowSettings();
}

TextPage::~TextPage() = default;

TextInsertion& TextPage::insertion() {
  return *insertion_;
}

QWidget* TextPage::BuildEditor() {
  edit_ = Named(new QPlainTextEdit(this), "textmemo");
  insertion_ = std::make_unique<EditInsertion>(edit_);
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  AddTextCommandsMenu(edit_);
  connect(edit_, &QPlainTextEdit::textChanged, this, [this] {
    text_ = LinesOf(edit_->toPlainText());
    emit renderLater();
  });
  return edit_;
}

QLayout* TextPage::BuildButtons() {
  auto* loadText = Named(new QPushButton("Load text", this), "loadtextbutton");
  auto* saveText = Named(new QPushButton("Save text", this), "savetextbutton");
  auto* tools = Button("texttoolsbutton", "Tools",
                       "Tools: Dynamic text commands and insert special characters and 3d text", this);
  auto* bigEditor = Button("bigeditorbutton", "Open big text editor", "Click for the big texteditor", this);
  connect(tools, &QPushButton::clicked, this, &TextPage::toolsRequested);
  connect(bigEditor, &QPushButton::clicked, this, &TextPage::bigEditorRequested);
  connect(loadText, &QPushButton::clicked, this, &TextPage::loadTextRequested);
  connect(saveText, &QPushButton::clicked, this, &TextPage::saveTextRequested);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {loadText, saveText, tools, bigEditor}) buttons->addWidget(button);
  buttons->addStretch(1);
  return buttons;
}

QLayout* TextPage::BuildSwitches() {
  TextSettings& t = settings_.text;
  auto* switches = new QVBoxLayout;
  switches->addWidget(
      controls_.Switch("intextcenter", "Extra center", t.extraCenter, this, {}, Render::kLater));
  switches->addWidget(
      controls_.Switch("check_useimagewidth", "Use image width", t.useImageWidth, this, {}, Render::kLater));
  switches->addStretch(1);
  return switches;
}

// The face and size (through the font dialog and the two size buttons) and the colour.
QWidget* TextPage::BuildFontBox() {
  auto* box = new QGroupBox("Font", this);
  auto* fontButton = Named(new QPushButton("Font", box), "fontbutton");
  fontLabel_ = Named(new QLabel(box), "fontlabel");
  fontColor_ = controls_.Swatch("Panel41", settings_.text.fontColor, prompter_, box);
  fontColor_->SetCaption("Fontcolor");
  auto* larger = Button("incfontsize", "A+", "Increment font size", box);
  auto* smaller = Button("decfontsize", "A-", "Decrement font size", box);
  connect(fontButton, &QPushButton::clicked, this, [this] {
    const auto chosen = prompter_.ChooseFont({settings_.text.font, settings_.text.fontColor});
    if (!chosen) return;
    settings_.text.font = chosen->font;
    settings_.text.fontColor = chosen->color;
    ShowFont();
    emit renderNow();
  });
  connect(larger, &QPushButton::clicked, this, [this] {
    if (settings_.text.font.points < kLargestGrowingSize)
      ChangeFontSize(settings_.text.font.points + kFontStepPoints);
  });
  connect(smaller, &QPushButton::clicked, this, [this] {
    if (settings_.text.font.points >= kSmallestShrinkingSize)
      ChangeFontSize(settings_.text.font.points - kFontStepPoints);
  });
  auto* layout = new QGridLayout(box);
  layout->addWidget(fontButton, 0, 0);
  layout->addWidget(fontColor_, 0, 1);
  layout->addWidget(larger, 0, 2);
  layout->addWidget(smaller, 0, 3);
  layout->addWidget(fontLabel_, 1, 0, 1, 4);
  // Sized per image, the first line takes a share of the image's height instead.
  auto* percentLabel = Named(new QLabel(box), "textrelativelabel");
  auto* percent = controls_.Slider({"textrelativepercent", 1, 100, 5}, settings_.text.relativePercent, box,
                                   LabelText(percentLabel, "%1% of the image height"));
  auto* relative =
      controls_.Switch("textrelative", "Text size relative to the image", settings_.text.relativeSize, box,
                       [percent](bool on) { percent->setEnabled(on); });
  layout->addWidget(relative, 2, 0, 1, 2);
  layout->addWidget(percentLabel, 2, 2, 1, 2);
  layout->addWidget(percent, 3, 0, 1, 4);
  return box;
}

// The box behind the text: colour, fill style and blending.
QWidget* TextPage::BuildBackgroundBox() {
  TextSettings& t = settings_.text;
  auto* box = new QGroupBox("Backcolor", this);
  auto* color = controls_.Swatch("Panel42", t.backgroundColor, prompter_, box);
  color->setToolTip("Click to select the background color");
  auto* style = Named(new QComboBox(box), "colorstyle2");
  style->addItems({"none", "full color", "left to right", "right to left", "top to bottom", "bottom to top"});
  style->setToolTip("Colorstyle");
  controls_.Choice(style, t.backgroundStyle);
  auto* label = Named(new QLabel(box), "backblendinglabel");
  auto* blending = controls_.Slider({"ScrollBar3", 1, 100, 10}, t.backgroundBlending, box,
                                    LabelText(label, "%1% blending"));
  auto* layout = new QGridLayout(box);
  layout->addWidget(color, 0, 0);
  layout->addWidget(style, 0, 1);
  layout->addWidget(label, 1, 0, 1, 2);
  layout->addWidget(blending, 2, 0, 1, 2);
  return box;
}

QWidget* TextPage::BuildBlendingBox() {
  auto* box = new QGroupBox("Text blending", this);
  auto* label = Named(new QLabel(box), "textblendinglabel");
  auto* blending = controls_.Slider({"alpha_text_scrollbar", 0, 100, 10}, settings_.text.textBlending, box,
                                    LabelText(label, "%1% blending"));
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(label);
  layout->addWidget(blending);
  return box;
}

void TextPage::ShowSettings() {
  controls_.ShowAll();
  ShowFont();
  ShowText();
}

void TextPage::ShowText() {
  const QString shown = TextOf(text_);
  if (edit_->toPlainText() == shown) return;
  const QSignalBlocker blocker(edit_);
  edit_->setPlainText(shown);
}

// The edit shows the text in the chosen face, in black at 10 points.
void TextPage::ShowFont() {
  const TextFont& font = settings_.text.font;
  fontColor_->SetColor(settings_.text.fontColor);
  fontLabel_->setText(QStringLiteral("%1, %2 pt").arg(ToQString(font.face)).arg(font.points));
  QFont editFont(ToQString(font.face), 10);
  edit_->setFont(editFont);
}

void TextPage::ChangeFontSize(int points) {
  settings_.text.font.points = points;
  ShowFont();
  emit renderLater();
}

}  // namespace quillstone
