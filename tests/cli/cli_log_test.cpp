// One program run, once the way the windows go through it and once through
// vantrell-cli, each against a blank simulated writer with the same clock:
// the two logs are the same bytes.
#include <filesystem>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "cli/app/cli_environment.h"
#include "cli/app/interrupt.h"
#include "core/app/main_window_controls.h"
#include "core/app/main_window_shell.h"
#include "core/app/run_controller.h"
#include "core/devices/device_selection_view.h"
#include "core/platform/settings_store.h"
#include "core/program/job/download_list.h"
#include "core/program/session/programming_session.h"
#include "core/program/session/run_settings.h"
#include "support/download_rig.h"
#include "support/recording_main_view.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"

namespace vantrell::cli::test {
namespace {

constexpr const char* kImage = "ORBELLE-C128";
const std::deque<std::int64_t> kClock{1000, 1002};

class Shell final : public MainWindowShell {
 public:
  void MoveWindowTo(int, int) override {}
  void SetComboIndex(int index) override { index_ = index; }
  int ComboIndex() const override { return index_; }
  WindowRect RestoredRect() const override { return {}; }

 private:
  int index_ = -1;
};

class NoSelectionView final : public DeviceSelectionView {
 public:
  void AddDeviceName(const std::string&) override {}
  void SetSelectionStatus(const std::string&) override {}
  void SetDeviceStatus(const std::string&) override {}
};

// RUN's update ends by opening the device window, as the main window does.
class MainWindowStandIn final : public vantrell::test::RecordingUpdateView, public MainWindowControls {
 public:
  MainController* controller = nullptr;
  std::atomic<bool> windowOpen{false};
  void UpdateFinished() override { controller->Run()->OnUpdateFinished(); }
  void SetRunControlsEnabled(bool) override {}
  void ShowDeviceWindow(DeviceWindowKind) override { windowOpen.store(true); }
};

int ImageIndex() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(VANTRELL_BIN_DIR) + "/Device")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return static_cast<int>(std::find(names.begin(), names.end(), std::string(kImage) + ".bin") - names.begin());
}

// RUN (answered Yes), then the download window: its initialisation and Auto.
std::string WindowsLog(const std::vector<std::pair<std::string, std::string>>& files) {
  vantrell::test::SimHarness blankWriter;
  vantrell::test::TempDir dir;
  vantrell::test::ScriptedPrompt prompt;
  MemorySettingsStore settings;
  settings.WriteInt("PreviousSetValue", "SelectedDev", ImageIndex());
  Shell shell;
  NoSelectionView selection;
  MainWindowStandIn window;
  MainController controller({prompt, settings, shell, selection, window, window}, {dir.File("Vantrell"), VANTRELL_BIN_DIR},
                            vantrell::test::SteppingClock(kClock));
  window.controller = &controller;
  EXPECT_TRUE(controller.StartUp());
  controller.Run()->OnRun();
  for (int i = 0; i < 1000 && !window.windowOpen; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));

  ProgrammingSession& session = *controller.Programming();
  session.SetDevice(controller.Images().Selected());
  session.SetCounters(ReadCounters(settings));
  session.SetOptions(ReadInitialOptions(settings));
  session.SetOptions(ReadAutoOptions(settings));
  DownloadList list(prompt);
  for (const auto& [path, sector] : files) {
    list.AddFiles({path});
    list.AcceptSectorEdit(static_cast<int>(list.RowCount() - 1), kSectorColumn, sector);
  }
  list.ComputeChecksums();
  list.SortByStartSector();
  DownloadJob job;
  list.BuildDownloadJob(job);
  EXPECT_TRUE(session.StartRun(job, std::make_shared<NullDownloadWindowView>()));
  session.WaitForWorker();
  WriteCounters(settings, session.Counters());
  controller.Close();
  return vantrell::test::ReadBytes(dir.File("Vantrell Log.txt"));
}

std::string CommandLineLog(const std::vector<std::string>& args) {
  vantrell::test::SimHarness blankWriter;
  vantrell::test::TempDir dir;
  MemorySettingsStore settings;
  Interrupt interrupt;
  std::ostringstream out;
  std::ostringstream err;
  CliEnvironment env{{dir.File("vantrell-cli"), VANTRELL_BIN_DIR}, settings, out, err, false, nullptr, interrupt,
                     vantrell::test::SteppingClock(kClock)};
  std::vector<const char*> argv{"vantrell-cli"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  EXPECT_EQ(RunCli(static_cast<int>(argv.size()), argv.data(), env), 0) << err.str();
  return vantrell::test::ReadBytes(dir.File("vantrell-cli Log.txt"));
}

std::string FirstDifference(const std::string& a, const std::string& b) {
  const auto at = static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
  return "first difference at byte " + std::to_string(at) + ": \"" + a.substr(at, 80) + "\" vs \"" + b.substr(at, 80) +
         "\"";
}

TEST(CliLogTest, AProgramRunLogsTheSameBytesAsTheWindows) {
  vantrell::test::TempDir data;
  const std::string first = data.File("first.bin");
  const std::string second = data.File("second.bin");
  vantrell::test::WriteBytes(first, std::string(5000, '\x5A'));
  vantrell::test::WriteBytes(second, std::string(700, '\x11'));

  const std::string windows = WindowsLog({{first, "3"}, {second, "0"}});
  const std::string commandLine =
      CommandLineLog({"program", "--yes", "--image", kImage, "--auto", first + "@3", second + "@0"});

  EXPECT_NE(windows.find("<Flash Verify>"), std::string::npos) << "RUN updated the blank writer";
  EXPECT_NE(windows.find("Total Transfer Time = 2 sec"), std::string::npos);
  EXPECT_TRUE(windows == commandLine) << FirstDifference(windows, commandLine);
}

}  // namespace
}  // namespace vantrell::cli::test
