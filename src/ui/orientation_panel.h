#pragma once

#include <QGroupBox>

#include "imagefiles/orientation_settings.h"

class QComboBox;

namespace quillstone {

// The turn before marking: the orientation list (RotationCombobox) with its four entries.
// Picking an entry asks for the source file to be read again, so the turn applies to a
// fresh copy. Turning back after marking is a batch output option ("originalalignment" on
// the batch page), which follows the choice made here.
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
};

}  // namespace quillstone
