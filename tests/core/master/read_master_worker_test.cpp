// The read of the MASTER chip against the writer simulator: the order of its
// commands and log lines, the MASTER-only ID checks, the ways a read fails,
// and what the window is shown.
#include "core/master/read_master_worker.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/common/busy_lease.h"
#include "core/master/master_read_run.h"
#include "support/download_rig.h"
#include "support/recording_read_master_view.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::DownloadRig;
using test::SimChipWriter;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

class ReadMasterWorkerTest : public ::testing::Test {
 protected:
  // A read over writer (the fixture's rig unless given), shown in view.
  MasterBytes Read(std::uint32_t address, std::uint32_t length, DownloadRig* writer = nullptr) {
    DownloadRig& w = writer ? *writer : rig;
    MasterReadRun run(w.link, w.prompt, std::move(*BusyLease::TryTake(w.busy)), MakeReadMasterViewSlot(view),
                      {w.device, address, length});
    EXPECT_EQ(ReadMasterWorker(run), 0);
    outcome = run.outcome;
    return *run.data;
  }

  DownloadRig rig;  // 8 KB, chip 0x5A, maker 0xBF, device 0x41
  LinkResult outcome = LinkResult::Success;
  std::shared_ptr<test::RecordingReadMasterView> view = std::make_shared<test::RecordingReadMasterView>();
};

TEST_F(ReadMasterWorkerTest, ASixtyTwoByteReadIsLoggedAndShownInTwoPackets) {
  Bytes flash(8192);
  for (std::size_t i = 0; i < flash.size(); ++i) flash[i] = static_cast<std::uint8_t>(i * 3 + 1);
  rig.writer.SetFlash(0, 0, flash);
  EXPECT_EQ(Read(0x100, 62), Bytes(flash.begin() + 0x100, flash.begin() + 0x100 + 62));
  EXPECT_EQ(rig.writer.Codes(), (Bytes{0xA0, 0xA1, 0xA4, 0xAA, 0xAA, 0xA2, 0xA8}));
  EXPECT_EQ(outcome, LinkResult::Finished);
  EXPECT_TRUE(rig.Boxes().empty());
  std::string ids;
  for (int i = 0; i < 7; ++i) ids += "\tChip0" + std::to_string(i) + " ID = 0x5A\r\n";
  EXPECT_EQ(rig.Log(), Cp949("\r\nSTART(☆). <Read ID> Process\r\n" + ids + "END(☆). <Read ID> Process\r\n\r\n"
                             "\r\nSTART(☆). <Read Data> Process\r\n\t ▶ Read Enable\r\n\t ▶ Read Data\r\n"
                             "\t\tRead Address = 0x0100\r\n\t\tRead Length = 62\r\n"
                             "☞ Master Chip Read Start = 0x100\r\n☞ Master Chip Read Length = 62 [byte]\r\n"
                             "\t ▶ Read Disable\r\nEND(☆). <Read Data> Process\r\n\r\n"
                             "\t ▶ COMM End\r\n\t ->  Exit Download!\r\n"));
  EXPECT_FALSE(rig.writer.IsOpen());
  EXPECT_FALSE(rig.busy.IsBusy());
}

TEST_F(ReadMasterWorkerTest, AHundredByteReadMovesTheBarToFiftyThenToAHundred) {
  Read(0, 100);
  EXPECT_EQ(view->Calls(), (Texts{"range 0-100", "pos 0", "percent on", "pos 50", "pos 100", "finished", "read run"}));
}

// Each case: how the writer is set up, and the one box the read ends with
// (none: the read finishes).
struct FailureCase {
  const char* what;
  std::function<void(SimChipWriter&)> setUp;
  const char* box;
};

