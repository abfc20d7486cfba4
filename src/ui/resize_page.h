#pragma once

#include <QWidget>

#include "imagefiles/orientation_settings.h"
#include "imagefiles/resize_settings.h"
#include "ui/widget_factory.h"

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace quillstone {

class CustomSizeDialog;
class OrientationPanel;
class Prompter;

// The "&Resize" page: the 27 entries of "New Image size" (sizegroup), "Smooth resize"
// (smoothresize), "Sharpen" (sharpenresize, enabled only with smoothing), the custom size
// panel (customvalues, shown only for "Custom size", its caption "w320xh240") with
// "Select width/height for custom size", and the turn before marking. Every change asks for
// the source file to be read again, since size and turn apply while a file is loaded.
class ResizePage : public QWidget {
  Q_OBJECT

 public:
  ResizePage(ResizeSettings& resize, OrientationSettings& orientation, Prompter& prompter,
             QWidget* parent = nullptr);

  void ShowSettings();
  CustomSizeDialog* customSizeDialog() const { return customDialog_; }

 signals:
  void reloadRequested();

 private:
  void ShowCustomPanel();

  ResizeSettings& settings_;
  WidgetFactory controls_;
  RadioGroup* presets_ = nullptr;
  QCheckBox* sharpen_ = nullptr;
  QGroupBox* customValues_ = nullptr;
  QPushButton* customButton_ = nullptr;
  CustomSizeDialog* customDialog_ = nullptr;
  OrientationPanel* orientation_ = nullptr;
};

}  // namespace quillstone
