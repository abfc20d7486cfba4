#include "ui/big_text_editor.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "ui/edit_insertion.h"
#include "ui/qt_text.h"
#include "ui/text_commands_menu.h"
#include "workspace/text_tools.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

constexpr int kMinimumWidth = 400;
constexpr int kMinimumHeight = 400;
constexpr int kMaximumWidth = 1024;
constexpr int kMaximumHeight = 768;
constexpr int kInitialWidth = 720;
constexpr int kInitialHeight = 540;
constexpr int kEditPoints = 10;

template <typename T>
struct AlignmentItem {
  const char* name;
  const char* caption;
  T value;
};

constexpr AlignmentItem<HorizontalAlign> kHorizontalItems[] = {
    {"alignleft", "Horizontal alignment: LEFT", HorizontalAlign::kLeft},
    {"alignhcenter", "Horizontal alignment: CENTER", HorizontalAlign::kCenter},
    {"alignright", "Horizontal alignment: RIGHT", HorizontalAlign::kRight},
};

constexpr AlignmentItem<VerticalAlign> kVerticalItems[] = {
    {"aligntop", "Vertical alignment: TOP", VerticalAlign::kTop},
    {"alignvcenter", "Vertical alignment: CENTER", VerticalAlign::kCenter},
    {"alignbottom", "Vertical alignment: BOTTOM", VerticalAlign::kBottom},
};

// A checkable entry per alignment; choosing one writes the field and renders at once.
template <typename T>
QActionGroup* AlignmentGroup(QMenu* menu, const AlignmentItem<T> (&items)[3], T& field,
                             const std::function<void()>& renderNow) {
  auto* group = new QActionGroup(menu);
  for (const AlignmentItem<T>& item : items) {
    QAction* action = menu->addAction(item.caption);
    action->setObjectName(item.name);
    action->setCheckable(true);
    action->setData(static_cast<int>(item.value));
    group->addAction(action);
    QObject::connect(action, &QAction::triggered, menu, [&field, value = item.value, renderNow] {
      field = value;
      if (renderNow) renderNow();
    });
  }
  return group;
}

void ShowChecked(QActionGroup* group, int value) {
  for (QAction* action : group->actions()) {
    const QSignalBlocker blocker(action);
    action->setChecked(action->data().toInt() == value);
  }
}

}  // namespace

BigTextEditor::BigTextEditor(TextTools& tools, Workspace& workspace, RenderRequests requests, QWidget* parent)
    : QDialog(parent), tools_(tools), workspace_(workspace), requests_(std::move(requests)) {
  setObjectName("BigTextEditor");
  setWindowTitle("Texteditor");
  setModal(true);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  setMaximumSize(kMaximumWidth, kMaximumHeight);
  resize(kInitialWidth, kInitialHeight);

  edit_ = Named(new QPlainTextEdit(this), "bigtextedit");
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  insertion_ = std::make_unique<EditInsertion>(edit_);
  AddTextCommandsMenu(edit_);
  lineCount_ = Named(new QLabel(this), "bigtextlinecount");
  connect(edit_->document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
    changeEnd_ = position + added;
    changeAdded_ = added;
  });
  connect(edit_, &QPlainTextEdit::textChanged, this, [this] {
    CutToLimit();
    workspace_.watermarkText() = LinesOf(edit_->toPlainText());
    lineCount_->setText(QStringLiteral("%1 lines").arg(workspace_.watermarkText().size()));
    if (requests_.later) requests_.later();
  });

  auto* layout = new QVBoxLayout(this);
  BuildMenus();
  auto* toolBar = Named(new QToolBar(this), "bigtexttoolbar");
  QAction* open = toolBar->addAction("Open");
  open->setObjectName("bigtextopen");
  QAction* textTools = toolBar->addAction("Text tools");
  textTools->setObjectName("bigtexttools");
  connect(open, &QAction::triggered, this, [this] {
    if (workspace_.LoadTextCommand()) ShowText();
  });
  connect(textTools, &QAction::triggered, this, &BigTextEditor::toolsRequested);
  layout->addWidget(toolBar);
  layout->addWidget(edit_, 1);
  layout->addWidget(lineCount_);
}

BigTextEditor::~BigTextEditor() = default;

void BigTextEditor::BuildMenus() {
  auto* bar = Named(new QMenuBar(this), "bigtextmenus");
  QMenu* file = bar->addMenu("&File");
  QAction* back = file->addAction("Back");
  back->setObjectName("bigtextback");
  connect(back, &QAction::triggered, this, &QDialog::accept);

  QMenu* edit = bar->addMenu("&Edit");
  const std::tuple<const char*, const char*, QKeySequence::StandardKey, void (QPlainTextEdit::*)()> items[] =
      {
          {"bigtextundo", "Undo", QKeySequence::Undo, &QPlainTextEdit::undo},
          {"bigtextcut", "Cut", QKeySequence::Cut, &QPlainTextEdit::cut},
          {"bigtextcopy", "Copy", QKeySequence::Copy, &QPlainTextEdit::copy},
          {"bigtextpaste", "Paste", QKeySequence::Paste, &QPlainTextEdit::paste},
      };
  for (const auto& [name, caption, key, slot] : items) {
    QAction* action = edit->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, edit_, slot);
  }
  BuildAlignmentMenu(bar->addMenu("Text &alignment on image"));
  layout()->setMenuBar(bar);
}

void BigTextEditor::BuildAlignmentMenu(QMenu* menu) {
  TextSettings& text = workspace_.settings().watermark.text;
  horizontal_ = AlignmentGroup(menu, kHorizontalItems, text.horizontal, requests_.now);
  menu->addSeparator();
  vertical_ = AlignmentGroup(menu, kVerticalItems, text.vertical, requests_.now);
}

void BigTextEditor::Run() {
  tools_.OpenBigEditor(insertion_.get());
  ShowText();
  ShowAlignment();
  edit_->setFocus();
  exec();
  CopyBack();
  tools_.CloseBigEditor();
}

void BigTextEditor::CopyBack() {
  workspace_.watermarkText() = LinesOf(edit_->toPlainText());
}

// The edit shows the text in the text font's face, in black at 10 points.
void BigTextEditor::ShowText() {
  edit_->setFont(QFont(ToQString(workspace_.settings().watermark.text.font.face), kEditPoints));
  const QString shown = TextOf(workspace_.watermarkText());
  if (edit_->toPlainText() != shown) {
    const QSignalBlocker blocker(edit_);
    edit_->setPlainText(shown);
  }
  lineCount_->setText(QStringLiteral("%1 lines").arg(workspace_.watermarkText().size()));
}

void BigTextEditor::ShowAlignment() {
  const TextSettings& text = workspace_.settings().watermark.text;
  ShowChecked(horizontal_, static_cast<int>(text.horizontal));
  ShowChecked(vertical_, static_cast<int>(text.vertical));
}

void BigTextEditor::CutToLimit() {
  // The document counts the paragraph separator after the last line as a character.
  const int excess = edit_->document()->characterCount() - 1 - kMaxCharacters;
  const int cut = std::min(excess, changeAdded_);
  if (cut <= 0) return;
  QTextCursor cursor(edit_->document());
  cursor.setPosition(changeEnd_);
  cursor.setPosition(changeEnd_ - cut, QTextCursor::KeepAnchor);
  const QSignalBlocker blocker(edit_);
  cursor.removeSelectedText();
}

}  // namespace quillstone