TEST_F(ReadMasterWorkerTest, OnlyTheMasterCountsAndEachFailureIsToldOnce) {
  const auto ids = [](std::size_t socket, std::uint8_t chip, std::uint8_t maker, std::uint8_t device) {
    return [=](SimChipWriter& w) {
      w.idForm = SimChipWriter::IdForm::Extended;
      w.chips[socket].chipId = chip;
      w.chips[socket].makerId = maker;
      w.chips[socket].deviceId = device;
    };
  };
  const FailureCase cases[] = {
      {"chip ID", ids(0, 0x11, 0xBF, 0x41), "Read ID → ERROR!"},
      {"device ID", ids(0, 0x5A, 0xBF, 0x11), "Internal Flash Device ID → ERROR!"},
      {"maker ID", ids(0, 0x5A, 0x11, 0x41), "Internal Flash Manufacturer ID → ERROR!"},
      {"both, device first", ids(0, 0x5A, 0x11, 0x11), "Internal Flash Device ID → ERROR!"},
      {"short form: no flash IDs to check",
       [&ids](SimChipWriter& w) {
         ids(0, 0x5A, 0x11, 0x11)(w);
         w.idForm = SimChipWriter::IdForm::Short;
       },
       nullptr},
      {"a PACK socket's IDs", ids(3, 0x11, 0x11, 0x11), nullptr},
      {"a PACK socket's state", [](SimChipWriter& w) { w.FailCommand(0xA1, 4, 1); }, nullptr},
      {"MASTER state at enable", [](SimChipWriter& w) { w.FailCommand(0xA1, 0, 0x80); }, "Read Master Chip → ERROR!"},
      {"MASTER state at disable", [](SimChipWriter& w) { w.FailCommand(0xA2, 0, 1); }, "Read Master Chip → ERROR!"},
      {"range refused", [](SimChipWriter& w) { w.FailCommand(0xA4, 0, 0xFF); }, "Read Master Chip → ERROR!"},
      {"short data",  // the first data packet (request 4) arrives cut after two of its bytes
       [](SimChipWriter& w) { w.FaultAt(4, SimChipWriter::Fault::ShortReply, 4); },
       "Read Master Chip → ERROR!"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    DownloadRig own;
    c.setUp(own.writer);
    view = std::make_shared<test::RecordingReadMasterView>();
    Read(0, 100, &own);
    EXPECT_EQ(view->Calls().back(), "read run");
    EXPECT_FALSE(own.busy.IsBusy());
    if (c.box == nullptr) {
      EXPECT_TRUE(own.Boxes().empty());
      EXPECT_TRUE(view->Saw("finished"));
      continue;
    }
    EXPECT_EQ(own.Boxes(), Texts{c.box});
    EXPECT_EQ(outcome, LinkResult::CommError);
    EXPECT_FALSE(view->Saw("finished"));
    EXPECT_EQ(own.writer.Codes().back(), 0xA8) << "the writer is told to end its work";
    EXPECT_NE(own.Log().find(Cp949("\t +  COMM Error!\r\n\t ▶ COMM End\r\n")), std::string::npos);
  }
}

TEST_F(ReadMasterWorkerTest, LinkFailuresAreToldOnceByTheEnd) {
  rig.writer.openResult = 0;
  Read(0, 10);
  EXPECT_EQ(rig.Boxes(), Texts{"Orbelle USB Driver can't be Open!"});
  EXPECT_EQ(rig.Log(), "Orbelle USB Driver can't be Open!\r\n\t +  Error!\r\n\t ->  Exit Download!\r\n");

  DownloadRig faulty;
  faulty.writer.FaultAt(4, SimChipWriter::Fault::NoReply);  // the first data packet
  Read(0, 10, &faulty);
  EXPECT_EQ(faulty.Boxes(), Texts{"ReadUSB Error!"});
  EXPECT_EQ(outcome, LinkResult::ReadUsbError);
  EXPECT_EQ(faulty.writer.Codes().back(), 0xAA) << "nothing after the failed exchange";
}

}  // namespace
}  // namespace vantrell
