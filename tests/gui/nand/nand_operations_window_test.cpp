// The NAND window's download, block read and erase driven with real clicks:
// three files chosen with Open File1 to File3 and downloaded, the blocks read
// back into the Read NAND Flash view, copied and saved from there, and an
// erase the operator declines.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/controls/hexdump/hex_dump_model.h"
#include "gui/controls/hexdump/hex_dump_ctrl.h"
#include "gui/controls/hexdump/read_view_setup.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/nand/nand_window_fixture.h"
#include "gui/nand/read_nd_flash.h"
#include "support/temp_dir.h"

namespace vantrell::gui::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Pattern(std::size_t n, std::uint8_t seed) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 9));
  return b;
}

QString ScreenshotPath(const char* name) {
  const QString dir = QStringLiteral(VANTRELL_BIN_DIR) + "/screenshots";
  QDir().mkpath(dir);
  return dir + "/" + name;
}

class NandOperationsWindowTest : public NandWindowFixture {
 protected:
  void SetUp() override {
    NandWindowFixture::SetUp();
    Open();
    ASSERT_TRUE(Refresh());
    window->SetFileChooser([this](QWidget*) { return chosen; });
  }
  void Type(int id, const char* text) { Find<CMaskEdit>(id)->SetWindowText(text); }
  // Clicks a button that starts a worker and waits until its controls are back.
  bool RunFrom(int id) {
    Click(id);
    return WaitUntil([&] { return !session.IsRunning() && Find(kRefresh)->isEnabled(); }, 30000);
  }
  // Runs inspect on the Read NAND Flash view once it shows, then closes it.
  void OnReadView(std::function<void(CReadNdFlash&)> inspect) {
    viewWatcher.disconnect();
    viewWatcher.setInterval(10);
    QObject::connect(&viewWatcher, &QTimer::timeout, [this, inspect] {
      auto* view = qobject_cast<CReadNdFlash*>(QApplication::activeModalWidget());
      if (view == nullptr) return;
      viewWatcher.stop();
      inspect(*view);
      view->close();
    });
    viewWatcher.start();
  }

  vantrell::test::TempDir dir;
  std::optional<std::string> chosen;
  QTimer viewWatcher;
};

TEST_F(NandOperationsWindowTest, ThreeFilesDownloadedFromTheWindowComeBackInTheReadNandFlashView) {
  const Bytes one = Pattern(300000, 1), two = Pattern(131072, 2), three = Pattern(70000, 3);
  const char* names[] = {"one.bin", "two.bin", "three.bin"};
  Click(kFileCheck[2]);
  for (int k = 0; k < 3; ++k) {
    vantrell::test::WriteBytes(dir.File(names[k]), k == 0 ? one : k == 1 ? two : three);
    chosen = dir.File(names[k]);
    Click(kOpenFile[k]);
  }
  EXPECT_EQ(EditText(kFileName[0]), "one.bin");
  EXPECT_EQ(EditText(kFileName[2]), "three.bin");
  EXPECT_EQ(EditText(kFileSize[0]), "300000");
  Type(kStartBlock[0], "00010");
  Type(kStartBlock[1], "00020");
  Type(kStartBlock[2], "00030");
  Click(kFatCheck);
  Type(kFatStart, "00100");

  // Slow enough to be seen midway.
  sim.Configure({{"latency_us", 150}});
  Click(kDownload);
  auto* progress = Find<CPercentProgressCtrl>(kProgress);
  ASSERT_TRUE(WaitUntil([&] { return Text(kStatus) == "File1 Downloading~" && progress->GetPosition() >= 40; }));
  EXPECT_FALSE(Find(kDownload)->isEnabled());
  EXPECT_TRUE(Find(kStartBlock[0])->isEnabled()) << "the start block edits stay usable";
  EXPECT_TRUE(window->grab().save(ScreenshotPath("nand_window_mid_download.png")));
  ASSERT_TRUE(WaitUntil([&] { return !session.IsRunning() && Find(kDownload)->isEnabled(); }, 30000));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"File1 Download\r\nFile2 Download\r\nFile3 Download\r\n"
                                                     "FAT Start Block Number Write\r\nComplete!"});
  EXPECT_EQ(sim.NandStatus()["fat_start_block"], 100);

  sim.Configure({{"latency_us", 0}});
  Type(kReadStart, "00010");
  Type(kReadCount, "00021");
  Bytes shown;
  std::string copied;
  OnReadView([&](CReadNdFlash& view) {
    const DumpBuffer& buffer = view.DumpView().Model().Buffer();
    shown.assign(buffer.Data(), buffer.Data() + buffer.ByteLength());
    EXPECT_TRUE(view.grab().save(ScreenshotPath("read_nand_flash_view.png")));
    const auto newline = std::find(shown.begin(), shown.end(), 0x0A);
    view.DumpView().SetCursorItem(static_cast<int>(newline - shown.begin()));
    view.DumpCommand(control_id::read_nd_flash::kView, kCopySelectionCommand);
    copied = QApplication::clipboard()->text().toStdString();
  });
  ASSERT_TRUE(RunFrom(kReadBlock));
  ASSERT_EQ(shown.size(), 21u * 131072);
  EXPECT_EQ(Bytes(shown.begin(), shown.begin() + 300000), one);
  EXPECT_EQ(Bytes(shown.begin() + 10 * 131072, shown.begin() + 11 * 131072), two);
  EXPECT_EQ(Bytes(shown.begin() + 20 * 131072, shown.begin() + 20 * 131072 + 70000), three);
  EXPECT_EQ(copied, "0A ");
  EXPECT_EQ(Text(kStatus), "Block Reading Count <20>");
}

