#pragma once

#include "workspace/prompter.h"

class QWidget;

namespace quillstone {

// The window's answers to the command flows: message boxes and the desktop's file, colour
// and font dialogs, each modal over the parent widget.
class QtPrompter final : public Prompter {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool AskYesNo(std::string_view caption, std::string_view question) override;
  void ShowMessage(std::string_view caption, std::string_view message, MessageIcon icon) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& request) override;
  std::optional<ColorValue> ChooseColor(ColorValue initial) override;
  std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;

 private:
  QWidget* parent_ = nullptr;
};

}  // namespace quillstone
