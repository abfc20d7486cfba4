#include "ui/text_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/color_swatch.h"
#include "ui/qt_text.h"
#include "ui/text_commands_menu.h"
#include "ui/widget_factory.h"
#include "workspace/prompter.h"

namespace quillstone {
namespace {

// The font sizes the two buttons step between: up while below 72 points, down while at
// least 10 points, 2 points a step.
constexpr int kFontStepPoints = 2;
constexpr int kLargestGrowingSize = 72;
constexpr int kSmallestShrinkingSize = 10;

QButtonGroup* RadioGroup(QGroupBox* box, const char* namePrefix,
                         std::initializer_list<const char*> captions) {
  auto* group = new QButtonGroup(box);
  auto* layout = new QVBoxLayout(box);
  int id = 0;
  for (const char* caption : captions) {
    auto* button = new QRadioButton(caption, box);
    button->setObjectName(QStringLiteral("%1%2").arg(namePrefix).arg(id + 1));
    group->addButton(button, id++);
    layout->addWidget(button);
  }
  return group;
}

std::vector<std::string> LinesOf(const QString& text) {
  std::vector<std::string> lines;
  if (text.isEmpty()) return lines;
  for (const QString& line : text.split(QLatin1Char('\n'))) lines.push_back(ToStdString(line));
  return lines;
}

QString TextOf(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << ToQString(line);
  return list.join(QLatin1Char('\n'));
}

}  // namespace

TextPage::TextPage(WatermarkSettings& settings, std::vector<std::string>& text, Prompter& prompter,
                   QWidget* parent)
    : QWidget(parent), settings_(settings), text_(text), prompter_(prompter) {
  edit_ = new QPlainTextEdit(this);
  edit_->setObjectName("textmemo");
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  AddTextCommandsMenu(edit_);
  connect(edit_, &QPlainTextEdit::textChanged, this, [this] {
    text_ = LinesOf(edit_->toPlainText());
    emit renderLater();
  });

  auto* horizontalBox = new QGroupBox("H-Position", this);
  horizontal_ = RadioGroup(horizontalBox, "horiz", {"Left", "Center", "Right"});
  auto* verticalBox = new QGroupBox("V-Position", this);
  vertical_ = RadioGroup(verticalBox, "vert", {"Top", "Center", "Bottom"});
  connect(horizontal_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (!checked) return;
    settings_.text.horizontal = static_cast<HorizontalAlign>(id);
    emit renderNow();
  });
  connect(vertical_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (!checked) return;
    settings_.text.vertical = static_cast<VerticalAlign>(id);
    emit renderNow();
  });

  extraCenter_ = new QCheckBox("Extra center", this);
  extraCenter_->setObjectName("intextcenter");
  imageWidth_ = new QCheckBox("Use image width", this);
  imageWidth_->setObjectName("check_useimagewidth");
  connect(extraCenter_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.text.extraCenter = on;
    emit renderLater();
  });
  connect(imageWidth_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.text.useImageWidth = on;
    emit renderLater();
  });

  auto* fontBox = new QGroupBox("Font", this);
  auto* fontButton = new QPushButton("Font", fontBox);
  fontButton->setObjectName("fontbutton");
  fontLabel_ = new QLabel(fontBox);
  fontLabel_->setObjectName("fontlabel");
  fontColor_ = new ColorSwatch("Panel41", fontBox);
  fontColor_->SetCaption("Fontcolor");
  auto* larger = new QPushButton("A+", fontBox);
  larger->setObjectName("incfontsize");
  larger->setToolTip("Increment font size");
  auto* smaller = new QPushButton("A-", fontBox);
  smaller->setObjectName("decfontsize");
  smaller->setToolTip("Decrement font size");
  connect(fontButton, &QPushButton::clicked, this, [this] {
    const auto chosen = prompter_.ChooseFont({settings_.text.font, settings_.text.fontColor});
    if (!chosen) return;
    settings_.text.font = chosen->font;
    settings_.text.fontColor = chosen->color;
    ShowFont();
    emit renderNow();
  });
  connect(fontColor_, &ColorSwatch::clicked, this, [this] {
    if (const auto chosen = prompter_.ChooseColor(settings_.text.fontColor)) {
      settings_.text.fontColor = *chosen;
      fontColor_->SetColor(*chosen);
      emit renderNow();
    }
  });
  connect(larger, &QPushButton::clicked, this, [this] {
    if (settings_.text.font.points < kLargestGrowingSize)
      ChangeFontSize(settings_.text.font.points + kFontStepPoints);
  });
  connect(smaller, &QPushButton::clicked, this, [this] {
    if (settings_.text.font.points >= kSmallestShrinkingSize) {
      ChangeFontSize(settings_.text.font.points - kFontStepPoints);
    }
  });
  auto* fontLayout = new QGridLayout(fontBox);
  fontLayout->addWidget(fontButton, 0, 0);
  fontLayout->addWidget(fontColor_, 0, 1);
  fontLayout->addWidget(larger, 0, 2);
  fontLayout->addWidget(smaller, 0, 3);
  fontLayout->addWidget(fontLabel_, 1, 0, 1, 4);

  auto* backBox = new QGroupBox("Backcolor", this);
  backColor_ = new ColorSwatch("Panel42", backBox);
  backColor_->setToolTip("Click to select the background color");
  backStyle_ = new QComboBox(backBox);
  backStyle_->setObjectName("colorstyle2");
  backStyle_->addItems(
      {"none", "full color", "left to right", "right to left", "top to bottom", "bottom to top"});
  backStyle_->setToolTip("Colorstyle");
  backBlending_ = Slider("ScrollBar3", 1, 100, 10, backBox);
  backBlendingLabel_ = new QLabel(backBox);
  backBlendingLabel_->setObjectName("backblendinglabel");
  connect(backColor_, &ColorSwatch::clicked, this, [this] {
    if (const auto chosen = prompter_.ChooseColor(settings_.text.backgroundColor)) {
      settings_.text.backgroundColor = *chosen;
      backColor_->SetColor(*chosen);
      emit renderNow();
    }
  });
  connect(backStyle_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0) return;
    settings_.text.backgroundStyle = static_cast<TextBoxStyle>(index);
    emit renderLater();
  });
  connect(backBlending_, &QScrollBar::valueChanged, this, [this](int value) {
    settings_.text.backgroundBlending = value;
    backBlendingLabel_->setText(QStringLiteral("%1% blending").arg(value));
    emit renderLater();
  });
  auto* backLayout = new QGridLayout(backBox);
  backLayout->addWidget(backColor_, 0, 0);
  backLayout->addWidget(backStyle_, 0, 1);
  backLayout->addWidget(backBlendingLabel_, 1, 0, 1, 2);
  backLayout->addWidget(backBlending_, 2, 0, 1, 2);

  auto* blendBox = new QGroupBox("Text blending", this);
  textBlending_ = Slider("alpha_text_scrollbar", 0, 100, 10, blendBox);
  textBlendingLabel_ = new QLabel(blendBox);
  textBlendingLabel_->setObjectName("textblendinglabel");
  connect(textBlending_, &QScrollBar::valueChanged, this, [this](int value) {
    settings_.text.textBlending = value;
    textBlendingLabel_->setText(QStringLiteral("%1% blending").arg(value));
    emit renderLater();
  });
  auto* blendLayout = new QVBoxLayout(blendBox);
  blendLayout->addWidget(textBlendingLabel_);
  blendLayout->addWidget(textBlending_);

  auto* loadText = new QPushButton("Load text", this);
  loadText->setObjectName("loadtextbutton");
  auto* saveText = new QPushButton("Save text", this);
  saveText->setObjectName("savetextbutton");
  auto* tools = new QPushButton("Tools", this);
  tools->setObjectName("texttoolsbutton");
  tools->setToolTip("Tools: Dynamic text commands and insert special characters and 3d text");
  tools->setEnabled(false);
  auto* bigEditor = new QPushButton("Open big text editor", this);
  bigEditor->setObjectName("bigeditorbutton");
  bigEditor->setToolTip("Click for the big texteditor");
  bigEditor->setEnabled(false);
  connect(loadText, &QPushButton::clicked, this, &TextPage::loadTextRequested);
  connect(saveText, &QPushButton::clicked, this, &TextPage::saveTextRequested);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {loadText, saveText, tools, bigEditor}) buttons->addWidget(button);
  buttons->addStretch(1);
  auto* switches = new QVBoxLayout;
  switches->addWidget(extraCenter_);
  switches->addWidget(imageWidth_);
  switches->addStretch(1);
  auto* placement = new QHBoxLayout;
  placement->addWidget(horizontalBox);
  placement->addWidget(verticalBox);
  placement->addLayout(switches);
  placement->addWidget(fontBox, 1);
  auto* colors = new QHBoxLayout;
  colors->addWidget(backBox, 1);
  colors->addWidget(blendBox, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_, 1);
  layout->addLayout(buttons);
  layout->addLayout(placement);
  layout->addLayout(colors);
  ShowSettings();
}

void TextPage::ShowSettings() {
  const TextSettings& t = settings_.text;
  {
    const QSignalBlocker blocker(horizontal_);
    horizontal_->button(static_cast<int>(t.horizontal))->setChecked(true);
  }
  {
    const QSignalBlocker blocker(vertical_);
    vertical_->button(static_cast<int>(t.vertical))->setChecked(true);
  }
  for (const auto& [box, on] :
       {std::pair{extraCenter_, t.extraCenter}, std::pair{imageWidth_, t.useImageWidth}}) {
    const QSignalBlocker blocker(box);
    box->setChecked(on);
  }
  backColor_->SetColor(t.backgroundColor);
  {
    const QSignalBlocker blocker(backStyle_);
    backStyle_->setCurrentIndex(static_cast<int>(t.backgroundStyle));
  }
  for (const auto& [bar, value] :
       {std::pair{backBlending_, t.backgroundBlending}, std::pair{textBlending_, t.textBlending}}) {
    const QSignalBlocker blocker(bar);
    bar->setValue(value);
  }
  backBlendingLabel_->setText(QStringLiteral("%1% blending").arg(t.backgroundBlending));
  textBlendingLabel_->setText(QStringLiteral("%1% blending").arg(t.textBlending));
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
