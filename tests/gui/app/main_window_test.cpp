// The main window offscreen, against the simulated writer and the device
// images and device list the build produces.
#include "gui/app/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include "core/app/run_controller.h"
#include "core/devices/device_images.h"
#include "core/platform/settings_store.h"
#include "gui/app/about_box.h"
#include "gui/common/control_lookup.h"
#include "gui/support/gui_wait.h"
#include "gui/support/window_manager_close.h"
#include "support/log_capture.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell::gui {
namespace {

using namespace control_id::main_window;

class MainWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<CVantrellDlg> Open() {
    auto window = std::make_unique<CVantrellDlg>(
        prompt, settings, ProgramLocation{logDir.File("Vantrell"), VANTRELL_BIN_DIR});
    window->SetDeviceWindowOpener([this](DeviceWindowKind kind, QWidget*) { openedWindows.push_back(kind); });
    return window;
  }
  template <typename T>
  static T* Control(QWidget* window, int id) {
    T* control = FindControl<T>(*window, id);
    EXPECT_NE(control, nullptr) << id;
    return control;
  }
  static std::string Text(QWidget* window, int id) {
    return Control<QLabel>(window, id)->text().toStdString();
  }
  std::string LogBytes(CVantrellDlg& window) {
    window.Controller().Log().Flush();
    return test::ReadBytes(logDir.File("Vantrell Log.txt"));
  }

  test::SimHarness sim;
  test::TempDir logDir;
  std::shared_ptr<test::ScriptedPrompt> prompt = std::make_shared<test::ScriptedPrompt>();
  std::shared_ptr<MemorySettingsStore> settings = std::make_shared<MemorySettingsStore>();
  std::vector<DeviceWindowKind> openedWindows;
};

TEST_F(MainWindowTest, AFirstStartSitsAtTheOriginAndSelectsTheFirstImage) {
  auto window = Open();
  ASSERT_TRUE(window->StartUp());
  EXPECT_EQ(window->pos(), QPoint(0, 0));
  auto* combo = Control<QComboBox>(window.get(), kDeviceCombo);
  ASSERT_GT(combo->count(), 1);
  EXPECT_EQ(combo->currentIndex(), 0);
  const std::string first = window->Controller().Images().FileNames().at(0);
  EXPECT_EQ(Text(window.get(), kSelectionStatus), " Device < " + first + " > is selected!");
  EXPECT_EQ(Text(window.get(), kDeviceStatus).rfind(" [", 0), 0u);
  EXPECT_EQ(Text(window.get(), kByteCounter), "0/0[byte]");
  EXPECT_TRUE(prompt->Shown().empty());
}

TEST_F(MainWindowTest, StartUpLogsTheImageScanAndSelectionInOrder) {
  auto window = Open();
  ASSERT_TRUE(window->StartUp());
  const std::string log = LogBytes(*window);
  const std::string first = window->Controller().Images().FileNames().at(0);
  const std::size_t scan = log.find("First file name is " + first + "\r\n");
  const std::size_t load = log.find("Load Binary File Name = ");
  const std::size_t size = log.find(test::Cp949(" ☞<"));
  const std::size_t selected = log.find("Binary File < " + first + " > Selected!\r\n");
  ASSERT_NE(scan, std::string::npos);
  ASSERT_NE(selected, std::string::npos);
  EXPECT_LT(scan, load);
  EXPECT_LT(load, size);
  EXPECT_LT(size, selected);
}

TEST_F(MainWindowTest, TheStoredSelectionIsAppliedAndANegativeOneCountsAsZero) {
  settings->WriteInt("PreviousSetValue", "SelectedDev", 2);
  auto window = Open();
  ASSERT_TRUE(window->StartUp());
  EXPECT_EQ(Control<QComboBox>(window.get(), kDeviceCombo)->currentIndex(), 2);

  settings->WriteInt("PreviousSetValue", "SelectedDev", -5);
  auto second = Open();
  ASSERT_TRUE(second->StartUp());
  EXPECT_EQ(Control<QComboBox>(second.get(), kDeviceCombo)->currentIndex(), 0);
}

