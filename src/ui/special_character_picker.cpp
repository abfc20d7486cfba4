#include "ui/special_character_picker.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/character_grid.h"
#include "ui/qt_text.h"
#include "ui/widget_factory.h"
#include "workspace/text_tools.h"

namespace quillstone {
namespace {

constexpr int kZoom = 3;
constexpr int kSelectionPoints = 24;

}  // namespace

SpecialCharacterPicker::SpecialCharacterPicker(TextTools& tools, QWidget* parent)
    : QDialog(parent), tools_(tools) {
  setObjectName("SpecialCharacterWindow");
  setWindowTitle("Special character selection");
  setModal(true);

  grid_ = Named(new CharacterGrid(this), "charactergrid");
  code_ = Named(new QLabel(this), "charactercode");
  zoomed_ = Named(new QLabel(this), "characterzoomed");
  zoomed_->setFixedSize(CharacterGrid::kCellPixels * kZoom, CharacterGrid::kCellPixels * kZoom);
  zoomed_->setFrameShape(QFrame::Panel);
  fontName_ = Named(new QLabel(this), "pickerfontname");
  fontName_->setWordWrap(true);
  auto* otherFont = Named(new QPushButton("Select an other font", this), "pickerfontbutton");
  selection_ = Named(new QLineEdit(this), "selectedchars");
  auto* apply = Named(new QPushButton("Apply selected chars", this), "applyselectedchars");
  auto* cancel = Named(new QPushButton("Cancel", this), "cancelselectedchars");
  apply->setDefault(true);

  connect(grid_, &CharacterGrid::hovered, this, &SpecialCharacterPicker::ShowCell);
  connect(grid_, &CharacterGrid::picked, this,
          [this](int code) { selection_->setText(selection_->text() + QChar(code)); });
  connect(otherFont, &QPushButton::clicked, this, [this] {
    if (!tools_.ChoosePickerFont()) return;
    ShowFont();
    emit fontChosen();
  });
  connect(apply, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel("ASCII - Code", this));
  side->addWidget(code_);
  side->addWidget(new QLabel("Char preview zoomed", this));
  side->addWidget(zoomed_);
  side->addSpacing(12);
  side->addWidget(otherFont);
  side->addWidget(fontName_);
  side->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(grid_);
  top->addLayout(side);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(apply);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(selection_);
  layout->addWidget(new QLabel(
      "Selected chars are automatically inserted at the last cursor position of the textfield.", this));
  layout->addLayout(buttons);
}

std::optional<std::string> SpecialCharacterPicker::Run() {
  selection_->clear();
  code_->clear();
  zoomed_->clear();
  ShowFont();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return ToStdString(selection_->text());
}

void SpecialCharacterPicker::ShowFont() {
  const TextFont& font = tools_.pickerFont();
  const QString face = ToQString(font.face);
  grid_->SetFace(face);
  selection_->setFont(QFont(face, kSelectionPoints));
  fontName_->setText(QStringLiteral("%1, %2 pt").arg(face).arg(font.points));
}

void SpecialCharacterPicker::ShowCell(int code) {
  code_->setText(QString::number(code));
  const int side = CharacterGrid::kCellPixels * kZoom;
  zoomed_->setPixmap(
      grid_->CellPicture(code).scaled(side, side, Qt::KeepAspectRatio, Qt::FastTransformation));
}

}  // namespace quillstone
