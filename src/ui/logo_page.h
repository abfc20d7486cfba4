#pragma once

#include <QWidget>
#include <array>

#include "imaging/raster_image.h"
#include "pipeline/watermark_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;

namespace quillstone {

class ColorSwatch;
class ImageView;

// The "&Logo" page: logo share slider (ScrollBar1) with its labels and preset list, the
// nine places c1..c9 laid out as they sit on the image, "Clear" and "Set all", the
// transparent colour (usetransparence, swatch Panel1, picked by clicking into the logo),
// colour neutral (useimagecolorsforthelogo) and plain (CheckBox6).
class LogoPage : public QWidget {
  Q_OBJECT

 public:
  LogoPage(WatermarkSettings& settings, QWidget* parent = nullptr);

  void ShowSettings();
  // The logo to show and pick from; kept by reference until the next call.
  void ShowLogo(const RasterImage& logo);
  void SetLogoAreaVisible(bool visible);

 signals:
  void renderNow();
  void renderLater();

 private:
  void ShowAlphaLabels(int alpha);
  void SetAllPlaces(bool on);
  void PickTransparentColor(QPoint pixel);

  WatermarkSettings& settings_;
  const RasterImage* logo_ = nullptr;
  QScrollBar* alpha_;
  QLabel* logoPercent_;
  QLabel* imagePercent_;
  QComboBox* presets_;
  std::array<QCheckBox*, kLogoPlaceCount> places_{};
  QCheckBox* useTransparent_;
  ColorSwatch* transparentColor_;
  ColorSwatch* probe_;
  QCheckBox* neutral_;
  QCheckBox* plain_;
  ImageView* logoView_;
  QLabel* logoWidth_;
  QLabel* logoHeight_;
};

}  // namespace quillstone