TEST_F(NandOperationsWindowTest, SaveAsWritesTheBlocksReadAndNamesTheFileNextTime) {
  // Blocks 5 and 6: the board's bad block 3 would stop the read.
  Type(kReadStart, "00005");
  Type(kReadCount, "00002");
  const std::string saved = dir.File("blocks.bin");
  OnReadView([&](CReadNdFlash& view) {
    view.SetSaveFileChooser([&](QWidget*) { return QString::fromStdString(dir.Path()); });
    QTest::mouseClick(view.findChild<QPushButton*>(ControlName(control_id::read_nd_flash::kSaveAs)), Qt::LeftButton);
    view.SetSaveFileChooser([&](QWidget*) { return QString::fromStdString(saved); });
    QTest::mouseClick(view.findChild<QPushButton*>(ControlName(control_id::read_nd_flash::kSaveAs)), Qt::LeftButton);
    EXPECT_EQ(view.findChild<QLineEdit*>(ControlName(control_id::read_nd_flash::kFileName))->text(), "blocks.bin");
  });
  ASSERT_TRUE(RunFrom(kReadBlock));
  EXPECT_EQ(prompt.Shown(), (std::vector<PromptMessage>{WindowBox("Error!", "NAND Flash Read Data Save Fail!"),
                                                        WindowBox("Save As", "<blocks.bin> File Save Complete!")}));
  EXPECT_TRUE(vantrell::test::ReadBytes(saved) == std::string(2 * 131072, '\xFF')) << "an erased flash reads FF";

  QString remembered;
  OnReadView([&](CReadNdFlash& view) {
    remembered = view.findChild<QLineEdit*>(ControlName(control_id::read_nd_flash::kFileName))->text();
  });
  ASSERT_TRUE(RunFrom(kReadBlock));
  EXPECT_EQ(remembered, "blocks.bin");
}

TEST_F(NandOperationsWindowTest, AnEraseTheOperatorDeclinesSendsNothing) {
  Type(kEraseFirst, "0004");
  Type(kEraseLast, "0006");
  prompt.answers = {BoxAnswer::No};
  const std::uint64_t exchanges = sim.Status()["exchanges"];
  Click(kErase);
  EXPECT_EQ(prompt.Shown().back(), Question(kApplicationTitle, "Are you sure of erasing NAND Flash?"));
  EXPECT_EQ(sim.Status()["exchanges"], exchanges);
  EXPECT_TRUE(Find(kErase)->isEnabled());

  ASSERT_TRUE(RunFrom(kErase));
  EXPECT_EQ(prompt.Texts().back(), "Erase Complete!");
  EXPECT_EQ(Text(kStatus), "NAND Flash Block Erase Complete!");
  EXPECT_EQ(Find<CPercentProgressCtrl>(kProgress)->GetPosition(), 100);
}

TEST_F(NandOperationsWindowTest, ClosingTheWindowMidDownloadAbandonsTheWorkerAndShowsNothingMore) {
  vantrell::test::WriteBytes(dir.File("big.bin"), Pattern(2 * 131072, 4));
  chosen = dir.File("big.bin");
  Click(kOpenFile[0]);
  Click(kFileCheck[1]);  // File2 off: only File1 goes
  sim.Configure({{"latency_us", 300}});
  Click(kDownload);
  ASSERT_TRUE(WaitUntil([&] { return Text(kStatus) == "File1 Downloading~"; }));
  window->close();
  ASSERT_TRUE(WaitUntil([&] { return !session.IsRunning(); }));
  EXPECT_TRUE(prompt.Shown().empty()) << prompt.Texts().front();
  EXPECT_FALSE(busy.IsBusy());
}

}  // namespace
}  // namespace vantrell::gui::test
