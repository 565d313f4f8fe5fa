// RUN against the simulated writer: every branch of the comparison between
// the writer's firmware and the selected image.
#include "core/app/run_controller.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "core/app/main_window_controls.h"
#include "core/devices/device_catalogue.h"
#include "core/devices/device_images.h"
#include "core/devices/device_selection_view.h"
#include "core/link/writer_link.h"
#include "support/log_capture.h"
#include "support/recording_main_view.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"

namespace vantrell {
namespace {

constexpr std::uint16_t kChipDevice = 3;
constexpr std::uint16_t kOtherChipDevice = 4;
constexpr std::uint16_t kNandDevice = 5;
constexpr std::uint16_t kUnlisted = 0x4444;

class NullSelectionView : public DeviceSelectionView {
 public:
  void AddDeviceName(const std::string&) override {}
  void SetSelectionStatus(const std::string&) override {}
  void SetDeviceStatus(const std::string&) override {}
};

class RecordingControls : public MainWindowControls {
 public:
  void SetRunControlsEnabled(bool enabled) override { enabledStates.push_back(enabled); }
  void ShowDeviceWindow(DeviceWindowKind kind) override { windows.push_back(kind); }
  std::vector<bool> enabledStates;
  std::vector<DeviceWindowKind> windows;
};

// The update view of the main window hands the completion to RUN, as the
// window does with its completion message.
class CompletingView : public test::RecordingUpdateView {
 public:
  RunController* run = nullptr;
  void UpdateFinished() override {
    RecordingUpdateView::UpdateFinished();
    run->OnUpdateFinished();
  }
};

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    catalogue.Assign({{kChipDevice, "ORB-C300", 16, 512, 0x33, 0x1F, 0x44},
                      {kOtherChipDevice, "ORB-C400", 64, 512, 0x34, 0x1F, 0x45},
                      {kNandDevice, "ORB-N500 NAND", 0, 0, 0x50, 0, 0},
                      {kTerminatorNumber, kUnregisteredName}});
    std::filesystem::create_directories(programDir.File("Device"));
    view.run = &run;
  }

  void SelectImage(std::uint16_t number, std::uint16_t version) {
    test::WriteBytes(programDir.File("Device/image.bin"), test::MakeImage(number, version, 3000));
    ASSERT_TRUE(images.ScanDeviceImages());
    ASSERT_TRUE(images.SelectDeviceImage(0));
  }

