#pragma once

#include <QDialog>

#include "decor/frame_settings.h"
#include "imaging/raster_image.h"
#include "ui/widget_factory.h"

namespace quillstone {

class ImageView;
class Prompter;

// "Frame control": for each frame its switch ("Draw outer frame", "Draw inner frame"), its
// colour (a panel and "Select color", which both open the colour dialog) and its width
// (a "Strengh" bar of 1..100 pixels with the value beside it); the "Example" of the
// switches and colours; "Back". Every change writes the frame settings, redraws the example
// and asks for the debounced render, a width only while its frame is on.
class FrameDialog : public QDialog {
  Q_OBJECT

 public:
  FrameDialog(FrameSettings& settings, Prompter& prompter, QWidget* parent = nullptr);

  // Sets every control and the example from the settings without asking for a render.
  void ShowSettings();

 signals:
  void renderLater();

 private:
  // The controls of one frame; `prefix` starts their object names ("outer", "inner").
  struct FrameFields {
    const char* title;
    const char* prefix;
    const char* switchCaption;
    bool& on;
    ColorValue& color;
    int& width;
  };
  QWidget* BuildFrameBox(const FrameFields& frame);
  QWidget* BuildExampleBox();
  void Changed();
  void ShowExample();

  FrameSettings& settings_;
  Prompter& prompter_;
  WidgetFactory controls_;
  RasterImage example_;
  ImageView* exampleView_ = nullptr;
};

}  // namespace quillstone