TEST_F(MainWindowTest, ClosingWritesPositionSizeAndSelection) {
  auto window = Open();
  ASSERT_TRUE(window->StartUp());
  window->show();
  window->move(30, 40);
  Control<QComboBox>(window.get(), kDeviceCombo)->setCurrentIndex(1);
  window->close();
  EXPECT_EQ(settings->ReadInt("Initialization", "HorizPos", -1), 30);
  EXPECT_EQ(settings->ReadInt("Initialization", "VertPos", -1), 40);
  EXPECT_GT(settings->ReadInt("Initialization", "Width", 0), 0);
  EXPECT_GT(settings->ReadInt("Initialization", "Height", 0), 0);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SelectedDev", -1), 1);
}

TEST_F(MainWindowTest, TheWindowManagersCloseEndsTheWindowAfterItsCloseHandler) {
  auto window = Open();
  ASSERT_TRUE(window->StartUp());
  Control<QComboBox>(window.get(), kDeviceCombo)->setCurrentIndex(1);
  // The About box returns to the main window, which stays up.
  QTimer::singleShot(0, window.get(), [&] {
    CAboutDlg about(window.get());
    EXPECT_EQ(test::ExecAndCloseFromWindowManager(about), QDialog::Rejected);
    EXPECT_TRUE(window->isVisible());
    window->windowHandle()->close();
  });
  QTimer guard;
  QObject::connect(&guard, &QTimer::timeout, window.get(), [&] { window->done(test::kDialogDidNotEnd); });
  guard.start(10000);
  EXPECT_EQ(window->exec(), QDialog::Rejected) << "the modal run ended";
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SelectedDev", -1), 1);
  EXPECT_FALSE(window->Controller().Log().IsOpen());
  // A second close request finds nothing more to do.
  Control<QComboBox>(window.get(), kDeviceCombo)->setCurrentIndex(2);
  window->close();
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SelectedDev", -1), 1);
}

TEST_F(MainWindowTest, EscapeEnterAndSpaceLeaveItOpenAndStartNothing) {
  auto window = Open();
  ASSERT_TRUE(window->StartUp());
  window->show();
  auto* run = Control<QPushButton>(window.get(), kRun);
  run->setFocus();
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space}) QTest::keyClick(run, key);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(sim.Status()["exchanges"], 0);
}

TEST_F(MainWindowTest, RunOnABlankWriterUpdatesItThenOpensTheDeviceWindow) {
  auto window = Open();
  ASSERT_TRUE(window->StartUp());
  window->show();
  const std::size_t imageSize = window->Controller().Images().Image().size();
  QTest::mouseClick(Control<QPushButton>(window.get(), kRun), Qt::LeftButton);
  // The blank writer's firmware is not in the list: the operator is asked.
  ASSERT_EQ(prompt->Shown().size(), 1u);
  EXPECT_EQ(prompt->Shown()[0].caption, "디바이스 교체?");
  EXPECT_FALSE(Control<QPushButton>(window.get(), kRun)->isEnabled());
  ASSERT_TRUE(test::WaitUntil([&] { return !openedWindows.empty(); }));
  ASSERT_EQ(openedWindows.size(), 1u);
  auto* bar = Control<QProgressBar>(window.get(), kProgress);
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(Text(window.get(), kByteCounter),
            "Verify: " + std::to_string(imageSize) + "/" + std::to_string(imageSize) + "[byte]");
  EXPECT_EQ(Text(window.get(), kDeviceStatus), " Execute Binary File Loading Complete!");
  ASSERT_TRUE(test::WaitUntil([&] { return !window->Controller().Run()->UpdateRunning(); }));
  EXPECT_TRUE(Control<QPushButton>(window.get(), kRun)->isEnabled());
}

TEST_F(MainWindowTest, ClosingDuringAnUpdateAbandonsItCleanly) {
  sim.Configure({{"latency_ms", 2}});
  auto window = Open();
  ASSERT_TRUE(window->StartUp());
  window->show();
  QTest::mouseClick(Control<QPushButton>(window.get(), kRun), Qt::LeftButton);
  QTest::qWait(100);
  ASSERT_TRUE(window->Controller().Run()->UpdateRunning());
  window->close();
  EXPECT_FALSE(window->Controller().Run()->UpdateRunning());
  EXPECT_TRUE(openedWindows.empty());
  EXPECT_EQ(prompt->Shown().size(), 1u) << "no failure box after the window went away";
}

}  // namespace
}  // namespace vantrell::gui
