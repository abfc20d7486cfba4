#pragma once

#include <QWidget>
#include <vector>

#include "pipeline/watermark_settings.h"
#include "ui/widget_factory.h"

class QScrollBar;

namespace quillstone {

class Prompter;
class TextTools;

// The "Text 3d-effect" page of the command window: "Use 3d drawing" (use3ddrawing_checkbox),
// the eight directions (dreid1 .. dreid8) with "All on" / "All off", the strength
// (dreid_strength: "Single", "Double") and "Double additional strength:" (2 .. 10), the
// single, double and font colour panels, "Use shiny text" (useshinytext) and its options
// (shinyoptions). Every change renders through the debounce; a chosen colour at once.
class ThreeDPage : public QWidget {
  Q_OBJECT

 public:
  ThreeDPage(TextSettings& settings, TextTools& tools, Prompter& prompter, RenderRequests requests,
             QWidget* parent = nullptr);

  void ShowSettings();

 private:
  QWidget* BuildDirectionsBox();
  QWidget* BuildStrengthBox();
  QWidget* BuildColorsBox();
  QWidget* BuildShinyBox();
  // "Use 3d drawing" enables the 3D controls, "Double" the strength bar, shiny text its options.
  void ShowEnabled();

  TextSettings& settings_;
  TextTools& tools_;
  Prompter& prompter_;
  RenderRequests requests_;
  WidgetFactory controls_;
  std::vector<QWidget*> threeDControls_;
  QScrollBar* strengthBar_ = nullptr;
  QWidget* shinyOptions_ = nullptr;
};

}  // namespace quillstone
