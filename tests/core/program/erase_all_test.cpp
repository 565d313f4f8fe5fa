// Erase All: the question, identity checks as in a download run, every
// sector erased with the bar in quarters, the time box, and the counters
// left alone.
#include "core/program/run/erase_all_worker.h"

#include <gtest/gtest.h>

#include "support/download_rig.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::DownloadRig;
using test::SimChipWriter;
using Codes = std::vector<std::uint8_t>;

TEST(EraseAllTest, EightSectorsMoveTheBarAfterSectorsOneThreeFiveAndSeven) {
  DownloadRig rig;
  std::vector<std::size_t> positionsAtSector;
  rig.writer.onExchange = [&](std::uint64_t) { positionsAtSector.push_back(rig.view->Positions().size()); };
  rig.EraseAll();
  EXPECT_EQ(rig.view->Positions(), (std::vector<int>{0, 25, 50, 75, 100}));
  EXPECT_EQ(rig.view->Range(), (std::pair<int, int>{0, 100}));
  EXPECT_EQ(rig.writer.CountOf(0xC1), 8u);
  // Before sector 2's erase (its enable is request 1 + 3 * 2) the bar has
  // moved once, after sector 1.
  EXPECT_EQ(positionsAtSector[1 + 3 * 2], 2u);
  EXPECT_EQ(positionsAtSector[1 + 3 * 1], 1u);
  EXPECT_EQ(rig.view->ProgressTexts().back(), "Sector[07] Erased");
}

TEST(EraseAllTest, EachSectorIsErasedAtItsAddressAndTheChipsWorkEnds) {
  DownloadRig rig(test::SmallDevice(3));
  rig.writer.SetFlash(4, 2 * 1024 + 5, {0});
  rig.EraseAll();
  EXPECT_EQ(rig.writer.Codes(), (Codes{0xA0, 0xC0, 0xC1, 0xC6, 0xC0, 0xC1, 0xC6, 0xC0, 0xC1, 0xC6, 0xA8}));
  EXPECT_EQ(rig.writer.Requests()[8], (Codes{0xC1, 0x04, 0x00, 0x08, 0x00, 0x00}));
  EXPECT_EQ(rig.writer.Flash(4)[2 * 1024 + 5], 0xFF);
  EXPECT_EQ(rig.view->PackLine(4), "Flash Erase All Complete  → OK!");
}

TEST(EraseAllTest, ASingleSectorDeviceShowsOkAtOnceAndFillsTheBar) {
  DownloadRig rig(test::SmallDevice(1));
  rig.EraseAll();
  EXPECT_EQ(rig.view->PackHistory(0),
            (std::vector<std::string>{"Read ID  → OK!", "Flash Erasing~", "Flash Erase All  → OK!",
                                      "Flash Erase All Complete  → OK!"}));
  EXPECT_EQ(rig.view->Positions(), (std::vector<int>{0, 100}));
}

TEST(EraseAllTest, OnlyTheLastSectorShowsOkWhileEarlierOnesKeepErasing) {
  DownloadRig rig(test::SmallDevice(4));
  rig.EraseAll();
  const auto history = rig.view->PackHistory(2);
  EXPECT_EQ(std::count(history.begin(), history.end(), "Flash Erase All  → OK!"), 1);
}

TEST(EraseAllTest, UnderOneSecondTheBoxSaysSo) {
  DownloadRig rig;
  rig.clockReadings = {7};
  rig.EraseAll();
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Erase All Complete!\r\nErase All Time < 1 sec\r\n"}));
  EXPECT_TRUE(rig.Log().find("\r\nErase All Time < 1 sec\r\n\t ->  Exit Download!\r\n") != std::string::npos);
}

TEST(EraseAllTest, TheTimeIsTakenFromTheFirstSectorToTheEnd) {
  DownloadRig rig;
  rig.clockReadings = {20, 32};
  rig.EraseAll();
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"Erase All Complete!\r\nErase All Time = 12 sec\r\n"}));
  EXPECT_TRUE(rig.Log().find("\r\nErase All Time = 12 sec\r\n") != std::string::npos);
}

TEST(EraseAllTest, ASectorFailingOnOneSocketDropsItFromTheRest) {
  DownloadRig rig;
  rig.writer.FailCommand(0xC1, 3, 2, 4);  // the fourth sector's erase
  rig.EraseAll();
  EXPECT_EQ(rig.view->PackLine(3), "Flash Erase All  → ERROR!");
  EXPECT_EQ(rig.view->PackColour(3), kPackColourFailed);
  EXPECT_EQ(rig.view->PackLine(2), "Flash Erase All Complete  → OK!");
}

TEST(EraseAllTest, NoSocketLeftEndsWithTheAllChipsBox) {
  DownloadRig rig;
  for (std::size_t i = 0; i < 7; ++i) rig.writer.FailCommand(0xC6, i, 1, 2);
  rig.EraseAll();
  EXPECT_EQ(rig.Boxes(),
            (std::vector<std::string>{"All Chips are Error!(Flash Erase All Error)\r\nCheck your Vantrell!"}));
  EXPECT_EQ(rig.writer.CountOf(0xC1), 2u);
}

TEST(EraseAllTest, StaleInputIsNotCleared) {
  DownloadRig rig;
  rig.EraseAll();
  EXPECT_EQ(rig.Log().find("USB Buffer Data Clear"), std::string::npos);
  EXPECT_EQ(rig.writer.Exchanges(), 1u + 3 * 8 + 1);
}

TEST(EraseAllTest, ALinkFaultEndsWithItsBoxAndClosesTheLink) {
  DownloadRig rig;
  rig.writer.FaultAt(6, SimChipWriter::Fault::SendFails);
  rig.EraseAll();
  EXPECT_EQ(rig.Boxes(), (std::vector<std::string>{"WriteUSB Error!"}));
  EXPECT_FALSE(rig.writer.IsOpen());
}

// --- started from the window ---

TEST(EraseAllSessionTest, NoStartsNothing) {
  DownloadRig rig;
  rig.prompt.answers = {BoxAnswer::No};
  rig.session.SetOptions({.program = true});
  EXPECT_FALSE(rig.session.StartEraseAll(rig.view));
  ASSERT_EQ(rig.prompt.Shown().size(), 1u);
  EXPECT_EQ(rig.prompt.Shown()[0].text, "Internal Flash Memory will be erased all. Continue?");
  EXPECT_EQ(rig.prompt.Shown()[0].buttons, BoxButtons::YesNo);
  EXPECT_EQ(rig.view->DisableCount(), 0);
  EXPECT_TRUE(rig.session.Options().program);
  EXPECT_FALSE(rig.busy.IsBusy());
  EXPECT_TRUE(rig.writer.Requests().empty());
}

TEST(EraseAllSessionTest, YesErasesWithoutCountingAndClearsTheProgramOption) {
  DownloadRig rig;
  rig.session.SetOptions({.erase = true, .program = true, .verify = true});
  rig.session.SetCounters({4, 3, 1});
  ASSERT_TRUE(rig.session.StartEraseAll(rig.view));
  EXPECT_EQ(rig.view->DisableCount(), 1);
  rig.session.WaitForWorker();
  EXPECT_EQ(rig.writer.CountOf(0xC1), 8u);
  EXPECT_EQ(rig.session.Counters(), (ResultCounters{4, 3, 1}));
  EXPECT_TRUE(rig.view->CountersShown().empty());
  EXPECT_FALSE(rig.session.Options().program);
  EXPECT_TRUE(rig.session.Options().verify);
  EXPECT_EQ(rig.view->RestoreCount(), 1);
}

}  // namespace
}  // namespace vantrell
