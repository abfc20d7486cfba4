#pragma once

#include <QGroupBox>

#include "ui/widget_factory.h"

class QMenu;
class QScrollBar;

namespace quillstone {

class Workspace;

// The "Logo effects" panel of the Logo page: the angle bar (anglebar) with its degree
// label (anglelabel) and preset menu (a right click on the bar, or anglepresets), "Apply"
// (angleapply), "R" (resetangle), the fill colour (fillcolor) and "Use transparent"
// (usetransparentfill), "Save logo as bitmap" (savelogo), "Autocrop logo" (autocroplogo)
// with "Crop color selection" (cropcolorselection), and "Logo special window"
// (logospecialbutton). A change of the angle or the fill turns the logo's untouched copy
// anew and asks for the debounced render.
class LogoEffectsPanel : public QGroupBox {
  Q_OBJECT

 public:
  explicit LogoEffectsPanel(Workspace& workspace, QWidget* parent = nullptr);

  // Sets the controls from the logo tools' settings without turning the logo.
  void ShowSettings();

 signals:
  // The logo blended changed (a turn, an autocrop).
  void logoChanged();
  void renderLater();
  void specialWindowRequested();

 private:
  QMenu* BuildPresetMenu();
  void Turn();
  void ResetAngle();

  Workspace& workspace_;
  WidgetFactory controls_;
  QScrollBar* angle_ = nullptr;
};

}  // namespace quillstone
