// The read of the MASTER chip against a fake writer: the order of its
// commands and log lines, the MASTER-only ID checks, every way the read can
// fail, and what the window is shown.
#include "core/master/read_master_worker.h"

#include <gtest/gtest.h>

#include "core/app/busy_lease.h"
#include "core/master/master_read_run.h"
#include "support/download_rig.h"
#include "support/recording_read_master_view.h"

namespace vantrell {
namespace {

using test::Cp949;
using test::FakeChipWriter;
using Bytes = std::vector<std::uint8_t>;
using Codes = std::vector<std::uint8_t>;
using Calls = std::vector<std::string>;

class ReadMasterWorkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::size_t i = 0; i < rig.writer.chips[0].flash.size(); ++i)
      rig.writer.chips[0].flash[i] = static_cast<std::uint8_t>(i * 3 + 1);
  }

  int Read(std::uint32_t address, std::uint32_t length) { return ReadWith(rig, address, length); }
  // A read over another writer, shown in the fixture's view.
  int ReadWith(test::DownloadRig& writer, std::uint32_t address, std::uint32_t length) {
    run = std::make_unique<MasterReadRun>(writer.link, writer.prompt, std::move(*BusyLease::TryTake(writer.busy)),
                                          MakeReadMasterViewSlot(view), MasterReadRequest{writer.device, address, length});
    return ReadMasterWorker(*run);
  }
  Bytes MasterFlash(std::size_t address, std::size_t length) {
    const Bytes& flash = rig.writer.chips[0].flash;
    return Bytes(flash.begin() + address, flash.begin() + address + length);
  }
  // The read ended reporting a COMM error: the writer was told COMM End and
  // only Read Run came back.
  void ExpectCommErrorEnd(test::DownloadRig& writer) {
    EXPECT_EQ(writer.writer.Codes().back(), 0xA8);
    EXPECT_NE(writer.Log().find(Cp949("\t +  COMM Error!\r\n\t ▶ COMM End\r\n\t ->  Exit Download!\r\n")),
              std::string::npos);
    EXPECT_EQ(view->Calls().back(), "read run");
    EXPECT_FALSE(view->Saw("finished"));
    EXPECT_FALSE(writer.busy.IsBusy());
  }

  test::DownloadRig rig;  // 8 KB, chip 0x5A, maker 0xBF, device 0x41
  std::shared_ptr<test::RecordingReadMasterView> view = std::make_shared<test::RecordingReadMasterView>();
  std::unique_ptr<MasterReadRun> run;
};

TEST_F(ReadMasterWorkerTest, ASixtyTwoByteReadIsLoggedAndShownInTwoPackets) {
  EXPECT_EQ(Read(0x100, 62), 0);
  EXPECT_EQ(rig.writer.Codes(), (Codes{0xA0, 0xA1, 0xA4, 0xAA, 0xAA, 0xA2, 0xA8}));
  EXPECT_EQ(*run->data, MasterFlash(0x100, 62));
  EXPECT_TRUE(rig.Boxes().empty());
  std::string ids;
  for (int i = 0; i < 7; ++i) ids += "\tChip0" + std::to_string(i) + " ID = 0x5A\r\n";
  EXPECT_EQ(rig.Log(), Cp949("\r\nSTART(☆). <Read ID> Process\r\n" + ids + "END(☆). <Read ID> Process\r\n\r\n"
                             "\r\nSTART(☆). <Read Data> Process\r\n\t ▶ Read Enable\r\n\t ▶ Read Data\r\n"
                             "\t\tRead Address = 0x0100\r\n\t\tRead Length = 62\r\n"
                             "☞ Master Chip Read Start = 0x100\r\n☞ Master Chip Read Length = 62 [byte]\r\n"
                             "\t ▶ Read Disable\r\nEND(☆). <Read Data> Process\r\n\r\n"
                             "\t ▶ COMM End\r\n\t ->  Exit Download!\r\n"));
  EXPECT_EQ(view->Calls().back(), "read run");
  EXPECT_FALSE(rig.writer.IsOpen());
  EXPECT_FALSE(rig.busy.IsBusy());
}

TEST_F(ReadMasterWorkerTest, AHundredByteReadMovesTheBarToFiftyThenToAHundred) {
  Read(0, 100);
  EXPECT_EQ(view->Calls(), (Calls{"range 0-100", "pos 0", "percent on", "pos 50", "pos 100", "finished", "read run"}));
  EXPECT_EQ(*run->data, MasterFlash(0, 100));
}

