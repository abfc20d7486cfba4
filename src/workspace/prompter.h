#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imagefiles/jpeg_writer.h"
#include "imagefiles/png_writer.h"
#include "imaging/color_value.h"
#include "imaging/raster_image.h"
#include "text/text_settings.h"

namespace quillstone {

// One entry of a file dialog's type list: "Text file [*.txt]" with the patterns "*.txt".
struct FileFilter {
  std::string label;
  std::string patterns;  // separated by ';' as in "*.jpg;*.jpe;*.jpeg"
};

// What a file dialog shows and accepts.
struct FileDialogRequest {
  std::string title;
  std::vector<FileFilter> filters;
  std::filesystem::path directory;  // where the dialog starts
  std::string fileName;             // file name filled in; may be a full path
  std::string defaultExtension;     // added to a typed name without one ("ini"); save only
  int initialFilter = 0;            // index into filters of the type shown first
};

// A save dialog's answer when the type list matters: the file name as typed or picked and
// the index of the type chosen in the list.
struct SaveFileChoice {
  std::filesystem::path path;
  int filterIndex = 0;
};

// What the JPEG compression preview window works on. The window shows a square of
// `image` as it is and at several qualities. It opens on `initial`: the option of its
// quality when that is one of the fixed ones (JpegPreviewFixedQuality), else "Custom
// compression" with the slider on it; "Grayscale" and "Progressive" as `initial` says.
// With `previous` and `next` set, "Prev. image" and "Next image" run them and the window
// shows `image` again (which they re-render); without them (a save) the two buttons are
// hidden.
struct JpegPreviewRequest {
  const RasterImage& image;
  JpegOptions initial;
  std::function<void()> previous;
  std::function<void()> next;
};

// The preview's fixed options: 10 %, 20 % .. 90 %.
inline constexpr int kJpegPreviewFixedStep = 10;
inline constexpr int kJpegPreviewFixedLast = 90;

// The fixed option of the preview that stands for `quality`, or 0 when only "Custom
// compression" does (a quality that is no multiple of 10, or 100).
constexpr int JpegPreviewFixedQuality(int quality) {
  return quality >= kJpegPreviewFixedStep && quality <= kJpegPreviewFixedLast &&
                 quality % kJpegPreviewFixedStep == 0
             ? quality
             : 0;
}

enum class MessageIcon { kNone, kInformation, kWarning, kError };

// A font chosen in the font dialog, with its colour.
struct FontChoice {
  TextFont font;
  ColorValue color = colors::kBlack;
  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// Every modal question, message and dialog of the command flows. The window answers them
// with message boxes and the desktop's dialogs; tests answer them from a script.
class Prompter {
 public:
  virtual ~Prompter() = default;
  // A Yes/No question; true for Yes.
  virtual bool AskYesNo(std::string_view caption, std::string_view question) = 0;
  // A message with an OK button.
  virtual void ShowMessage(std::string_view caption, std::string_view message, MessageIcon icon) = 0;
  // An open dialog for an existing file; none when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& request) = 0;
  // A save dialog that asks before an existing file is overwritten; none when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& request) = 0;
  // The colour dialog, opened on `initial`; none when cancelled.
  virtual std::optional<ColorValue> ChooseColor(ColorValue initial) = 0;
  // The font dialog, opened on the font and colour given; none when cancelled.
  virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;
  // A save dialog that also gives the chosen type; none when cancelled.
  virtual std::optional<SaveFileChoice> ChooseFileToSaveWithType(const FileDialogRequest& request) = 0;
  // The PNG options window ("Filter:", "Compression level:"); none when cancelled.
  virtual std::optional<PngOptions> ChoosePngOptions() = 0;
  // The JPEG compression preview window: the quality chosen there with its "Grayscale"
  // and "Progressive" on "OK"; none on "Cancel", Escape or the close box.
  virtual std::optional<JpegOptions> ChooseJpegOptions(const JpegPreviewRequest& request) = 0;
  // A folder picker with this title, starting at `start`; none when cancelled.
  virtual std::optional<std::filesystem::path> ChooseDirectory(std::string_view title,
                                                               const std::filesystem::path& start) = 0;
};

}  // namespace quillstone
