// Entry point of the GUI test program: one QApplication for every test.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
#if !defined(_WIN32)
  // Tests run without a display unless told otherwise. On Windows they use
  // the desktop: under Wine only its platform finds fonts, and Wine passes
  // no QT_ variable on from Linux to tell it so.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
