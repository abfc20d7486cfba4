#include "ui/action_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/combination_texts.h"
#include "ui/qt_text.h"
#include "ui/widget_factory.h"

namespace quillstone {

ActionPanel::ActionPanel(WatermarkSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
  auto* actionBox = new QGroupBox("Watermarking action", this);
  actionBox->setObjectName("actiongroup");
  auto* actionLayout = new QVBoxLayout(actionBox);
  actions_ = new QButtonGroup(this);
  const char* actionCaptions[] = {"Place logo", "Use color", "Use text"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(actionCaptions[i], actionBox);
    button->setObjectName(QStringLiteral("actiongroup%1").arg(i));
    actions_->addButton(button, i);
    actionLayout->addWidget(button);
  }
  connect(actions_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (!checked) return;
    settings_.action = static_cast<WatermarkAction>(id);
    if (settings_.combination == CombinationOrder::kActive) emit renderLater();
  });

  auto* combinationBox = new QGroupBox("Combination", this);
  combinationBox->setObjectName("RadioGroup2");
  auto* combinationLayout = new QGridLayout(combinationBox);
  combinationLayout->setSpacing(2);
  combinations_ = new QButtonGroup(this);
  for (int i = 0; i < kCombinationCount; ++i) {
    auto* item = new QRadioButton(ToQString(kCombinationCodes[i]), combinationBox);
    item->setObjectName(QStringLiteral("RadioGroup2_%1").arg(i));
    combinations_->addButton(item, i);
    combinationLayout->addWidget(item, i / 7, i % 7);
  }
  // Only a change of the selected item counts; clicking the selected one again does nothing.
  connect(combinations_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) emit combinationChosen(id);
  });
  auto* combine = new QPushButton("Combine...", combinationBox);
  combine->setObjectName("combinebutton");
  combine->setToolTip("Combine Watermarking effects");
  connect(combine, &QPushButton::clicked, this, &ActionPanel::combineRequested);
  combinationLayout->addWidget(combine, 1, 6);

  actionLabel_ = new QLabel(this);
  actionLabel_->setObjectName("combinationlabel");

  auto* channelBox = new QGroupBox("Channels", this);
  auto* channelLayout = new QVBoxLayout(channelBox);
  red_ = Switch("redcheck", "Red", channelBox);
  green_ = Switch("greencheck", "Green", channelBox);
  blue_ = Switch("bluecheck", "Blue", channelBox);
  for (QCheckBox* box : {red_, green_, blue_}) channelLayout->addWidget(box);
  connect(red_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.channels.red = on;
    emit renderNow();
  });
  connect(green_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.channels.green = on;
    emit renderNow();
  });
  connect(blue_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.channels.blue = on;
    emit renderNow();
  });

  auto* decorBox = new QGroupBox("Frames", this);
  auto* decorLayout = new QVBoxLayout(decorBox);
  outerFrame_ = Switch("outerframecheck", "Outer frame", decorBox);
  outerFrame_->setToolTip("Activate/deactivate draw outer frame");
  innerFrame_ = Switch("innerframecheck", "Inner frame", decorBox);
  innerFrame_->setToolTip("Activate/deactivate draw inner frame");
  expand_ = Switch("expandimagecheck", "Expand image", decorBox);
  for (QCheckBox* box : {outerFrame_, innerFrame_, expand_}) decorLayout->addWidget(box);
  connect(outerFrame_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.frame.outerOn = on;
    emit renderNow();
  });
  connect(innerFrame_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.frame.innerOn = on;
    emit renderNow();
  });
  connect(expand_, &QCheckBox::toggled, this, [this](bool on) {
    settings_.texture.enabled = on;
    emit renderNow();
  });

  auto* row = new QHBoxLayout;
  row->addWidget(actionBox);
  row->addWidget(channelBox);
  row->addWidget(decorBox);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(row);
  layout->addWidget(combinationBox);
  layout->addWidget(actionLabel_);
  ShowSettings();
}

void ActionPanel::ShowSettings() {
  {
    const QSignalBlocker blocker(actions_);
    actions_->button(static_cast<int>(settings_.action))->setChecked(true);
  }
  ShowCombination(static_cast<int>(settings_.combination));
  const std::pair<QCheckBox*, bool> switches[] = {
      {red_, settings_.channels.red},         {green_, settings_.channels.green},
      {blue_, settings_.channels.blue},       {outerFrame_, settings_.frame.outerOn},
      {innerFrame_, settings_.frame.innerOn}, {expand_, settings_.texture.enabled},
  };
  for (const auto& [box, on] : switches) {
    const QSignalBlocker blocker(box);
    box->setChecked(on);
  }
}

void ActionPanel::ChooseAction(WatermarkAction action) {
  actions_->button(static_cast<int>(action))->setChecked(true);
}

void ActionPanel::ShowCombination(int index) {
  const QSignalBlocker blocker(combinations_);
  if (auto* item = combinations_->button(index)) item->setChecked(true);
}

void ActionPanel::SelectCombination(int index) {
  if (auto* item = combinations_->button(index)) item->setChecked(true);
}

void ActionPanel::SetActionLabel(const QString& text) {
  actionLabel_->setText(text);
}

QString ActionPanel::actionLabel() const {
  return actionLabel_->text();
}

}  // namespace quillstone
