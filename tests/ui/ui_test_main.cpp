#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// GoogleTest inside a QApplication on the offscreen platform: the window's widgets need a
// widget application, and no display.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
