#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/color_value.h"
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
};

enum class MessageIcon { kNone, kInformation, kWarning, kError };

// A font chosen in the font dialog, with its colour.
struct FontChoice {
  TextFont font;
  ColorValue color = colors::kBlack;
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
};

}  // namespace quillstone
