#include "ui/individual_text_panel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/image_view.h"
#include "ui/qt_text.h"
#include "ui/text_commands_menu.h"
#include "workspace/workspace.h"

namespace quillstone {
IndividualTextPanel::IndividualTextPanel(Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace) {
  auto* previewBox = new QGroupBox("Preview", this);
  preview_ = new ImageView(ImageView::Placement::kCentered, previewBox);
  preview_->setObjectName("previewimage");
  preview_->setMinimumSize(160, 120);
  sizeLabel_ = new QLabel(previewBox);
  sizeLabel_->setObjectName("imagesizelabel");
  auto* previewLayout = new QVBoxLayout(previewBox);
  previewLayout->addWidget(preview_, 1);
  previewLayout->addWidget(sizeLabel_);

  auto* textBox = new QGroupBox("Individual text for the selected image", this);
  edit_ = new QPlainTextEdit(textBox);
  edit_->setObjectName("individualmemo");
  edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  AddTextCommandsMenu(edit_);
  use_ = new QCheckBox("Use the individual text", textBox);
  use_->setObjectName("useindividualtext");
  found_ = new QLabel("Text found", textBox);
  found_->setObjectName("textfoundlabel");
  notFound_ = new QLabel("Text not found", textBox);
  notFound_->setObjectName("textnotfoundlabel");
  found_->hide();
  notFound_->hide();
  auto* note = new QLabel(
      "The individual text is automatically saved in the image directory. "
      "Example: imagename.imageextension.txt",
      textBox);
  note->setWordWrap(true);
  auto* save = new QPushButton("Save individual text", textBox);
  save->setObjectName("saveindividualtext");

  connect(edit_, &QPlainTextEdit::textChanged, this, [this] {
    workspace_.SetIndividualLines(LinesOf(edit_->toPlainText()));
    emit renderLater();
  });
  connect(use_, &QCheckBox::toggled, this, [this](bool on) {
    workspace_.SetUseIndividualText(on);
    ShowIndividualText();
    emit renderLater();
  });
  connect(save, &QPushButton::clicked, this, [this] {
    workspace_.SaveCurrentIndividualText();
    ShowIndividualText();
  });

  auto* state = new QHBoxLayout;
  state->addWidget(use_);
  state->addStretch(1);
  state->addWidget(found_);
  state->addWidget(notFound_);
  auto* textLayout = new QVBoxLayout(textBox);
  textLayout->addWidget(edit_, 1);
  textLayout->addLayout(state);
  textLayout->addWidget(note);
  textLayout->addWidget(save, 0, Qt::AlignRight);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(previewBox, 1);
  layout->addWidget(textBox, 1);
}

void IndividualTextPanel::ShowIndividualText() {
  const IndividualText& text = workspace_.individualText();
  const QString shown = TextOf(text.lines);
  if (edit_->toPlainText() != shown) {
    const QSignalBlocker blocker(edit_);
    edit_->setPlainText(shown);
  }
  {
    const QSignalBlocker blocker(use_);
    use_->setChecked(workspace_.useIndividualText());
  }
  found_->setVisible(text.state == SideFileState::kFound);
  notFound_->setVisible(text.state == SideFileState::kNotFound || text.state == SideFileState::kUnreadable);
  edit_->setEnabled(!workspace_.CurrentSideFilePath().empty());
}

void IndividualTextPanel::ShowPreview() {
  preview_->SetImage(&workspace_.lastRender().preview);
  sizeLabel_->setText(ToQString(workspace_.lastRender().sizeLabel));
}

}  // namespace quillstone
