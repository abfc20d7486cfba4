#pragma once

#include <QWidget>

#include "pipeline/watermark_settings.h"
#include "ui/widget_factory.h"

class QLabel;

namespace quillstone {

// The controls above the settings pages: the action group ("Place logo", "Use color",
// "Use text"), the combination selector (RadioGroup2) with its combine button and action
// label, the channel switches and the frame and margin switches. Changes go straight into
// the settings; the panel then asks for a render.
class ActionPanel : public QWidget {
  Q_OBJECT

 public:
  ActionPanel(WatermarkSettings& settings, QWidget* parent = nullptr);

  // Sets every control from the settings without reacting to it.
  void ShowSettings();
  // The action as the settings pages set it ("Logo", "Color", "Text").
  void ChooseAction(WatermarkAction action);
  // Puts the selector on an index without reacting to it.
  void ShowCombination(int index);
  // Chooses an item of the selector as a click does: a different item is reported.
  void SelectCombination(int index);
  void SetActionLabel(const QString& text);
  QString actionLabel() const;

 signals:
  void renderNow();
  void renderLater();
  // An item of the selector was chosen (a different one than before).
  void combinationChosen(int index);
  void combineRequested();
  // "Frame" and "Expand": the frame and texture windows.
  void frameRequested();
  void expandRequested();

 private:
  QWidget* BuildActionBox();
  QWidget* BuildCombinationBox();
  QWidget* BuildChannelBox();
  QWidget* BuildFrameBox();

  WatermarkSettings& settings_;
  WidgetFactory controls_;
  RadioGroup* actions_ = nullptr;
  RadioGroup* combinations_ = nullptr;
  QLabel* actionLabel_ = nullptr;
};

}  // namespace quillstone
