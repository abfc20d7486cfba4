#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "imagefiles/jpeg_writer.h"
#include "imaging/raster_image.h"
#include "workspace/prompter.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace quillstone {

class ImageView;

// "Jpeg compression preview": a 96 x 96 square of the marked image as it is ("Current
// image") and JPEG-encoded and decoded again at the qualities 10 % .. 90 % and at the custom
// quality, so the user can pick one by eye. The X and Y sliders move the square; the panes
// are always encoded in colour. "OK" confirms the choice; "Cancel", Escape and the close box
// leave without one. "Prev. image" and "Next image" step the source file when the window
// was opened with those commands.
class JpegPreviewWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kFixedQualityCount = kJpegPreviewFixedLast / kJpegPreviewFixedStep;
  static constexpr int kPaneCount = kFixedQualityCount + 1;

  explicit JpegPreviewWindow(QWidget* parent = nullptr);

  // Shows the window modally over the request's image, opened on the request's choice,
  // and gives the quality chosen there with "Grayscale" and "Progressive" on "OK"; none
  // when the window is left otherwise.
  std::optional<JpegOptions> Run(const JpegPreviewRequest& request);
  // The choice the window shows: 10 .. 90 for the option buttons, the slider's value for
  // "Custom compression".
  JpegOptions Choice() const;

  // Shows `image` (kept by reference until the next call) with the offset maxima set from
  // its size, as opening the window does.
  void ShowImage(const RasterImage& image);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowChoice(const JpegOptions& initial);
  void SetOffsetMaxima();
  void Refresh();
  void EncodePane(int pane, int quality);
  void Step(const std::function<void()>& command);

  const RasterImage* image_ = nullptr;
  RasterImage crop_;
  std::array<RasterImage, kPaneCount> decoded_;
  std::vector<std::uint8_t> buffer_;
  std::function<void()> previous_;
  std::function<void()> next_;
  bool encodingCustom_ = false;

  ImageView* currentPane_;
  std::array<ImageView*, kPaneCount> panes_{};
  std::array<QRadioButton*, kPaneCount> choices_{};
  QScrollBar* custom_;
  QLabel* customLabel_;
  QScrollBar* offsetX_;
  QScrollBar* offsetY_;
  QLabel* offsetXLabel_;
  QLabel* offsetYLabel_;
  QCheckBox* grayscale_;
  QCheckBox* progressive_;
  QPushButton* previousButton_;
  QPushButton* nextButton_;
};

}  // namespace quillstone
