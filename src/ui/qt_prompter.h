#pragma once

#include <QPointer>

#include "workspace/prompter.h"

class QWidget;

namespace quillstone {

class JpegPreviewWindow;
class PngOptionsDialog;

// The window's answers to the command flows: message boxes and the desktop's file, colour
// and font dialogs, each modal over the parent widget.
class QtPrompter final : public Prompter {
 public:
  QtPrompter();
  ~QtPrompter() override;
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool AskYesNo(std::string_view caption, std::string_view question) override;
  void ShowMessage(std::string_view caption, std::string_view message, MessageIcon icon) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& request) override;
  std::optional<ColorValue> ChooseColor(ColorValue initial) override;
  std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;
  std::optional<SaveFileChoice> ChooseFileToSaveWithType(const FileDialogRequest& request) override;
  std::optional<PngOptions> ChoosePngOptions() override;
  std::optional<JpegOptions> ChooseJpegOptions(const JpegPreviewRequest& request) override;
  std::optional<std::filesystem::path> ChooseDirectory(std::string_view title,
                                                       const std::filesystem::path& start) override;

 private:
  QWidget* parent_ = nullptr;
  // Made on first use over the parent and kept, so their choices carry over from one save
  // to the next; the parent deletes them.
  QPointer<PngOptionsDialog> pngOptions_;
  QPointer<JpegPreviewWindow> jpegPreview_;
};

}  // namespace quillstone
