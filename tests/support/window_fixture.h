#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "ui/main_window.h"
#include "workspace/workspace_fixture.h"

namespace quillstone::testing {

// Runs `step` once the next modal window's event loop is running.
inline void WhenModal(std::function<void()> step) {
  QTimer::singleShot(0, std::move(step));
}

// The child of `parent` with this name, or null with a failure: for slots and modal steps,
// where the throwing FindChild must not be used.
template <typename T>
T* Child(const QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << "no child named " << name;
  return child;
}

// The same, but a missing child also ends the test body through an exception, so no test
// goes on with a null pointer. Call it from the test body only: an exception must not cross
// Qt's event loop.
template <typename T>
T* FindChild(const QObject& parent, const char* name) {
  if (T* child = Child<T>(parent, name)) return child;
  throw std::runtime_error(std::string("no child named ") + name);
}

// Clicks the button (push, check or radio) of `parent` with this name; a missing one fails.
inline void Press(const QObject& parent, const char* name) {
  if (auto* button = Child<QAbstractButton>(parent, name)) button->click();
}

// The main window over a scripted workspace in a fresh home folder; renders are counted.
class WindowTest : public ::testing::Test, protected ScriptedWorkspace {
 protected:
  WindowTest() {
    QObject::connect(&window, &MainWindow::rendered, [this] { ++renders; });
  }

  // Shows `picture` with no frames and the logo at `logoPlace` only (none when negative).
  void ShowPlain(const RasterImage& picture, int logoPlace) {
    PlainMarks(workspace.settings().watermark, logoPlace);
    workspace.SetSourceImage(picture, "black.bmp", home.path().string());
    window.ShowSettings();
    Settle();
  }

  // Lets the pending render happen and starts the count afresh.
  void Settle() {
    window.renderDebounce().Flush();
    renders = 0;
  }

  // Waits until the debounced render has happened (or two seconds have passed).
  bool WaitForRender(int count) {
    return QTest::qWaitFor([&] { return renders >= count; }, 2000);
  }

  // Opens a dialog by `open` and runs `steps` inside it once it shows; a dialog the steps
  // leave open is rejected.
  template <typename T = QDialog>
  void InDialog(const char* name, const std::function<void()>& open,
                const std::function<void(std::type_identity_t<T>&)>& steps) {
    bool ran = false;
    WhenModal([&] {
      auto* dialog = Child<T>(window, name);
      if (dialog == nullptr) return;
      EXPECT_TRUE(dialog->isVisible()) << name;
      ran = true;
      steps(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    open();
    EXPECT_TRUE(ran) << name << " did not open";
  }

  template <typename T>
  T* Find(const char* name) {
    return FindChild<T>(window, name);
  }

  // The same without throwing, for modal steps and slots.
  template <typename T>
  T* Get(const char* name) {
    return Child<T>(window, name);
  }

  const RasterImage& Marked() const { return workspace.watermarkedImage(); }

  MainWindow window{workspace, prompter};
  int renders = 0;
};

}  // namespace quillstone::testing