  void WaitForUpdateEnd() {
    for (int i = 0; i < 500 && run.UpdateRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_FALSE(run.UpdateRunning());
  }

  test::SimHarness sim;
  test::TempDir programDir;
  test::LogCapture capture;
  test::ScriptedPrompt prompt;
  NullSelectionView selectionView;
  CompletingView view;
  RecordingControls controls;
  BusyState busy;
  DeviceCatalogue catalogue;
  DeviceImages images{programDir.Path(), capture.log, prompt, selectionView, catalogue};
  WriterLink link{sim.Driver(), capture.log};
  RunController run{{link, prompt, catalogue, images, view, controls, busy}};
};

TEST_F(RunTest, SameDeviceAndVersionOpensTheWindowWithoutAQuestion) {
  sim.SetFirmware(test::MakeImage(kChipDevice, 0x0105, 100));
  SelectImage(kChipDevice, 0x0105);
  run.OnRun();
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_EQ(controls.windows, std::vector<DeviceWindowKind>{DeviceWindowKind::Download});
  EXPECT_EQ(run.RunDeviceName(), "ORB-C300");
}

TEST_F(RunTest, RunWhileAnotherOperationHoldsTheLinkSaysSoAndSendsNothing) {
  sim.SetFirmware(test::MakeImage(kChipDevice, 0x0105, 100));
  SelectImage(kChipDevice, 0x0105);
  const std::string logBefore = capture.Bytes();
  ASSERT_TRUE(busy.TryAcquire());
  run.OnRun();
  EXPECT_EQ(prompt.Shown(), (std::vector<PromptMessage>{ApplicationBox(
                                "The writer is busy. Try again when the current operation has finished.")}));
  EXPECT_EQ(sim.Status()["exchanges"], 0);
  EXPECT_EQ(capture.Bytes(), logBefore);
  EXPECT_TRUE(controls.windows.empty());

  // Once the link is free, RUN identifies and gives the link back for the window's runs.
  busy.Release();
  run.OnRun();
  EXPECT_EQ(controls.windows.size(), 1u);
  EXPECT_FALSE(busy.IsBusy());
}

TEST_F(RunTest, RunLogsTheComparisonInKorean) {
  sim.SetFirmware(test::MakeImage(kChipDevice, 0x0105, 100));
  SelectImage(kChipDevice, 0x0105);
  run.OnRun();
  const std::string expected = test::Cp949(
      "현재 Vantrell는 <ORB-C300> 용으로 설정되어 있습니다.\r\n"
      "현재 선택된 디바이스는 <ORB-C300> 용 입니다.\r\n\r\n"
      "현재 Vantrell의 버전은 < 0x105 > 입니다.\r\n"
      "현재 선택된 디바이스의 버전은 < 1.05 > 입니다.\r\n\r\n");
  EXPECT_NE(capture.Bytes().find(expected), std::string::npos);
}

TEST_F(RunTest, OtherVersionAndNoOpensTheWindowWithoutUpdating) {
  sim.SetFirmware(test::MakeImage(kChipDevice, 0x0104, 100));
  SelectImage(kChipDevice, 0x0105);
  prompt.answers = {BoxAnswer::No};
  run.OnRun();
  ASSERT_EQ(prompt.Shown().size(), 1u);
  EXPECT_EQ(prompt.Shown()[0], Question("버전 체크?",
                                        "Vantrell의 버전은 1.04\r\nPC Program의 버전은 1.05\r\n업데이트 하시겠습니까?"));
  EXPECT_EQ(controls.windows.size(), 1u);
  EXPECT_FALSE(run.UpdateRunning());
  EXPECT_EQ(sim.Status()["firmware"]["version"], 0x0104);
}

TEST_F(RunTest, OtherVersionAndYesUpdatesThenOpensTheWindow) {
  sim.SetFirmware(test::MakeImage(kChipDevice, 0x0104, 100));
  SelectImage(kChipDevice, 0x0105);
  prompt.answers = {BoxAnswer::Yes};
  run.OnRun();
  WaitForUpdateEnd();
  EXPECT_EQ(view.finished, 1);
  EXPECT_EQ(controls.windows, std::vector<DeviceWindowKind>{DeviceWindowKind::Download});
  EXPECT_EQ(controls.enabledStates, (std::vector<bool>{false, true}));
  EXPECT_EQ(sim.Status()["firmware"]["version"], 0x0105);
  EXPECT_FALSE(busy.IsBusy());

  // The writer now agrees with the image: the next RUN opens the window at once.
  run.OnRun();
  EXPECT_EQ(prompt.Shown().size(), 1u);
  EXPECT_EQ(controls.windows.size(), 2u);
}

TEST_F(RunTest, AnyAnswerButNoCountsAsYes) {
  sim.SetFirmware(test::MakeImage(kChipDevice, 0x0104, 100));
  SelectImage(kChipDevice, 0x0105);
  prompt.answers = {BoxAnswer::Cancel};
  run.OnRun();
  WaitForUpdateEnd();
  EXPECT_EQ(view.finished, 1);
}

TEST_F(RunTest, AnUnregisteredWriterFirmwareAsksToReplaceIt) {
  sim.SetFirmware(test::MakeImage(kUnlisted, 0x0100, 100));
  SelectImage(kChipDevice, 0x0105);
  prompt.answers = {BoxAnswer::No};
  run.OnRun();
  ASSERT_EQ(prompt.Shown().size(), 1u);
  EXPECT_EQ(prompt.Shown()[0].caption, "디바이스 교체?");
  EXPECT_EQ(prompt.Shown()[0].text,
            "현재 Vantrell의 동작 프로그램은 등록되지 않은 디바이스용입니다.\r\n선택된 디바이스로 교체하시겠습니까?");
  EXPECT_TRUE(controls.windows.empty());
}

TEST_F(RunTest, BothUnregisteredAsksTheUnregisteredFirmwareQuestionFirst) {
  sim.SetFirmware(test::MakeImage(kUnlisted, 0x0100, 100));
  SelectImage(0x5555, 0x0105);
  prompt.answers = {BoxAnswer::No};
  run.OnRun();
  ASSERT_EQ(prompt.Shown().size(), 1u);
  EXPECT_EQ(prompt.Shown()[0].buttons, BoxButtons::YesNo);
}

TEST_F(RunTest, AnUnregisteredImageAgainstARegisteredWriterIsRefused) {
  sim.SetFirmware(test::MakeImage(kChipDevice, 0x0100, 100));
  SelectImage(kUnlisted, 0x0105);
  run.OnRun();
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Current Device Name(PC's Binary File) is not registered!"});
  EXPECT_TRUE(controls.windows.empty());
}

TEST_F(RunTest, AnotherRegisteredDeviceAsksWithBothNames) {
  sim.SetFirmware(test::MakeImage(kOtherChipDevice, 0x0100, 100));
  SelectImage(kChipDevice, 0x0105);
  prompt.answers = {BoxAnswer::Yes};
  run.OnRun();
  ASSERT_GE(prompt.Shown().size(), 1u);
  EXPECT_EQ(prompt.Shown()[0].text,
            "현재 Vantrell는 <ORB-C400> 용으로 설정되어 있습니다.\r\n"
            "현재 선택된 디바이스는 <ORB-C300> 용 입니다.\r\n"
            "선택된 디바이스 이름이 Vantrell와 다릅니다.\r\n디바이스를 교체하시겠습니까?");
  WaitForUpdateEnd();
  EXPECT_EQ(sim.Status()["firmware"]["number"], kChipDevice);
}

TEST_F(RunTest, ANandDeviceOpensTheNandWindowAlsoAfterAnUpdate) {
  sim.SetFirmware(test::MakeImage(kChipDevice, 0x0100, 100));
  SelectImage(kNandDevice, 0x0101);
  prompt.answers = {BoxAnswer::Yes};
  run.OnRun();
  WaitForUpdateEnd();
  EXPECT_EQ(controls.windows, std::vector<DeviceWindowKind>{DeviceWindowKind::Nand});
}

TEST_F(RunTest, AFailedOpenIsShownAndLoggedAndSendsNothing) {
  sim.Configure({{"open_fails", true}});
  SelectImage(kChipDevice, 0x0105);
  run.OnRun();
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Orbelle USB Driver can't be Open!"});
  EXPECT_NE(capture.Bytes().find("Orbelle USB Driver can't be Open!\r\n"), std::string::npos);
  EXPECT_EQ(sim.Status()["exchanges"], 0);
}

TEST_F(RunTest, TheTerminatorNumberIsRefusedBeforeTouchingTheWriter) {
  SelectImage(kTerminatorNumber, 0x0100);
  run.OnRun();
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"등록되지 않은 디바이스입니다.\r\n바이너리 파일을 확인하십시오!"});
  EXPECT_EQ(sim.Status()["exchanges"], 0);
}

