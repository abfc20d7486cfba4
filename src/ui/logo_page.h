#pragma once

#include <QWidget>
#include <array>

#include "imaging/raster_image.h"
#include "pipeline/watermark_settings.h"
#include "ui/widget_factory.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;

namespace quillstone {

class ColorSwatch;
class ImageView;
class LogoEffectsPanel;
class Workspace;

// The "&Logo" page: logo share slider (ScrollBar1) with its labels and preset list, the
// nine places c1..c9 laid out as they sit on the image, "Clear" and "Set all", the
// transparent colour (usetransparence, swatch Panel1, picked by clicking into the logo),
// colour neutral (useimagecolorsforthelogo) and plain (CheckBox6); the "Logo effects"
// panel, which turns, crops and saves the logo and opens the logo special window.
class LogoPage : public QWidget {
  Q_OBJECT

 public:
  LogoPage(Workspace& workspace, QWidget* parent = nullptr);

  void ShowSettings();
  // The logo to show and pick from; kept by reference until the next call.
  void ShowLogo(const RasterImage& logo);
  void SetLogoAreaVisible(bool visible);

 signals:
  void renderNow();
  void renderLater();
  // "Logo special window" was pressed.
  void specialWindowRequested();

 private:
  QWidget* BuildBlendingBox();
  QWidget* BuildPlaceBox();
  QWidget* BuildOptionBox();
  QWidget* BuildSizeBox();
  QWidget* BuildLogoBox();
  void ShowAlphaLabels(int alpha);
  void SetAllPlaces(bool on);
  void PickTransparentColor(QPoint pixel);

  Workspace& workspace_;
  WatermarkSettings& settings_;
  const RasterImage* logo_ = nullptr;
  WidgetFactory controls_;
  QScrollBar* alpha_ = nullptr;
  QLabel* logoPercent_ = nullptr;
  QLabel* imagePercent_ = nullptr;
  QComboBox* presets_ = nullptr;
  QWidget* placeBox_ = nullptr;
  QComboBox* tileAngle_ = nullptr;
  ColorSwatch* transparentColor_ = nullptr;
  QCheckBox* plain_ = nullptr;
  LogoEffectsPanel* effects_ = nullptr;
  ImageView* logoView_ = nullptr;
  QLabel* logoWidth_ = nullptr;
  QLabel* logoHeight_ = nullptr;
};

}  // namespace quillstone
