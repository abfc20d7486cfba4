#pragma once

#include <QGroupBox>

#include "imagefiles/orientation_settings.h"

class QCheckBox;
class QComboBox;

namespace quillstone {

// The turn before marking: the orientation list (RotationCombobox) with its four entries
// and "Rotate image back to original alignment" (originalalignment), which is enabled
// only while a turning entry is chosen. Picking an entry asks for the source file to be
// read again, so the turn applies to a fresh copy.
class OrientationPanel : public QGroupBox {
  Q_OBJECT

 public:
  OrientationPanel(OrientationSettings& settings, QWidget* parent = nullptr);

  void ShowSettings();

 signals:
  void reloadRequested();

 private:
  OrientationSettings& settings_;
  QComboBox* orientation_;
  QCheckBox* rotateBack_;
};

}  // namespace quillstone
