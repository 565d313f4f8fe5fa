// The NAND download against the simulated NAND board: files loaded by the
// Download button, erased and written block by block from their start
// blocks, the FAT start block number, and what is refused before anything
// is erased.
#include <gtest/gtest.h>

#include "core/nand/download/nand_download.h"
#include "core/nand/operations/nand_starts.h"
#include "sim/nand_sim_fixture.h"
#include "support/temp_dir.h"

namespace vantrell {
namespace {

using test::Cp949;
using Bytes = std::vector<std::uint8_t>;

Bytes Pattern(std::size_t n, std::uint8_t seed) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 8));
  return b;
}

class NandDownloadTest : public test::NandWorkerTest {
 protected:
  void SetUp() override {
    NandWorkerTest::SetUp();
    Run(&RefreshWorker);
  }
  // File k holds bytes and starts at block start.
  void Choose(std::size_t k, const Bytes& bytes, int start) {
    const std::string path = dir.File("file" + std::to_string(k + 1) + ".bin");
    test::WriteBytes(path, bytes);
    NandFiles files = session.Files();
    files[k] = {"file" + std::to_string(k + 1) + ".bin", path};
    session.SetFiles(files);
    choice.fileChecked[k] = true;
    choice.startBlocks[k] = start;
    view->Type(StartBlockEdit(k), std::to_string(start));
  }
  bool Download() {
    return Press([&] { return StartNandDownload(session, choice, view); });
  }
  // Bytes of consecutive blocks from first, as the board holds them.
  Bytes Board(std::uint32_t first, std::size_t length) {
    Bytes bytes;
    for (std::uint32_t b = first; bytes.size() < length; ++b) {
      const Bytes block = sim.ReadNandBlock(b, 0, spec.blockSize);
      bytes.insert(bytes.end(), block.begin(), block.end());
    }
    bytes.resize(length);
    return bytes;
  }
  Bytes ReadBack(int first, int count) {
    view->Type(NandEdit::ReadStart, std::to_string(first));
    view->Type(NandEdit::ReadCount, std::to_string(count));
    Run(&ReadBlockWorker);
    return view->ShownBlocks();
  }

  test::TempDir dir;
  NandDownloadChoice choice;
};

TEST_F(NandDownloadTest, ThreeFilesAndTheFatStartBlockAreWrittenAndReadBackAlsoAfterARestart) {
  test::NandDeviceSpec board = spec;
  board.blockCount = 128;  // room for FAT start block 100
  UseBoard(board);
  Run(&RefreshWorker);
  const Bytes one = Pattern(5000, 1);  // blocks 5 to 7
  const Bytes two = Pattern(4096, 2);  // blocks 10 and 11
  const Bytes three = Pattern(62, 3);  // block 20, closed by the empty packet
  Choose(0, one, 5);
  Choose(1, two, 10);
  Choose(2, three, 20);
  choice.fatChecked = true;
  view->Type(NandEdit::FatStart, "00100");
  ASSERT_TRUE(Download());
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"File1 Download\r\nFile2 Download\r\nFile3 Download\r\n"
                                                     "FAT Start Block Number Write\r\nComplete!"});
  const auto calls = view->Calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "status FAT Start Block Number <0x64> Writing"), calls.end());
  EXPECT_EQ(calls.back(), "restore all with 1065");
  EXPECT_EQ(sim.NandStatus()["fat_start_block"], 100);
  EXPECT_EQ(Board(5, one.size()), one);
  EXPECT_EQ(Board(10, two.size()), two);
  EXPECT_EQ(Board(20, three.size()), three);

  auto expectReadBack = [&] {
    const Bytes blocks = ReadBack(5, 16);
    ASSERT_EQ(blocks.size(), 16u * spec.blockSize);
    EXPECT_EQ(Bytes(blocks.begin(), blocks.begin() + 5000), one);
    EXPECT_EQ(Bytes(blocks.begin() + 5 * 2048, blocks.begin() + 5 * 2048 + 4096), two);
    EXPECT_EQ(Bytes(blocks.begin() + 15 * 2048, blocks.begin() + 15 * 2048 + 62), three);
    EXPECT_EQ(blocks[5000], 0xFF) << "the rest of File1's last block stays erased";
  };
  expectReadBack();
  sim.Restart();
  NandSession restarted{link, prompt, busy};
  ASSERT_TRUE(restarted.Start(&RefreshWorker, NandBusy::OperationControls, view));
  restarted.WaitForWorker();
  ASSERT_TRUE(restarted.Start(&ReadBlockWorker, NandBusy::OperationControls, view));
  restarted.WaitForWorker();
  const Bytes blocks = view->ShownBlocks();
  ASSERT_EQ(blocks.size(), 16u * spec.blockSize);
  EXPECT_EQ(Bytes(blocks.begin(), blocks.begin() + 5000), one);
}

