// The main window's Info items, Update Check and the device list editor's
// key, driven as an operator would.
#include <QAction>
#include <QTest>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/devices/device_info.h"
#include "core/platform/settings_store.h"
#include "core/update/companion_tool.h"
#include "core/update/update_address.h"
#include "gui/app/main_window.h"
#include "gui/support/gui_wait.h"
#include "support/current_directory.h"
#include "support/scoped_environment.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell::gui {
namespace {

class MainWindowCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<CVantrellDlg>(prompt, settings, ProgramLocation{logDir.File("Vantrell"), VANTRELL_BIN_DIR});
    ASSERT_TRUE(window->StartUp());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void PressEditorKey() {
    QTest::keyClick(window.get(), Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
  }

  test::SimHarness sim;
  test::TempDir logDir;
  std::shared_ptr<test::ScriptedPrompt> prompt = std::make_shared<test::ScriptedPrompt>();
  std::shared_ptr<MemorySettingsStore> settings = std::make_shared<MemorySettingsStore>();
  std::unique_ptr<CVantrellDlg> window;
};

TEST_F(MainWindowCommandsTest, CurrentDeviceInformationDescribesTheSelectedImage) {
  window->findChild<QAction*>("32779")->trigger();
  MainController& controller = window->Controller();
  ASSERT_EQ(prompt->Shown().size(), 1u);
  EXPECT_EQ(prompt->Shown()[0], CurrentDeviceInfoBox(controller.Images().Selected(), controller.Catalogue()));
  EXPECT_NE(prompt->Shown()[0].text.find("Name = " + controller.Images().Selected().name), std::string::npos);
}

TEST_F(MainWindowCommandsTest, UpdateCheckTellsWhenNoManifestCanBeFetched) {
  {
    test::ScopedEnvironment nowhere(kUpdateBaseUrlVariable, "http://127.0.0.1:1");  // nothing listens there
    window->findChild<QAction*>("32778")->trigger();
  }
  EXPECT_EQ(prompt->Texts(), std::vector<std::string>{"update info can't find!"});
  EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowCommandsTest, TheEditorKeyWritesOutAndStartsTheEditorThenEndsWithoutSaving) {
  test::TempDir current;
  test::ScopedCurrentDirectory inside(current.Path());
  test::ScopedEnvironment probe(kCompanionProbeVariable, "1");  // the editor shows its window, leaves its marker, ends
  PressEditorKey();
  EXPECT_TRUE(prompt->Shown().empty());
  EXPECT_TRUE(std::filesystem::exists(current.File(kDeviceListEditor.fileName)));
  EXPECT_TRUE(test::WaitUntil([&] { return std::filesystem::exists(current.File(std::string(kDeviceListEditor.fileName) + ".started")); }));
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->result(), QDialog::Rejected);
  window.reset();
  EXPECT_FALSE(settings->Has("Initialization", "VertPos"));
  EXPECT_FALSE(settings->Has("PreviousSetValue", "SelectedDev"));
}

TEST_F(MainWindowCommandsTest, AnEditorThatCannotBeWrittenOutKeepsTheWindowOpen) {
  // A folder in the way of the editor's file: it is not a tool to start, and
  // no file of that name can be written.
  test::TempDir current;
  std::filesystem::create_directory(current.File(kDeviceListEditor.fileName));
  test::ScopedCurrentDirectory inside(current.Path());
  PressEditorKey();
  EXPECT_EQ(prompt->Texts(), (std::vector<std::string>{"WriteFile Error!(IDR_DEV_UPDATE)", "DevUpdateExeLoad Fail!"}));
  EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace vantrell::gui
