// Closing the download window or the Read Master window at a moment drawn
// from a seed, in every kind of run they start. Whatever the moment, the run
// is abandoned or has ended, nothing touches the window after it has gone
// (the sanitizer builds run this too), the link and the busy state are given
// back, and the same sessions run again afterwards.
#include <random>

#include "core/master/read_master_memory.h"
#include "down_window_fixture.h"
#include "gui/controls/mask_edit.h"
#include "gui/master/read_master_dlg.h"

namespace vantrell::gui::test {
namespace {

enum class RunKind { Auto, BlankCheck, Program, Verify, EraseAll, ReadMaster, Count };

// Auto, Blank Check, Program, Verify, Erase All.
constexpr int kRunButtons[] = {kAutoRun, kBlankCheck, kProgram, kVerify, kEraseAll};

class CloseAtRandomTest : public DownWindowTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  bool AnyRunning() { return session.IsRunning() || readMaster.IsRunning(); }

  // Starts the run; the window it runs in is the one to close.
  QWidget* Start(RunKind kind) {
    if (kind == RunKind::ReadMaster) {
      master = std::make_unique<CReadMasterDlg>(ReadMasterParts{readMaster, memory, device, &prompt});
      master->show();
      master->findChild<CMaskEdit*>(ControlName(control_id::read_master::kLength))->SetWindowText("016384 [byte]");
      QTest::mouseClick(master->findChild<QPushButton*>(ControlName(control_id::read_master::kReadRun)),
                        Qt::LeftButton);
      return master.get();
    }
    Open();
    LoadFiles({MakeFile("data.bin", Pattern(6000, static_cast<std::uint8_t>(GetParam())))});
    QTest::mouseClick(Button(kRunButtons[static_cast<int>(kind)]), Qt::LeftButton);
    return window.get();
  }

  ReadMasterMemory memory;
  std::unique_ptr<CReadMasterDlg> master;
};

TEST_P(CloseAtRandomTest, TheRunIsLetGoAndTheSessionsRunAgain) {
  std::mt19937 random(GetParam());
  const auto kind = static_cast<RunKind>(random() % static_cast<unsigned>(RunKind::Count));
  const std::uint64_t closeAfter = 1 + random() % 80;
  const bool destroyAtOnce = random() % 2 == 0;
  SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(kind) << ", close after " << closeAfter
                                  << " requests" << (destroyAtOnce ? ", destroyed at once" : ""));
  sim.Configure({{"latency_us", 300}});

  QWidget* shown = Start(kind);
  ASSERT_TRUE(WaitUntil([&] { return sim.TotalRequests() >= closeAfter || !AnyRunning(); }, 30000));
  shown->close();
  if (destroyAtOnce) {
    master.reset();
    window.reset();
  }
  ASSERT_TRUE(WaitUntil([&] { return !AnyRunning(); }));
  EXPECT_FALSE(busy.IsBusy());
  EXPECT_FALSE(sim.Status()["open"].get<bool>());

  master.reset();
  sim.Configure(nlohmann::json::object());
  Open();
  QTest::mouseClick(Button(kBlankCheck), Qt::LeftButton);
  EXPECT_TRUE(WaitForRunEnd());
  EXPECT_NE(PackLine(0).find("Blank"), std::string::npos) << PackLine(0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, CloseAtRandomTest, ::testing::Range(1u, 13u));

}  // namespace
}  // namespace vantrell::gui::test