TEST_F(NandDownloadTest, PacketsNeverCrossABlockAndOnlyAFullLastPacketIsFollowedByAnEmptyOne) {
  struct Case {
    std::uint32_t blockSize;
    std::size_t length;
    std::uint64_t writeData;  // packets, the empty one included
  };
  // 512: 8×62+16 and 7×62+54; 8×62+16 and 8×62 with the empty packet; one
  // block of 62 bytes; two full blocks of 496 = 8×62 with one empty packet at the very end.
  for (const Case c : {Case{512, 1000, 17}, Case{512, 1008, 18}, Case{512, 62, 2}, Case{496, 992, 17}}) {
    test::NandDeviceSpec board = spec;
    board.blockSize = c.blockSize;
    UseBoard(board);
    Run(&RefreshWorker);
    const Bytes data = Pattern(c.length, 9);
    Choose(0, data, 4);
    const std::uint64_t before = sim.RequestCount(0xD1);
    ASSERT_TRUE(Download());
    EXPECT_EQ(sim.RequestCount(0xD1) - before, c.writeData) << c.length;
    EXPECT_EQ(prompt.Texts().back(), "File1 Download\r\nComplete!") << c.length;
    EXPECT_EQ(Board(4, data.size()), data) << c.length;
  }
}

TEST_F(NandDownloadTest, ALaterFileRunningIntoAnEarlierOneIsRefusedBeforeAnyOfItsBlocksIsErased) {
  struct Case {
    std::array<int, 3> starts;     // -1: not checked
    std::array<int, 3> lengths;    // in 2048-byte blocks
    std::string refusal;           // empty: the download goes through
  };
  const Case cases[] = {
      {{10, 12, -1}, {3, 1, 0}, "Start Block Number of File2 is wrong!\r\n(overlap with File1)"},
      {{10, 8, -1}, {3, 3, 0}, "Start Block Number of File2 is wrong!\r\n(overlap with File1)"},  // last on first
      {{10, 7, -1}, {1, 5, 0}, "Start Block Number of File2 is wrong!\r\n(overlap with File1)"},  // encloses
      {{10, 14, 11}, {2, 2, 1}, "Start Block Number of File3 is wrong!\r\n(overlap with File1)"},
      {{10, 14, 12}, {2, 2, 3}, "Start Block Number of File3 is wrong!\r\n(overlap with File2)"},
      {{-1, 10, 11}, {0, 2, 1}, "Start Block Number of File3 is wrong!\r\n(overlap with File2)"},
      {{-1, 10, -1}, {2, 2, 0}, ""},  // File2 is not tested against File1's edit
  };
  for (const Case& c : cases) {
    choice = {};
    int erases = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      if (c.starts[k] < 0) continue;
      Choose(k, Pattern(static_cast<std::size_t>(c.lengths[k]) * 2048, 1), c.starts[k]);
      erases += c.lengths[k];
    }
    view->Type(NandEdit::File1Start, "10");
    MarkLog();
    const std::uint64_t before = sim.RequestCount(0xC0);
    ASSERT_TRUE(Download());
    const std::uint64_t erased = sim.RequestCount(0xC0) - before;
    if (c.refusal.empty()) {
      EXPECT_EQ(erased, static_cast<std::uint64_t>(erases));
      continue;
    }
    EXPECT_EQ(prompt.Texts().back(), c.refusal);
    EXPECT_EQ(erased, static_cast<std::uint64_t>(erases - c.lengths[c.starts[2] < 0 ? 1 : 2])) << c.refusal;
    const std::string tail = Cp949("\t +  COMM Error!\r\n\r\nSTART(☆). <NDFL Program End> Process\r\n"
                                   "END(☆). <NDFL Program End\r\n\r\n\t ->  Exit Download!\r\n");
    const std::string log = LogFromHere();
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
  }
}

TEST_F(NandDownloadTest, WhatCannotBeDownloadedIsRefusedBeforeAnythingStarts) {
  struct Case {
    std::function<void()> choose;
    std::string refusal;
  };
  const Case cases[] = {
      {[] {}, "Download File & FAT Start Block Number are not selected!"},
      {[&] { Choose(0, Bytes{}, 0); }, "File1 is empty!"},
      {[&] { Choose(0, Pattern(10, 1), 0); Choose(1, Pattern(2049, 1), 63); }, "File2 does not fit in the NAND flash!"},
      {[&] { Choose(2, Pattern(2048, 1), 64); }, "File3 does not fit in the NAND flash!"},
      {[&] {
         Choose(0, Pattern(10, 1), 0);
         NandFiles files = session.Files();
         files[0].path = dir.File("gone.bin");
         session.SetFiles(files);
       },
       "File1 Open Error!"},
      {[&] {
         Choose(1, Pattern(10, 1), 0);
         NandFiles files = session.Files();
         files[1].path = dir.Path();
         session.SetFiles(files);
       },
       "File2 Open Error!"},
  };
  const std::uint64_t exchanges = Exchanges();
  for (const Case& c : cases) {
    choice = {};
    c.choose();
    EXPECT_FALSE(Download()) << c.refusal;
    EXPECT_EQ(prompt.Texts().back(), c.refusal);
  }
  EXPECT_EQ(Exchanges(), exchanges) << "nothing was sent";
  EXPECT_EQ(view->Calls().back(), "enable 1095") << "no worker started since the Refresh";
}

TEST_F(NandDownloadTest, OnlyTheFatStartBlockWritesNoFile) {
  choice.fatChecked = true;
  view->Type(NandEdit::FatStart, "00012");
  ASSERT_TRUE(Download());
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"FAT Start Block Number Write\r\nComplete!"});
  EXPECT_EQ(sim.NandStatus()["fat_start_block"], 12);
  EXPECT_EQ(sim.RequestCount(0xC0) + sim.RequestCount(0xD0) + sim.RequestCount(0xD1), 0u);
}

}  // namespace
}  // namespace vantrell
