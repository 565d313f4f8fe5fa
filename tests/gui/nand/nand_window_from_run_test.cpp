// RUN opens the NAND window for a device whose name ends in "NAND": on a
// blank writer after the firmware update, and the window then reads what
// the image's board reports.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/app/run_controller.h"
#include "core/nand/operations/nand_session.h"
#include "core/platform/settings_store.h"
#include "gui/app/main_window.h"
#include "gui/common/control_lookup.h"
#include "gui/nand/bad_block_list.h"
#include "gui/nand/nand_flash_management.h"
#include "gui/support/gui_wait.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"
#include "support/temp_dir.h"

namespace vantrell::gui::test {
namespace {

using namespace control_id::nand;

using vantrell::test::WaitUntil;

// The main window over the build's device images and a blank writer.
class NandWindowFromRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(main.StartUp());
    main.show();
  }
  void Select(const char* image) {
    auto* combo = main.findChild<QComboBox*>(ControlName(control_id::main_window::kDeviceCombo));
    combo->setCurrentIndex(combo->findText(image));
    ASSERT_EQ(main.Controller().Images().Selected().name, image);
  }
  void ClickRun() {
    QTest::mouseClick(main.findChild<QPushButton*>(ControlName(control_id::main_window::kRun)), Qt::LeftButton);
  }

  vantrell::test::SimHarness sim;
  vantrell::test::TempDir dir;
  std::shared_ptr<vantrell::test::ScriptedPrompt> prompt = std::make_shared<vantrell::test::ScriptedPrompt>();
  CVantrellDlg main{prompt, std::make_shared<MemorySettingsStore>(),
                    ProgramLocation{dir.File("Vantrell"), VANTRELL_BIN_DIR}};
};

TEST_F(NandWindowFromRunTest, RunOnABlankWriterUpdatesItThenTheNandWindowReadsTheImagesBoard) {
  Select("ORBELLE-N1-NAND");

  std::string title;
  std::vector<std::string> texts;
  QString list;
  QTimer listCloser;
  listCloser.setInterval(10);
  QObject::connect(&listCloser, &QTimer::timeout, [&] {
    if (auto* shown = qobject_cast<CBadBlkList*>(QApplication::activeModalWidget())) {
      list = shown->Text();
      shown->close();
    }
  });
  QTimer windowDriver;
  windowDriver.setInterval(10);
  QObject::connect(&windowDriver, &QTimer::timeout, [&] {
    auto* window = qobject_cast<CNandFlashManagement*>(QApplication::activeModalWidget());
    if (window == nullptr) return;
    windowDriver.stop();
    title = window->windowTitle().toStdString();
    auto* refresh = window->findChild<QPushButton*>(ControlName(kRefresh));
    QTest::mouseClick(refresh, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return refresh->isEnabled(); }, 30000));
    for (int id : kInformation) texts.push_back(FindControl<QLabel>(*window, id)->text().toStdString());
    listCloser.start();
    auto* readBadBlock = window->findChild<QPushButton*>(ControlName(kReadBadBlock));
    QTest::mouseClick(readBadBlock, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return !list.isEmpty() && readBadBlock->isEnabled(); }, 30000));
    window->close();
  });
  windowDriver.start();
  ClickRun();
  ASSERT_TRUE(WaitUntil([&] { return !title.empty() && !main.Controller().Run()->UpdateRunning(); }, 60000));

  EXPECT_EQ(prompt->Shown().front().caption, "디바이스 교체?");
  EXPECT_EQ(title, " ★ NAND Flash Management for [ORBELLE-N1-NAND] - Version 1.01");
  EXPECT_EQ(texts, (std::vector<std::string>{"ONF1G08-A", "1024", "131072 byte", "3", "64"}));
  EXPECT_EQ(list.toStdString(), "Bad Block Count => 3\n\n37\n512\n901\n");
  main.close();
}

TEST_F(NandWindowFromRunTest, ClosingTheWindowDuringARefreshLetsRunOpenItAgain) {
  Select("ORBELLE-N2-NAND");
  const auto image = main.Controller().Images().Image();
  sim.SetFirmware({image.begin(), image.end()});
  sim.Configure({{"nand", {{"reply_delay_ms", 200}}}});
  NandSession& session = *main.Controller().Nand();

  int shown = 0;
  std::string blocks;
  QTimer driver;
  driver.setInterval(10);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    auto* window = qobject_cast<CNandFlashManagement*>(QApplication::activeModalWidget());
    if (window == nullptr) return;
    driver.stop();
    auto* refresh = window->findChild<QPushButton*>(ControlName(kRefresh));
    QTest::mouseClick(refresh, Qt::LeftButton);
    if (++shown == 1) {
      EXPECT_TRUE(WaitUntil([&] { return sim.RequestCount(0xA0) > 0; }));
    } else {
      EXPECT_TRUE(WaitUntil([&] { return refresh->isEnabled(); }, 30000));
      blocks = window->findChild<QLabel*>(ControlName(kTotalBlockCount))->text().toStdString();
    }
    window->close();
  });
  driver.start();
  ClickRun();
  ASSERT_EQ(shown, 1);
  ASSERT_TRUE(WaitUntil([&] { return !session.IsRunning(); }));
  EXPECT_FALSE(session.Flash().informationRead);

  sim.Configure(nlohmann::json::object());
  driver.start();
  ClickRun();
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(blocks, "2048");
  EXPECT_TRUE(prompt->Shown().empty());
  main.close();
}

}  // namespace
}  // namespace vantrell::gui::test
