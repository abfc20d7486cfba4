#pragma once

#include <QDialog>
#include <string_view>

#include "imagefiles/resize_settings.h"

class QLineEdit;

namespace quillstone {

class Prompter;

inline constexpr std::string_view kCustomSizeCaption = "Custom size";
inline constexpr std::string_view kCustomWidthMissing =
    "Please select a value for the new image width !\nA default value is now set !";
inline constexpr std::string_view kCustomHeightMissing =
    "Please select a value for the new image height !\nA default value is now set !";
inline constexpr std::string_view kCustomSideOutOfRange =
    "Error: Minimum=10, Maximum=2000\nA default value is now set !";

// The custom size window: "New width:" and "New height:" (customwidth, customheight; up to
// four digits each) and "Back". "Back" checks the width, then the height: a field that holds
// no number or a number outside 10..2000 gets a message, is set back to its default (320,
// 240) and takes the focus, and the window stays open; only two valid values close it.
class CustomSizeDialog : public QDialog {
  Q_OBJECT

 public:
  CustomSizeDialog(Prompter& prompter, QWidget* parent = nullptr);

  // Shows the window modally on the settings' custom size; each "Back" writes the fields
  // (as corrected) into the settings.
  void Run(ResizeSettings& settings);
  // "Back": checks and corrects the fields, writes them into the settings given to Run and
  // closes the window when both were valid. True when it closed.
  bool Back();

 protected:
  void reject() override;

 private:
  bool CheckField(QLineEdit* field, int fallback, std::string_view missing);

  Prompter& prompter_;
  ResizeSettings* settings_ = nullptr;
  QLineEdit* width_;
  QLineEdit* height_;
};

}  // namespace quillstone
