// The main window's start-up and close, headless: what happens when the
// driver, the images or the device list are missing, and what is stored.
#include "core/app/main_controller.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/app/main_window_controls.h"
#include "core/app/main_window_shell.h"
#include "core/devices/device_selection_view.h"
#include "core/link/driver_library.h"
#include "core/platform/resource_table.h"
#include "core/platform/settings_store.h"
#include "core/platform/utf8_path.h"
#include "core/text/format.h"
#include "support/recording_main_view.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

class FakeShell : public MainWindowShell, public DeviceSelectionView, public MainWindowControls {
 public:
  void MoveWindowTo(int left, int top) override { position = {left, top}; }
  void SetComboIndex(int index) override { combo = index < static_cast<int>(names.size()) ? index : -1; }
  int ComboIndex() const override { return combo; }
  WindowRect RestoredRect() const override { return rect; }
  void AddDeviceName(const std::string& name) override { names.push_back(name); }
  void SetSelectionStatus(const std::string& text) override { selectionStatus = text; }
  void SetDeviceStatus(const std::string& text) override { deviceStatus = text; }
  void SetRunControlsEnabled(bool) override {}
  void ShowDeviceWindow(DeviceWindowKind) override {}

  std::pair<int, int> position{-1, -1};
  int combo = -1;
  WindowRect rect;
  std::vector<std::string> names;
  std::string selectionStatus, deviceStatus;
};

class MainControllerTest : public ::testing::Test {
 protected:
  // The log goes beside the executable path; the program directory holds
  // the driver, the program file and the images.
  MainController Make(const std::string& programDir, const std::string& logDir = "") {
    const std::string exe = PathUtf8(Utf8Path(logDir.empty() ? programDir : logDir) / kProgramFileName);
    return MainController({prompt, settings, shell, shell, view, shell}, {exe, programDir});
  }

  test::ScriptedPrompt prompt;
  MemorySettingsStore settings;
  FakeShell shell;
  test::RecordingUpdateView view;
};

TEST_F(MainControllerTest, WithoutDriverImagesOrDeviceListStartUpStillRunsEveryStep) {
  test::TempDir empty;
  MainController controller = Make(empty.Path());
  EXPECT_FALSE(controller.StartUp());
  const auto shown = prompt.Shown();
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown[0], WindowBox("Error", "OrbBulkUSB.dll 파일 로딩 실패!"));
  EXPECT_EQ(shown[1], ApplicationBox("Device Writing Binary File Find Error!"));
  EXPECT_EQ(shown[2].caption, "Error!");
  EXPECT_EQ(shown[2].text, FormatText("LoadLibrary Error!\r\n(%s)", kProgramFileName));
  EXPECT_EQ(shown[3], ApplicationBox("Load Device List Fail!"));
  EXPECT_EQ(shell.position, std::make_pair(0, 0));
  EXPECT_EQ(controller.Run(), nullptr);
  EXPECT_TRUE(std::filesystem::exists(empty.File("Vantrell Log.txt")));
}

TEST_F(MainControllerTest, TheProgramsOwnDirectoryProvidesDriverListAndImages) {
  settings.WriteInt("Initialization", "VertPos", 120);
  settings.WriteInt("Initialization", "HorizPos", 80);
  settings.WriteInt("PreviousSetValue", "SelectedDev", 1);
  test::TempDir logDir;
  MainController controller = Make(VANTRELL_BIN_DIR, logDir.Path());
  ASSERT_TRUE(controller.StartUp());
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_EQ(shell.position, std::make_pair(80, 120));
  EXPECT_EQ(shell.combo, 1);
  EXPECT_TRUE(controller.Images().HasImage());
  EXPECT_NE(controller.Run(), nullptr);
  EXPECT_NE(controller.Programming(), nullptr);
}

TEST_F(MainControllerTest, CloseStoresTheRestoredRectangleAndTheSelection) {
  test::TempDir logDir;
  MainController controller = Make(VANTRELL_BIN_DIR, logDir.Path());
  ASSERT_TRUE(controller.StartUp());
  shell.rect = {15, 25, 400, 300};
  shell.combo = -1;
  controller.Close();
  EXPECT_EQ(settings.ReadInt("Initialization", "HorizPos", 0), 15);
  EXPECT_EQ(settings.ReadInt("Initialization", "VertPos", 0), 25);
  EXPECT_EQ(settings.ReadInt("Initialization", "Width", 0), 400);
  EXPECT_EQ(settings.ReadInt("Initialization", "Height", 0), 300);
  EXPECT_EQ(settings.ReadInt("PreviousSetValue", "SelectedDev", 0), -1);
}

TEST_F(MainControllerTest, AStartUpThatFailedStoresNothingButClosesTheLog) {
  settings.WriteInt("PreviousSetValue", "SelectedDev", 3);
  test::TempDir empty;
#if defined(_WIN32)
  // Windows finds a driver by its bare name wherever it looks (the PATH, a
  // module already loaded): one without all four exports stands first, in
  // the program's directory.
  std::filesystem::copy_file(VANTRELL_INCOMPLETE_DRIVER, empty.File(kDriverLibraryName));
#endif
  MainController controller = Make(empty.Path());
  EXPECT_FALSE(controller.StartUp());
  shell.rect = {0, 0, 640, 480};
  controller.Close();
  EXPECT_EQ(settings.ReadInt("PreviousSetValue", "SelectedDev", -1), 3);
  EXPECT_EQ(settings.ReadInt("Initialization", "Width", -1), -1);
  EXPECT_FALSE(controller.Log().IsOpen());
}

}  // namespace
}  // namespace vantrell
