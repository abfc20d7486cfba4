#pragma once

#include <QDialog>

#include "ui/widget_factory.h"
#include "workspace/logo_editor.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace quillstone {

class ColorSwatch;
class ImageView;
class Prompter;
class Workspace;

// "Logo special": the modal logo editor. Its commands (flipright, flipdown, mirrorright,
// mirrordown, rotate90, ripplerandom, rippletooth, rippletriangle, triangles, darker,
// lighter, gaussianblur, grayscale, invert, autocrop), the two colour replacement groups
// (changeothers with heldcolor, livecolor and othercolorstarget; changeselected with the
// slots sourceslot and targetslot, their check boxes sourceslotcheck and targetslotcheck
// and live swatches sourcelive and targetlive), the mouse mode (mousemode0, mousemode1),
// the resize percentage (resizebar, resizelabel, resize25 .. resize175) with "Smooth"
// (smooth), "Use resized logo" (useresized), "Reload logo" (reloadlogo), "Load your
// logo" (loadyourlogo), "Save your logo" (saveyourlogo), "Apply" (applylogo) and
// "Cancel" (cancellogo) all forward to a LogoEditor, whose working logo the window shows
// as "Active logo" (activelogo) and whose preview as "Resized logo" (resizedlogo).
class LogoSpecialWindow : public QDialog {
  Q_OBJECT

 public:
  explicit LogoSpecialWindow(Workspace& workspace, QWidget* parent = nullptr);

  // Opens modally on a copy of the workspace's logo. True when closed with "Apply": the
  // workspace then holds the edited logo and has rendered it.
  bool Run();

 private:
  QWidget* BuildCommandBox();
  QWidget* BuildActiveLogoBox();
  QWidget* BuildChangeOtherBox();
  QWidget* BuildChangeSelectedBox();
  QWidget* BuildResizeBox();
  QWidget* BuildResizedLogoBox();
  QLayout* BuildButtonRow();
  QPushButton* CommandButton(const char* name, const QString& caption, LogoCommand command, QWidget* parent);
  void ShowSettings();
  void ShowLogos();
  void ShowPickedColors();
  void ShowLiveColor();
  void ChooseSlot(ColorSlot slot);

  Prompter& prompter_;
  LogoEditor editor_;
  WidgetFactory controls_;
  ImageView* active_ = nullptr;
  ImageView* resized_ = nullptr;
  QLabel* activeSize_ = nullptr;
  QLabel* resizedSize_ = nullptr;
  ColorSwatch* held_ = nullptr;
  ColorSwatch* live_ = nullptr;
  ColorSwatch* sourceSlot_ = nullptr;
  ColorSwatch* sourceLive_ = nullptr;
  ColorSwatch* targetLive_ = nullptr;
  QCheckBox* sourceCheck_ = nullptr;
  QCheckBox* targetCheck_ = nullptr;
};

}  // namespace quillstone
