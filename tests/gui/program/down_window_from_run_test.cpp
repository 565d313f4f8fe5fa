// RUN opens the download window for an internal-flash device: the main
// window hands it the selected device, its settings and its prompt.
#include <QTimer>

#include "core/app/run_controller.h"
#include "core/devices/device_images.h"
#include "down_window_fixture.h"
#include "gui/app/main_window.h"

namespace vantrell::gui::test {
namespace {

TEST(DownWindowFromRunTest, RunOnAWriterWithTheSelectedFirmwareOpensTheDownloadWindowAndRunsFromIt) {
  vantrell::test::SimHarness sim;
  vantrell::test::TempDir dir;
  auto prompt = std::make_shared<vantrell::test::ScriptedPrompt>();
  auto settings = std::make_shared<MemorySettingsStore>();
  CVantrellDlg main(prompt, settings, ProgramLocation{dir.File("Vantrell"), VANTRELL_BIN_DIR});
  ASSERT_TRUE(main.StartUp());
  main.show();
  const std::string device = main.Controller().Images().Selected().name;
  ASSERT_EQ(device.rfind("MINI-VELORA", 0), 0u) << "the first image of the build";
  const auto image = main.Controller().Images().Image();
  sim.SetFirmware({image.begin(), image.end()});
  const std::string file = dir.File("data.bin");
  vantrell::test::WriteBytes(file, Pattern(500, 3));

  std::string title;
  std::size_t sockets = 0;
  std::vector<std::string> lines;
  QTimer::singleShot(0, [&] {
    auto* window = qobject_cast<CDownWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    title = window->windowTitle().toStdString();
    sockets = window->SocketCount();
    window->AddFiles({file});
    QTest::mouseClick(window->findChild<QPushButton*>(ControlName(kAutoRun)), Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return window->findChild<QPushButton*>(ControlName(kAutoRun))->isEnabled(); }, 30000));
    for (int id = kFirstPackLine; id <= kLastPackLine; ++id) {
      lines.push_back(window->findChild<QLabel*>(ControlName(id))->text().toStdString());
    }
    window->close();
  });
  QTest::mouseClick(main.findChild<QPushButton*>(ControlName(control_id::main_window::kRun)), Qt::LeftButton);

  EXPECT_EQ(title, " ★ Chip Programmer for [" + device + "] - Version " +
                       FormatDeviceVersion(main.Controller().Images().Selected().version));
  EXPECT_EQ(sockets, 2u);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "Verify Complete  → OK!");
  EXPECT_EQ(lines[1], "Verify Complete  → OK!");
  EXPECT_EQ(lines[2], "Not Used!");
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumTotal", -1), 2);
  main.close();
}

TEST(DownWindowFromRunTest, AfterAFirmwareUpdateTheDownloadWindowCanRun) {
  vantrell::test::SimHarness sim;  // a blank writer: RUN offers the update
  vantrell::test::TempDir dir;
  auto prompt = std::make_shared<vantrell::test::ScriptedPrompt>();
  auto settings = std::make_shared<MemorySettingsStore>();
  CVantrellDlg main(prompt, settings, ProgramLocation{dir.File("Vantrell"), VANTRELL_BIN_DIR});
  ASSERT_TRUE(main.StartUp());
  main.show();
  const std::string file = dir.File("data.bin");
  vantrell::test::WriteBytes(file, Pattern(100, 3));

  std::string line;
  QTimer timer;
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    auto* window = qobject_cast<CDownWindow*>(QApplication::activeModalWidget());
    if (window == nullptr) return;
    timer.stop();
    window->AddFiles({file});
    QTest::mouseClick(window->findChild<QPushButton*>(ControlName(kAutoRun)), Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return window->findChild<QPushButton*>(ControlName(kAutoRun))->isEnabled(); }, 30000));
    line = window->findChild<QLabel*>(ControlName(kFirstPackLine))->text().toStdString();
    window->close();
  });
  timer.start();
  QTest::mouseClick(main.findChild<QPushButton*>(ControlName(control_id::main_window::kRun)), Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return !line.empty(); }, 60000));
  EXPECT_EQ(line, "Verify Complete  → OK!");
  ASSERT_TRUE(WaitUntil([&] { return !main.Controller().Run()->UpdateRunning(); }));
  main.close();
}

}  // namespace
}  // namespace vantrell::gui::test
