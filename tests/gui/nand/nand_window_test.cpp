// The NAND Flash Management window offscreen over a NAND session that drives
// the writer simulator: start-up, the check box rule, Refresh, Read Bad
// Block and its list, and closing the window while a worker runs.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include <gtest/gtest.h>

#include "gui/nand/bad_block_list.h"
#include "gui/nand/nand_window_fixture.h"
#include "support/temp_dir.h"

namespace vantrell::gui::test {
namespace {


using NandWindowTest = NandWindowFixture;

TEST_F(NandWindowTest, StartUpLeavesOnlyRefreshEraseAllAndTheFirstTwoFilesUsable) {
  vantrell::test::TempDir files;
  vantrell::test::WriteBytes(files.File("one.bin"), std::vector<std::uint8_t>(1234, 1));
  session.SetFiles({{{"one.bin", files.File("one.bin")}, {"gone.bin", files.File("gone.bin")}, {"", ""}}});
  Open();
  EXPECT_EQ(window->windowTitle().toStdString(), " ★ NAND Flash Management for [ORBELLE-N1-NAND] - Version 1.01");
  EXPECT_EQ(Text(kStatus), "Ready!");
  EXPECT_EQ(Enabled(), (std::vector<int>{kFileName[0], kOpenFile[0], kOpenFile[1], kFileName[1], kStartBlock[0],
                                         kStartBlock[1], kEraseAll, kRefresh}));
  EXPECT_TRUE(Checked(kFileCheck[0]) && Checked(kFileCheck[1]));
  EXPECT_FALSE(Checked(kFileCheck[2]) || Checked(kFatCheck));
  EXPECT_EQ(EditText(kFileName[0]), "one.bin");
  EXPECT_EQ(EditText(kFileSize[0]), "1234");
  EXPECT_EQ(EditText(kFileSize[1]), "0") << "a remembered file that no longer opens";
  EXPECT_EQ(EditText(kFileSize[2]), "");
  for (int id : {kStartBlock[0], kStartBlock[1], kStartBlock[2], kFatStart, kReadStart, kReadCount})
    EXPECT_EQ(EditText(id), "00000") << id;
  for (int id : {kEraseFirst, kEraseLast}) EXPECT_EQ(EditText(id), "0000") << id;
}

TEST_F(NandWindowTest, RefreshShowsTheFlashAndTheCheckBoxesThenRuleTheirControls) {
  Open();
  ASSERT_TRUE(Refresh());
  EXPECT_EQ(Text(kDeviceName), "ONF1G08-A");
  EXPECT_EQ(Text(kTotalBlockCount), "1024");
  EXPECT_EQ(Text(kBlockSize), "131072 byte");
  EXPECT_EQ(Text(kBadBlockCount), "2");
  EXPECT_EQ(Text(kFatStartBlock), "7");
  EXPECT_EQ(EditText(kFatStart), "00007");
  std::vector<int> all(std::begin(kRuledControls), std::end(kRuledControls));
  std::erase_if(
      all, [](int id) { return id == kOpenFile[2] || id == kFileName[2] || id == kStartBlock[2] || id == kFatStart; });
  EXPECT_EQ(Enabled(), all) << "File3 and the FAT start block are not checked";

  const QString dir = QStringLiteral(VANTRELL_BIN_DIR) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(dir));
  EXPECT_TRUE(window->grab().save(dir + "/nand_window_after_refresh.png"));

  Click(kFileCheck[2]);
  Click(kFileCheck[0]);
  Click(kFatCheck);
  EXPECT_TRUE(Find(kFileName[2])->isEnabled() && Find(kOpenFile[2])->isEnabled() && Find(kStartBlock[2])->isEnabled());
  EXPECT_FALSE(Find(kFileName[0])->isEnabled() || Find(kOpenFile[0])->isEnabled() || Find(kStartBlock[0])->isEnabled());
  EXPECT_TRUE(Find(kFatStart)->isEnabled());
}

TEST_F(NandWindowTest, ReadBadBlockShowsTheListAndComesBack) {
  Open();
  ASSERT_TRUE(Refresh());
  QString text;
  bool offMeanwhile = false;
  QTimer timer;
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    auto* list = qobject_cast<CBadBlkList*>(QApplication::activeModalWidget());
    if (list == nullptr) return;
    timer.stop();
    text = list->Text();
    offMeanwhile = !Find(kReadBadBlock)->isEnabled() && Find(kRefresh)->isEnabled();
    list->close();
  });
  timer.start();
  Click(kReadBadBlock);
  ASSERT_TRUE(WaitUntil([&] { return !session.IsRunning() && Find(kReadBadBlock)->isEnabled(); }));
  EXPECT_EQ(text.toStdString(), "Bad Block Count => 2\n\n3\n40\n");
  EXPECT_TRUE(offMeanwhile) << "only Read Bad Block is off while it runs";
}

TEST_F(NandWindowTest, ShowingTheWindowAgainKeepsTheFlashButStartsItsControlsAfresh) {
  Open();
  ASSERT_TRUE(Refresh());
  Click(kFileCheck[2]);
  window->close();
  window.reset();
  Open();
  EXPECT_EQ(Text(kBadBlockCount), "") << "the controls are new";
  EXPECT_FALSE(Checked(kFileCheck[2]));
  EXPECT_FALSE(Find(kReadBadBlock)->isEnabled());
  EXPECT_TRUE(session.Flash().informationRead);
}

TEST_F(NandWindowTest, ClosingWhileTheBadBlockTableIsReadAbandonsTheWorkerAndShowsNothingMore) {
  board.badBlocks.clear();
  for (std::uint32_t b = 0; b < 40; ++b) board.badBlocks.push_back(10 + b);
  sim.SetFirmware(vantrell::test::MakeNandImage(board));
  Open();
  ASSERT_TRUE(Refresh());
  sim.Configure({{"nand", {{"reply_delay_ms", 100}}}});
  Click(kReadBadBlock);
  ASSERT_TRUE(WaitUntil([&] { return sim.RequestCount(0xA2) > 0; }));
  const std::string logBefore = capture.Bytes();
  window->close();
  window.reset();
  ASSERT_TRUE(WaitUntil([&] { return !session.IsRunning(); }));
  EXPECT_FALSE(busy.IsBusy());
  EXPECT_EQ(sim.RequestCount(0xA2), 1u) << "nothing was asked after the window closed";
  EXPECT_TRUE(prompt.Shown().empty());
  EXPECT_EQ(capture.Bytes(), logBefore);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no Bad Block List over a closed window";
}

}  // namespace
}  // namespace vantrell::gui::test
