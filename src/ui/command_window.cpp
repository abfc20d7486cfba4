#include "ui/command_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <string_view>

#include "imaging/ascii_case.h"
#include "imaging/camera_data.h"
#include "ui/color_swatch.h"
#include "ui/image_view.h"
#include "ui/qt_text.h"
#include "ui/special_character_picker.h"
#include "ui/three_d_page.h"
#include "workspace/text_tools.h"

namespace quillstone {
namespace {

// An insert button's object name, the literal it inserts and what the command does.
struct InsertItem {
  const char* name;
  std::string_view literal;
  const char* meaning;
};

constexpr InsertItem kInfoTags[] = {
    {"insertdate", "$date$", "Current date"},
    {"inserttime", "$time$", "Current time"},
    {"insertfn", "$fn$", "File name of the image"},
    {"insertfnwe", "$fnwe$", "File name of the image without extension"},
    {"insertwidth", "$width$", "Width of the image in pixels"},
    {"insertheight", "$height$", "Height of the image in pixels"},
    {"insertfdate", "$fdate$", "Date of the image file"},
    {"insertftime", "$ftime$", "Time of the image file"},
};

constexpr InsertItem kStyleTags[] = {
    {"insertbold", "$bold$", "Complete textline in font style BOLD"},
    {"insertitalic", "$italic$", "Complete textline in font style ITALIC"},
    {"insertunderline", "$underline$", "Complete textline in font style UNDERLINE"},
    {"insertstrikeout", "$strikeout$", "Complete textline in font style STRIKEOUT"},
    {"insertinc", "$inc$", "Font size of the textline 2 points larger (up to 73)"},
    {"insertdec", "$dec$", "Font size of the textline 2 points smaller (down to 8)"},
};

struct ColorTagItem {
  const char* name;
  ColorTagKind kind;
  const char* shown;
  const char* meaning;
};

constexpr ColorTagItem kColorTags[] = {
    {"insertfcn", ColorTagKind::kNormal, "$fcnRRGGBB$", "Font color of the textline"},
    {"insertfcs", ColorTagKind::kSingle, "$fcsRRGGBB$", "3d single color of the textline"},
    {"insertfcd", ColorTagKind::kDouble, "$fcdRRGGBB$", "3d double color of the textline"},
};

QPushButton* InsertButton(const char* name, QWidget* parent) {
  auto* button = Named(new QPushButton("A", parent), name);
  button->setToolTip("Apply complete command to text");
  button->setFixedWidth(32);
  return button;
}

// One row of a command table: the button, the literal and its meaning.
void AddRow(QGridLayout* grid, QPushButton* button, const QString& literal, const QString& meaning) {
  const int row = grid->rowCount();
  grid->addWidget(button, row, 0);
  grid->addWidget(new QLabel(literal), row, 1);
  grid->addWidget(new QLabel(meaning), row, 2);
}

QListWidget* FormatList(const char* name, const auto& formats, QWidget* parent) {
  auto* list = Named(new QListWidget(parent), name);
  for (const std::string_view format : formats) list->addItem(ToQString(format));
  // Tall enough to show every format without scrolling.
  list->setMinimumHeight(list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth());
  return list;
}

}  // namespace

CommandWindow::CommandWindow(TextTools& tools, WatermarkSettings& settings, Prompter& prompter,
                             RenderRequests requests, QWidget* parent)
    : QDialog(parent), tools_(tools), settings_(settings), prompter_(prompter), requests_(requests) {
  setObjectName("CommandWindow");
  setWindowTitle("Command info, insertion of special characters and 3d-text");
  setModal(true);

  auto* commandPages = Named(new QTabWidget(this), "textcommandpages");
  commandPages->addTab(BuildInfoTagsPage(), "Info-tags");
  commandPages->addTab(BuildFormatTagsPage(), "Textformat-tags");
  commandPages->addTab(BuildCameraDataPage(), "Camera data");
  threeD_ = new ThreeDPage(settings_.text, tools_, prompter_, requests_, this);
  pages_ = Named(new QTabWidget(this), "commandpages");
  pages_->addTab(commandPages, "Textcommands");
  pages_->addTab(BuildSpecialCharactersPage(), "Special characters");
  pages_->addTab(threeD_, "Text 3d-effect");
  picker_ = new SpecialCharacterPicker(tools_, this);
  connect(picker_, &SpecialCharacterPicker::fontChosen, threeD_, &ThreeDPage::ShowSettings);

  auto* ok = Named(new QPushButton("OK", this), "commandok");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_, 1);
  layout->addWidget(ok, 0, Qt::AlignRight);
}

