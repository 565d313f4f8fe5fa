// How a NAND worker's calls reach the window: status texts and progress
// positions are posted and only the newest is shown, before any call the
// worker waits for; a detached window gets nothing, and what the worker reads
// from it is then empty.
#include "gui/nand/nand_view_bridge.h"

#include <QApplication>
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "gui/support/gui_wait.h"
#include "support/recording_nand_view.h"

namespace vantrell::gui::test {
namespace {

using vantrell::test::WaitUntil;
using Calls = std::vector<std::string>;

// Runs calls on a worker thread; the GUI thread dispatches nothing until they
// were all made, so posted updates pile up as behind a busy window.
template <typename Calls>
void FromWorkerWhileTheWindowIsBusy(Calls calls) {
  std::atomic<bool> posted{false};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    calls(posted);
    done = true;
  });
  while (!posted) std::this_thread::yield();
  EXPECT_TRUE(WaitUntil([&] { return done.load(); }));
  worker.join();
  QApplication::processEvents();
}

TEST(NandViewBridgeTest, OnlyTheNewestStatusAndPositionAreShownAndBeforeACallTheWorkerWaitsFor) {
  vantrell::test::RecordingNandView window;
  auto bridge = std::make_shared<NandViewBridge>(window);
  FromWorkerWhileTheWindowIsBusy([&](std::atomic<bool>& posted) {
    bridge->SetStatusText("No.<1> Block Erased");
    bridge->SetPosition(10);
    bridge->SetStatusText("No.<2> Block Erased");
    bridge->SetPosition(20);
    posted = true;
    bridge->SetShowPercentage(true);
  });
  EXPECT_EQ(window.Calls(), (Calls{"status No.<2> Block Erased", "position 20", "percent on"}));
}

TEST(NandViewBridgeTest, AWindowThatWentGetsNeitherPostedNorWaitedForCalls) {
  vantrell::test::RecordingNandView window;
  auto bridge = std::make_shared<NandViewBridge>(window);
  std::thread([&] { bridge->SetStatusText("late"); }).join();
  // The window closes before its thread got round to the posted text.
  bridge->Detach();
  FromWorkerWhileTheWindowIsBusy([&](std::atomic<bool>& posted) {
    bridge->SetPosition(50);
    posted = true;
    bridge->SetShowPercentage(true);
  });
  std::thread([&] { bridge->SetStatusText("later"); }).join();
  bridge.reset();  // the run let go of the bridge before its last post was shown
  QApplication::processEvents();
  EXPECT_TRUE(window.Calls().empty());
}

TEST(NandViewBridgeTest, AnEditTheWorkerReadsIsTheWindowsTextAndEmptyOnceTheWindowWent) {
  vantrell::test::RecordingNandView window;
  window.Type(NandEdit::EraseFirst, "0004");
  auto bridge = std::make_shared<NandViewBridge>(window);
  std::string read;
  const auto readEdit = [&](std::atomic<bool>& posted) {
    posted = true;
    read = bridge->EditText(NandEdit::EraseFirst);
  };
  FromWorkerWhileTheWindowIsBusy(readEdit);
  EXPECT_EQ(read, "0004");
  bridge->Detach();
  FromWorkerWhileTheWindowIsBusy(readEdit);
  EXPECT_EQ(read, "");
}

}  // namespace
}  // namespace vantrell::gui::test
