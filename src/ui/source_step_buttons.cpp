#include "ui/source_step_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace quillstone {

SourceStepButtons::SourceStepButtons(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto add = [this, layout](const char* name, const QString& caption, const QString& hint, SourceStep step) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setToolTip(hint);
    layout->addWidget(button);
    // The pressed button stays disabled until its command has ended.
    connect(button, &QPushButton::clicked, this, [this, button, step] {
      button->setEnabled(false);
      emit stepRequested(step);
      button->setEnabled(hasEntries_);
    });
    return button;
  };
  previous_ = add("previousbutton", "&Previous", "Show previous image", SourceStep::kPrevious);
  next_ = add("nextbutton", "&Next", "Show next image", SourceStep::kNext);
  reload_ = add("reloadbutton", "Reload", "Reload image", SourceStep::kReload);
}

void SourceStepButtons::SetListHasEntries(bool hasEntries) {
  hasEntries_ = hasEntries;
  for (QPushButton* button : {previous_, next_, reload_}) button->setEnabled(hasEntries);
}

}  // namespace quillstone
