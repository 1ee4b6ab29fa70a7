// Test programs with windows: one QApplication for the whole run, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include "window/platform/carried_fonts.h"

int main(int argc, char* argv[]) {
  // Tests run without a display unless a run asks for a real one (QT_QPA_PLATFORM=xcb).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kov::useCarriedFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
