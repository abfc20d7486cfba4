#include "ui/action_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/combination_texts.h"
#include "ui/qt_text.h"
#include "ui/widget_factory.h"

namespace quillstone {

ActionPanel::ActionPanel(WatermarkSettings& settings, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      controls_({[this] { emit renderNow(); }, [this] { emit renderLater(); }}) {
  auto* row = new QHBoxLayout;
  row->addWidget(BuildActionBox());
  QWidget* combinationBox = BuildCombinationBox();
  actionLabel_ = Named(new QLabel(this), "combinationlabel");
  row->addWidget(BuildChannelBox());
  row->addWidget(BuildFrameBox());
  row->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(row);
  layout->addWidget(combinationBox);
  layout->addWidget(actionLabel_);
  ShowSettings();
}

// The action renders only while the combination follows it.
QWidget* ActionPanel::BuildActionBox() {
  actions_ = Named(
      new RadioGroup("Watermarking action", {{"Place logo", "Use color", "Use text"}, "actiongroup%1"}, this),
      "actiongroup");
  controls_.Choice(actions_, settings_.action, {}, Render::kNever);
  connect(actions_, &RadioGroup::chosen, this, [this] {
    if (settings_.combination == CombinationOrder::kActive) emit renderLater();
  });
  return actions_;
}

// The selector reports a change of the chosen item; clicking the chosen one again does
// nothing. The window decides what a choice does.
QWidget* ActionPanel::BuildCombinationBox() {
  QStringList codes;
  for (const std::string_view code : kCombinationCodes) codes << ToQString(code);
  combinations_ =
      Named(new RadioGroup("Combination", {codes, "RadioGroup2_%1"}, this, Qt::Horizontal, 7), "RadioGroup2");
  combinations_->grid()->setSpacing(2);
  connect(combinations_, &RadioGroup::chosen, this, &ActionPanel::combinationChosen);
  auto* combine = Named(new QPushButton("Combine...", combinations_), "combinebutton");
  combine->setToolTip("Combine Watermarking effects");
  connect(combine, &QPushButton::clicked, this, &ActionPanel::combineRequested);
  combinations_->grid()->addWidget(combine, 1, 6);
  return combinations_;
}

QWidget* ActionPanel::BuildChannelBox() {
  ChannelMask& channels = settings_.channels;
  auto* box = new QGroupBox("Channels", this);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(controls_.Switch("redcheck", "Red", channels.red, box));
  layout->addWidget(controls_.Switch("greencheck", "Green", channels.green, box));
  layout->addWidget(controls_.Switch("bluecheck", "Blue", channels.blue, box));
  return box;
}

QWidget* ActionPanel::BuildFrameBox() {
  auto* box = new QGroupBox("Frames", this);
  auto* outer = controls_.Switch("outerframecheck", "Outer frame", settings_.frame.outerOn, box);
  outer->setToolTip("Activate/deactivate draw outer frame");
  auto* inner = controls_.Switch("innerframecheck", "Inner frame", settings_.frame.innerOn, box);
  inner->setToolTip("Activate/deactivate draw inner frame");
  auto* expand = controls_.Switch("expandimagecheck", "Expand image", settings_.texture.enabled, box);
  expand->setToolTip("Activate/deactivate image expand");
  auto* frameButton = Named(new QPushButton("Fra&me", box), "framebutton");
  auto* expandButton = Named(new QPushButton("&Expand", box), "expandbutton");
  connect(frameButton, &QPushButton::clicked, this, &ActionPanel::frameRequested);
  connect(expandButton, &QPushButton::clicked, this, &ActionPanel::expandRequested);
  auto* layout = new QGridLayout(box);
  layout->addWidget(outer, 0, 0);
  layout->addWidget(inner, 1, 0);
  layout->addWidget(frameButton, 0, 1, 2, 1);
  layout->addWidget(expand, 2, 0);
  layout->addWidget(expandButton, 2, 1);
  return box;
}

void ActionPanel::ShowSettings() {
  controls_.ShowAll();
  ShowCombination(static_cast<int>(settings_.combination));
}

void ActionPanel::ChooseAction(WatermarkAction action) {
  actions_->Choose(static_cast<int>(action));
}

void ActionPanel::ShowCombination(int index) {
  combinations_->Show(index);
}

void ActionPanel::SelectCombination(int index) {
  combinations_->Choose(index);
}

void ActionPanel::SetActionLabel(const QString& text) {
  actionLabel_->setText(text);
}

QString ActionPanel::actionLabel() const {
  return actionLabel_->text();
}

}  // namespace quillstone
