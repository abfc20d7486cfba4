#include <gtest/gtest.h>

#include <cstdlib>

#ifdef QUILLSTONE_WIDGET_TESTS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

// GoogleTest inside a Qt application on the offscreen platform, so that tests can use fonts
// and painters (and, for the window's tests, widgets) without a display.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TestApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
