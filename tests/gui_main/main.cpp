// Entry point of the GUI test program: one QApplication for every test.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Tests run without a display unless told otherwise.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