QWidget* CommandWindow::BuildInfoTagsPage() {
  auto* page = new QWidget;
  auto* commands = new QGroupBox("Dynamic text commands", page);
  auto* grid = new QGridLayout(commands);
  for (const InsertItem& item : kInfoTags) {
    QPushButton* button = InsertButton(item.name, commands);
    connect(button, &QPushButton::clicked, this,
            [this, literal = item.literal] { tools_.InsertCommand(literal); });
    AddRow(grid, button, ToQString(item.literal), item.meaning);
  }
  grid->setColumnStretch(2, 1);
  auto* left = new QVBoxLayout;
  left->addWidget(commands);
  left->addWidget(BuildExampleBox(), 1);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 1);
  layout->addWidget(BuildFormatListsBox());
  return page;
}

// The camera's notes kept in the photo, "$exif:NAME$"; a photo without them shows nothing.
QWidget* CommandWindow::BuildCameraDataPage() {
  auto* page = new QWidget;
  auto* box = new QGroupBox("Camera data", page);
  auto* grid = new QGridLayout(box);
  for (const std::string_view name : kCameraFieldNames) {
    const std::string literal = CameraCommand(name);
    const std::string buttonName = "insertexif" + ToLowerAscii(name);
    QPushButton* button = InsertButton(buttonName.c_str(), box);
    connect(button, &QPushButton::clicked, this, [this, literal] { tools_.InsertCommand(literal); });
    const QString meaning =
        name == "DateTimeOriginal"
            ? QStringLiteral("When the photo was taken, in the date and time format")
            : QStringLiteral("The photo's %1, as the camera noted it").arg(ToQString(name));
    AddRow(grid, button, ToQString(literal), meaning);
  }
  grid->setColumnStretch(2, 1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(box);
  layout->addStretch(1);
  return page;
}

// The formats of "$date$" and "$fdate$", and of "$time$" and "$ftime$".
QWidget* CommandWindow::BuildFormatListsBox() {
  auto* box = new QGroupBox("Date and time format", this);
  dateFormats_ = FormatList("dateformatlist", kDateFormats, box);
  timeFormats_ = FormatList("timeformatlist", kTimeFormats, box);
  connect(dateFormats_, &QListWidget::currentRowChanged, this, [this](int row) {
    tools_.ChooseDateFormat(row);
    requests_.later();
  });
  connect(timeFormats_, &QListWidget::currentRowChanged, this, [this](int row) {
    tools_.ChooseTimeFormat(row);
    requests_.later();
  });
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(new QLabel("Date format ($date$, $fdate$):", box));
  layout->addWidget(dateFormats_);
  layout->addWidget(new QLabel("Time format ($time$, $ftime$):", box));
  layout->addWidget(timeFormats_);
  return box;
}

QWidget* CommandWindow::BuildExampleBox() {
  auto* box = new QGroupBox("Example", this);
  auto* text = Named(new QPlainTextEdit(box), "tagexampletext");
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  QStringList lines;
  for (const std::string_view line : kTagExampleLines) lines << ToQString(line);
  text->setPlainText(lines.join(QLatin1Char('\n')));
  text->setFixedHeight(text->fontMetrics().lineSpacing() * 6 + 2 * text->frameWidth());
  examplePicture_ = Named(new ImageView(ImageView::Placement::kCentered, box), "tagexamplepicture");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(text);
  layout->addWidget(new QLabel("gives:", box));
  layout->addWidget(examplePicture_, 1);
  return box;
}

QWidget* CommandWindow::BuildFormatTagsPage() {
  auto* page = new QWidget;
  auto* styles = new QGroupBox("Font style and size of a textline", page);
  auto* grid = new QGridLayout(styles);
  for (const InsertItem& item : kStyleTags) {
    QPushButton* button = InsertButton(item.name, styles);
    connect(button, &QPushButton::clicked, this,
            [this, literal = item.literal] { tools_.InsertCommand(literal); });
    AddRow(grid, button, ToQString(item.literal), item.meaning);
  }
  grid->setColumnStretch(2, 1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(styles);
  layout->addWidget(BuildColorTagBox());
  layout->addStretch(1);
  return page;
}

// The colour tag builder: "Select color", the sample and its digits, and the three tags.
QWidget* CommandWindow::BuildColorTagBox() {
  auto* box = new QGroupBox("Colors of a textline", this);
  auto* select = Named(new QPushButton("Select color", box), "selecttagcolor");
  tagSample_ = new ColorSwatch("tagcolorsample", box);
  tagDigits_ = Named(new QLabel(box), "tagcolordigits");
  auto choose = [this] {
    if (tools_.ChooseTagColor()) ShowTagColor();
  };
  connect(select, &QPushButton::clicked, this, choose);
  connect(tagSample_, &ColorSwatch::clicked, this, choose);
  auto* grid = new QGridLayout(box);
  auto* builder = new QHBoxLayout;
  builder->addWidget(select);
  builder->addWidget(tagSample_);
  builder->addWidget(tagDigits_);
  builder->addStretch(1);
  grid->addLayout(builder, 0, 0, 1, 3);
  for (const ColorTagItem& item : kColorTags) {
    QPushButton* button = InsertButton(item.name, box);
    connect(button, &QPushButton::clicked, this,
            [this, kind = item.kind] { tools_.InsertCommand(tools_.TagFor(kind)); });
    AddRow(grid, button, item.shown, item.meaning);
  }
  grid->setColumnStretch(2, 1);
  return box;
}

QWidget* CommandWindow::BuildSpecialCharactersPage() {
  auto* page = new QWidget;
  auto* insert =
      Named(new QPushButton("Insert special characters in the text field", page), "insertspecialchars");
  connect(insert, &QPushButton::clicked, this, &CommandWindow::InsertSpecialCharacters);
  auto* note = new QLabel(
      "Pick characters of the text font (codes 32 to 255) from a table; they are inserted at the cursor "
      "position of the text.",
      page);
  note->setWordWrap(true);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(note);
  layout->addWidget(insert, 0, Qt::AlignLeft);
  layout->addStretch(1);
  return page;
}

void CommandWindow::InsertSpecialCharacters() {
  tools_.StartSpecialCharacters();
  tools_.FinishSpecialCharacters(picker_->Run());
  threeD_->ShowSettings();
}

void CommandWindow::Run(std::optional<Page> page) {
  tools_.OpenCommandWindow();
  ShowSettings();
  if (page) pages_->setCurrentIndex(static_cast<int>(*page));
  exec();
  tools_.CloseCommandWindow();
}

void CommandWindow::ShowSettings() {
  threeD_->ShowSettings();
  for (auto [list, index] : {std::pair{dateFormats_, tools_.dateFormatIndex()},
                             std::pair{timeFormats_, tools_.timeFormatIndex()}}) {
    const QSignalBlocker blocker(list);
    list->setCurrentRow(index);
  }
  ShowTagColor();
  exampleRaster_ = TagExamplePicture(settings_.text.font.face);
  examplePicture_->SetImage(&exampleRaster_);
  examplePicture_->setMinimumSize(exampleRaster_.Width(), exampleRaster_.Height());
}

void CommandWindow::ShowTagColor() {
  tagSample_->SetColor(tools_.tagColor());
  tagDigits_->setText(ToQString(TagColorDigits(tools_.tagColor())));
}

}  // namespace quillstone
