#pragma once
// The NAND Flash Management window offscreen over a NAND session that drives
// the writer simulator (1024 blocks of 128 KiB), with scripted boxes.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include <gtest/gtest.h>

#include "core/common/busy_state.h"
#include "core/link/writer_link.h"
#include "core/nand/operations/nand_session.h"
#include "gui/common/control_lookup.h"
#include "gui/controls/mask_edit.h"
#include "gui/nand/nand_flash_management.h"
#include "gui/support/click_button.h"
#include "gui/support/gui_wait.h"
#include "support/log_capture.h"
#include "support/scripted_prompt.h"
#include "support/sim_harness.h"

namespace vantrell::gui::test {

using vantrell::test::ClickButton;
using vantrell::test::WaitUntil;
using namespace control_id::nand;

// Every control whose state the window's rules set.
const int kRuledControls[] = {kFileName[0],   kReadBadBlock,  kOpenFile[0],   kOpenFile[1],  kOpenFile[2],
                              kFileName[1],   kFileName[2],   kFileCheck[0],  kFileCheck[1], kFileCheck[2],
                              kStartBlock[0], kStartBlock[1], kStartBlock[2], kFatStart,     kFatCheck,
                              kEraseFirst,    kDownload,      kEraseLast,     kErase,        kEraseAll,
                              kReadBlock,     kReadStart,     kReadCount,     kRefresh};

class NandWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    board.blockSize = 131072;
    board.blockCount = 1024;
    board.name = "ONF1G08-A";
    sim.SetFirmware(vantrell::test::MakeNandImage(board));
    SelectedDevice device;
    device.name = "ORBELLE-N1-NAND";
    device.version = 0x0101;
    session.SetDevice(device);
  }
  void TearDown() override {
    if (window) window->close();
    EXPECT_TRUE(WaitUntil([&] { return !session.IsRunning(); }));
    window.reset();
  }

  CNandFlashManagement& Open() {
    window = std::make_unique<CNandFlashManagement>(session);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }
  template <typename T = QWidget>
  T* Find(int id) {
    T* control = FindControl<T>(*window, id);
    EXPECT_NE(control, nullptr) << id;
    return control;
  }
  std::string Text(int id) { return Find<QLabel>(id)->text().toStdString(); }
  std::string EditText(int id) { return Find<QLineEdit>(id)->text().toStdString(); }
  bool Checked(int id) { return Find<QCheckBox>(id)->isChecked(); }
  void Click(int id) { ClickButton(Find<QAbstractButton>(id)); }
  std::vector<int> Enabled() {
    std::vector<int> ids;
    for (int id : kRuledControls)
      if (Find(id)->isEnabled()) ids.push_back(id);
    return ids;
  }
  bool Refresh() {
    Click(kRefresh);
    return WaitUntil([&] { return !session.IsRunning() && Find(kRefresh)->isEnabled(); });
  }

  vantrell::test::NandDeviceSpec board;
  vantrell::test::SimHarness sim;
  vantrell::test::LogCapture capture;
  WriterLink link{sim.Driver(), capture.log};
  vantrell::test::ScriptedPrompt prompt;
  BusyState busy;
  NandSession session{link, prompt, busy};
  std::unique_ptr<CNandFlashManagement> window;
};

}  // namespace vantrell::gui::test