TEST_F(ReadMasterWorkerTest, OnlyTheMasterChipsIdsAreCheckedDeviceIdFirst) {
  struct Case {
    const char* what;
    FakeChipWriter::IdForm form;
    std::size_t socket;
    std::uint8_t chipId, makerId, deviceId;
    const char* box;  // nullptr: the read goes on
  };
  const Case cases[] = {
      {"chip ID", FakeChipWriter::IdForm::Short, 0, 0x11, 0xBF, 0x41, "Read ID → ERROR!"},
      {"device ID", FakeChipWriter::IdForm::Extended, 0, 0x5A, 0xBF, 0x11, "Internal Flash Device ID → ERROR!"},
      {"maker ID", FakeChipWriter::IdForm::Extended, 0, 0x5A, 0x11, 0x41, "Internal Flash Manufacturer ID → ERROR!"},
      {"both", FakeChipWriter::IdForm::Extended, 0, 0x5A, 0x11, 0x11, "Internal Flash Device ID → ERROR!"},
      {"short form", FakeChipWriter::IdForm::Short, 0, 0x5A, 0x11, 0x11, nullptr},
      {"a PACK socket", FakeChipWriter::IdForm::Extended, 3, 0x11, 0x11, 0x11, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::DownloadRig own;
    own.writer.idForm = c.form;
    FakeChipWriter::Chip& chip = own.writer.chips[c.socket];
    chip.chipId = c.chipId;
    chip.makerId = c.makerId;
    chip.deviceId = c.deviceId;
    ReadWith(own, 0, 10);
    if (c.box == nullptr) {
      EXPECT_TRUE(own.Boxes().empty());
      EXPECT_EQ(own.writer.CountOf(0xAA), 1u);
    } else {
      EXPECT_EQ(own.Boxes(), std::vector<std::string>{c.box});
      EXPECT_EQ(own.writer.Codes(), (Codes{0xA0, 0xA8})) << "no read, COMM End";
    }
  }
}

TEST_F(ReadMasterWorkerTest, AFailedReadOfTheMasterIsToldAndEndsInACommError) {
  const std::pair<const char*, std::uint8_t> cases[] = {
      {"MASTER state at read enable", 0xA1}, {"MASTER state at read disable", 0xA2}, {"range refused", 0xA4}};
  for (const auto& [what, code] : cases) {
    SCOPED_TRACE(what);
    view = std::make_shared<test::RecordingReadMasterView>();
    test::DownloadRig own;
    own.writer.FailCommand(code, 0, 0x80);
    ReadWith(own, 0, 100);
    EXPECT_EQ(own.Boxes(), std::vector<std::string>{"Read Master Chip → ERROR!"});
    ExpectCommErrorEnd(own);
  }
}

TEST_F(ReadMasterWorkerTest, APacketShortOfTheLengthIsAFailedRead) {
  rig.writer.readPackets = std::vector<Bytes>{Bytes{0xAA, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
  Read(0, 100);
  EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"Read Master Chip → ERROR!"});
  ExpectCommErrorEnd(rig);
}

TEST_F(ReadMasterWorkerTest, APackSocketsStateDoesNotFailTheRead) {
  rig.writer.FailCommand(0xA1, 4, 1);
  Read(0, 10);
  EXPECT_TRUE(rig.Boxes().empty());
  EXPECT_TRUE(view->Saw("finished"));
}

TEST_F(ReadMasterWorkerTest, LinkFailuresAreToldOnceByTheEnd) {
  rig.writer.openResult = 0;
  Read(0, 10);
  EXPECT_EQ(rig.Boxes(), std::vector<std::string>{"Orbelle USB Driver can't be Open!"});
  EXPECT_EQ(rig.Log(), "Orbelle USB Driver can't be Open!\r\n\t +  Error!\r\n\t ->  Exit Download!\r\n");

  test::DownloadRig faulty;
  faulty.writer.FaultAt(4, FakeChipWriter::Fault::NoReply);  // the first data packet
  ReadWith(faulty, 0, 10);
  EXPECT_EQ(faulty.Boxes(), std::vector<std::string>{"ReadUSB Error!"});
  EXPECT_EQ(faulty.writer.Codes().back(), 0xAA) << "nothing after the failed exchange";
}

}  // namespace
}  // namespace vantrell
