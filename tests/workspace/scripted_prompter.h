#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop_file_opener.h"
#include "workspace/prompter.h"

namespace quillstone::testing {

// Answers the command flows from a script: queued answers are used in order; when a queue
// is empty a question is answered No and a dialog is cancelled. Records what was asked.
class ScriptedPrompter final : public Prompter {
 public:
  std::deque<bool> answers;
  std::deque<std::optional<std::filesystem::path>> files;
  std::deque<std::optional<ColorValue>> colors;
  std::deque<std::optional<FontChoice>> fonts;
  std::vector<FontChoice> fontDialogs;  // what each font dialog opened on
  std::deque<std::optional<std::filesystem::path>> directories;
  std::vector<std::string> questions;
  std::vector<std::string> messages;
  std::vector<std::string> dialogTitles;
  std::vector<std::string> proposedNames;  // the file name each save dialog with types proposed
  // Save dialogs with a type list; an empty queue cancels.
  std::deque<std::optional<SaveFileChoice>> saveChoices;
  // The PNG options window; an empty queue is Cancel.
  std::deque<std::optional<PngOptions>> pngOptions;
  // The JPEG preview's answers (none: Cancel); an empty queue confirms the choice it was
  // opened on.
  std::deque<std::optional<JpegOptions>> jpegOptions;
  std::vector<JpegOptions> jpegOpenedOn;  // the choice each preview opened on
  // When set, the JPEG preview is answered by this (a real window in the window's tests).
  std::function<std::optional<JpegOptions>(const JpegPreviewRequest&)> jpegWindow;
  int pngWindows = 0;

  // Called with each question while it is open, before it is answered.
  std::function<void(std::string_view question)> whileAsking;

  // A message box breaks lines at "\n" only, so no text shown to the user holds a "\r".
  bool AskYesNo(std::string_view caption, std::string_view question) override {
    EXPECT_EQ(question.find('\r'), std::string_view::npos) << question;
    questions.push_back(std::string(caption) + ": " + std::string(question));
    if (whileAsking) whileAsking(question);
    return Take(answers).value_or(false);
  }
  void ShowMessage(std::string_view caption, std::string_view message, MessageIcon) override {
    EXPECT_EQ(message.find('\r'), std::string_view::npos) << message;
    messages.push_back(std::string(caption) + ": " + std::string(message));
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest& request) override {
    dialogTitles.push_back(request.title);
    return Take(files).value_or(std::nullopt);
  }
  std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest& request) override {
    dialogTitles.push_back(request.title);
    return Take(files).value_or(std::nullopt);
  }
  std::optional<ColorValue> ChooseColor(ColorValue) override { return Take(colors).value_or(std::nullopt); }
  std::optional<FontChoice> ChooseFont(const FontChoice& initial) override {
    fontDialogs.push_back(initial);
    return Take(fonts).value_or(std::nullopt);
  }
  std::optional<SaveFileChoice> ChooseFileToSaveWithType(const FileDialogRequest& request) override {
    dialogTitles.push_back(request.title);
    proposedNames.push_back(request.fileName);
    return Take(saveChoices).value_or(std::nullopt);
  }
  std::optional<PngOptions> ChoosePngOptions() override {
    ++pngWindows;
    return Take(pngOptions).value_or(std::nullopt);
  }
  std::optional<JpegOptions> ChooseJpegOptions(const JpegPreviewRequest& request) override {
    jpegOpenedOn.push_back(request.initial);
    if (jpegWindow) return jpegWindow(request);
    return Take(jpegOptions).value_or(request.initial);
  }
  std::optional<std::filesystem::path> ChooseDirectory(std::string_view title,
                                                       const std::filesystem::path&) override {
    dialogTitles.push_back(std::string(title));
    return Take(directories).value_or(std::nullopt);
  }

 private:
  template <typename T>
  static std::optional<T> Take(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
  }
};

// Records the files the program would hand to the desktop.
class RecordingOpener final : public DesktopFileOpener {
 public:
  std::vector<std::filesystem::path> opened;
  bool opens = true;  // what the desktop answers
  bool Open(const std::filesystem::path& file) override {
    opened.push_back(file);
    return opens;
  }
};

}  // namespace quillstone::testing
