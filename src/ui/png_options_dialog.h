#pragma once

#include <QDialog>
#include <optional>

#include "imagefiles/png_writer.h"

class QComboBox;

namespace quillstone {

// The two lists of the PNG options, as this window and the batch page show them: the
// filters in the order of PngFilter, and the levels 1..9 at indexes 0..8.
QComboBox* PngFilterList(QWidget* parent);
QComboBox* PngLevelList(QWidget* parent);

// The PNG options window of an interactive save: "Filter:" (pngfilterliste) and
// "Compression level:" (pngcompressionlevel), both on their first entries at first, with
// "OK" and "Cancel". The lists keep the last choice from one save to the next.
class PngOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PngOptionsDialog(QWidget* parent = nullptr);

  // Shows the window modally: the choices after "OK", none after "Cancel".
  std::optional<PngOptions> Run();
  // The choices the lists show.
  PngOptions Choice() const;

 private:
  QComboBox* filter_;
  QComboBox* level_;
};

}  // namespace quillstone
