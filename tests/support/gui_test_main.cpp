#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

// GoogleTest inside a QGuiApplication on the offscreen platform, so that tests can use
// fonts and painters without a display.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
