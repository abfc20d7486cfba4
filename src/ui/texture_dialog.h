#pragma once

#include <QDialog>

#include "decor/texture_settings.h"
#include "ui/widget_factory.h"

class QGridLayout;

namespace quillstone {

class ColorSwatch;
class ImageView;
class Prompter;
class Workspace;

// The texture window: "Expand image" with the texture mode (texture_options, "... before
// watermarking" or "... after watermarking", open only while expanding); for each side its
// margin bar (scroll_top, Scroll_bottom, Scroll_left, Scroll_right; 0..1000 pixels) with its
// value and "R" to reset it, its colour swatch, its "Use texture" and its alignment
// (Top_alignment ...); the fifth swatch, which gives every side its colour; the texture
// with "Load a texture" and the buttons that make its width or height a margin; "Back".
// Every change writes the texture settings and asks for the debounced render; the
// commands are the workspace's.
class TextureDialog : public QDialog {
  Q_OBJECT

 public:
  TextureDialog(Workspace& workspace, Prompter& prompter, QWidget* parent = nullptr);

  // Sets every control and the texture picture from the workspace without asking for a
  // render.
  void ShowSettings();

 signals:
  void renderLater();

 private:
  QWidget* BuildExpandBox();
  QWidget* BuildMarginBox();
  void AddSideRow(QGridLayout* layout, int row, MarginSide side, QWidget* box);
  QWidget* BuildTextureBox();
  void ChooseAllColors();
  void SizeToMargin(MarginSide side);
  void ShowTexture();

  Workspace& workspace_;
  TextureSettings& settings_;
  Prompter& prompter_;
  WidgetFactory controls_;
  RadioGroup* mode_ = nullptr;
  ColorSwatch* allColors_ = nullptr;
  ImageView* texture_ = nullptr;
  QLabel* textureSize_ = nullptr;
};

}  // namespace quillstone