TEST_F(RunTest, WithoutALoadedImageRunIsRefused) {
  run.OnRun();
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Binary File Can't Select!"});
  EXPECT_EQ(sim.Status()["exchanges"], 0);
}

TEST_F(RunTest, AShortIdentityReplyIsAReceiveFailure) {
  sim.Configure({{"faults", {{{"exchange", 1}, {"kind", "short_reply"}, {"bytes", 4}}}}});
  SelectImage(kChipDevice, 0x0105);
  run.OnRun();
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"ReadUSB Error!"});
  EXPECT_TRUE(controls.windows.empty());
}

TEST_F(RunTest, AFailedUpdateOpensNoWindowAndGivesTheControlsBack) {
  sim.SetFirmware(test::MakeImage(kChipDevice, 0x0104, 100));
  SelectImage(kChipDevice, 0x0105);
  // Exchange 1 is RUN's identity request; the update's erase is exchange 4.
  sim.Configure({{"faults", {{{"exchange", 4}, {"kind", "no_reply"}}}}, {"no_reply_wait_ms", 0}});
  prompt.answers = {BoxAnswer::Yes};
  run.OnRun();
  WaitForUpdateEnd();
  EXPECT_TRUE(controls.windows.empty());
  EXPECT_EQ(view.statuses.back(), " Execute Binary File Loading Error!");
  EXPECT_EQ(controls.enabledStates, (std::vector<bool>{false, true}));
  EXPECT_FALSE(busy.IsBusy());
}

}  // namespace
}  // namespace vantrell
