// The Read Master Chip window offscreen over the writer simulator, driven as
// an operator drives it: Read Run over a programmed range, Compare Open and
// Compare Run, Save As, Copy Selection, Clear, and closing during a read.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "core/common/busy_lease.h"
#include "core/common/busy_refusal.h"
#include "core/master/master_files.h"
#include "core/master/read_master_memory.h"
#include "core/master/read_master_session.h"
#include "gui/common/control_lookup.h"
#include "gui/controls/hexdump/hex_dump_ctrl.h"
#include "gui/controls/hexdump/read_view_setup.h"
#include "gui/controls/mask_edit.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/master/read_master_dlg.h"
#include "gui/common/dialog_units.h"
#include "gui/support/gui_wait.h"
#include "sim/program_sim_rig.h"

namespace vantrell::gui {
namespace {

using namespace control_id::read_master;

using vantrell::test::WaitUntil;
using Bytes = std::vector<std::uint8_t>;
using Enabled = std::vector<bool>;

constexpr std::uint32_t kFileStart = 2 * 1024;  // sector 2

class ReadMasterDlgTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (window) window->close();
    EXPECT_TRUE(WaitUntil([&] { return !reads.IsRunning(); }));
    window.reset();
  }

  CReadMasterDlg& Open() {
    window = std::make_unique<CReadMasterDlg>(ReadMasterParts{reads, memory, rig.device, &rig.prompt});
    window->SetComparisonChooser([this](QWidget*) { return std::exchange(chosen, {}); });
    window->SetSaveChooser([this](QWidget*) { return std::exchange(chosen, {}); });
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }

  // Programs file into every socket from kFileStart, as a download run does.
  void Program(const Bytes& file) {
    rig.AddFile(kFileStart / 1024, file);
    rig.Run({.erase = true, .program = true});
    runBoxes_ = rig.Boxes().size();
  }
  std::string SaveFile(const std::string& name, const Bytes& bytes) {
    const std::string path = rig.files.File(name);
    vantrell::test::WriteBytes(path, bytes);
    return path;
  }

  void SetRange(const char* start, const char* length) {
    Find<CMaskEdit>(kStart)->SetWindowText(start);
    Find<CMaskEdit>(kLength)->SetWindowText(length);
  }
  void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
  bool ReadRun() {
    Click(kReadRun);
    return WaitUntil([&] { return !reads.IsRunning() && Button(kReadRun)->isEnabled(); }, 30000);
  }
  void CompareOpen(const std::string& path) {
    chosen = path;
    Click(kCompareOpen);
  }

  // Read Run, Clear, Save As, Compare Open, Compare Run.
  Enabled Buttons() {
    Enabled states;
    for (int id : {kReadRun, kClear, kSaveAs, kCompareOpen, kCompareRun}) states.push_back(Button(id)->isEnabled());
    return states;
  }
  // The boxes since the window opened (a programming run shows its own).
  std::vector<std::string> Boxes() const {
    const std::vector<std::string> all = rig.Boxes();
    return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(runBoxes_), all.end());
  }
  PromptMessage LastBox() const { return rig.prompt.Shown().back(); }
  std::vector<int> RedItems(const CHexDumpCtrl& view) const {
    std::vector<int> red;
    for (int i = 0; i < view.Model().Count(); ++i)
      if (view.Model().ItemDiffers(i)) red.push_back(i);
    return red;
  }
  Bytes Shown(const CHexDumpCtrl& view) const {
    Bytes bytes;
    for (int i = 0; i < view.Model().Count(); ++i) bytes.push_back(static_cast<std::uint8_t>(view.Model().ItemValue(i)));
    return bytes;
  }

  QPushButton* Button(int id) { return Find<QPushButton>(id); }
  template <typename T>
  T* Find(int id) {
    T* control = FindControl<T>(*window, id);
    EXPECT_NE(control, nullptr) << id;
    return control;
  }

  vantrell::test::ProgramSimRig rig{vantrell::test::SmallSimDevice()};  // 16 KB flash
  ReadMasterSession reads{rig.link, rig.prompt, rig.busy};
  ReadMasterMemory memory;
  std::string chosen;
  std::unique_ptr<CReadMasterDlg> window;

 private:
  std::size_t runBoxes_ = 0;
};

TEST_F(ReadMasterDlgTest, AShowingLaysOutDialog153WithEmptyViewsOverItsPlaceholders) {
  memory.savedName = "earlier.bin";
  Open();
  const DialogUnits units(window->font());
  EXPECT_EQ(window->size(), units.Size(659, 311));
  EXPECT_EQ(window->windowTitle(), "Read Master Chip");
  for (int id : {kLeftView, kRightView}) {
    auto* placeholder = Find<QLineEdit>(id);
    auto* view = Find<CHexDumpCtrl>(id);
    EXPECT_FALSE(placeholder->isVisible()) << id;
    EXPECT_EQ(view->geometry(), placeholder->geometry()) << id;
    EXPECT_EQ(view->DisplayStyle(), 0x5D0B03u);
    EXPECT_EQ(view->Model().Count(), 0);
  }
  EXPECT_LT(Find<CHexDumpCtrl>(kLeftView)->geometry().right(), Find<CHexDumpCtrl>(kRightView)->geometry().left());
  EXPECT_EQ(Buttons(), (Enabled{true, false, false, true, false}));
  EXPECT_EQ(Find<CMaskEdit>(kStart)->text(), "0x00000000");
  EXPECT_EQ(Find<CMaskEdit>(kLength)->text(), "000000 [byte]");
  EXPECT_EQ(Find<QLineEdit>(kSavedName)->text(), "earlier.bin");
  EXPECT_EQ(Find<QGroupBox>(kProgressGroup)->title(), "Read Progress");
  EXPECT_EQ(Find<CPercentProgressCtrl>(kProgress)->GetPosition(), 0);
}

TEST_F(ReadMasterDlgTest, LengthsOutsideTheFlashAreRefusedBeforeTheLinkIsTouched) {
  Open();
  Click(kReadRun);
  SetRange("0x00000000", "016385 [byte]");
  Click(kReadRun);
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"Read Length has to be over 1",
                                               "Read Length is over!\r\nUnder Internal Flash Size = 16[KB]"}));
  EXPECT_EQ(Buttons(), (Enabled{true, false, false, false, false}));
  EXPECT_EQ(rig.sim.RequestCount(0xA0), 0u);
  EXPECT_FALSE(reads.IsRunning());
}

TEST_F(ReadMasterDlgTest, AProgrammedFileReadsBackComparesTheSameThenMarksAChangedByteInBothViews) {
  const Bytes file = vantrell::test::ProgramSimRig::Pattern(1000, 5);
  Program(file);
  Open();
  SetRange("0x00000800", "001000 [byte]");
  ASSERT_TRUE(ReadRun());
  CHexDumpCtrl& left = *window->LeftView();
  CHexDumpCtrl& right = *window->RightView();
  EXPECT_TRUE(Boxes().empty()) << Boxes().front();
  EXPECT_EQ(Shown(left), file);
  EXPECT_EQ(Find<CPercentProgressCtrl>(kProgress)->GetPosition(), 100);
  EXPECT_EQ(Buttons(), (Enabled{true, true, true, true, false})) << "no comparison file yet";

  CompareOpen(SaveFile("same.bin", file));
  EXPECT_EQ(Find<QLineEdit>(kComparisonName)->text(), "same.bin");
  EXPECT_EQ(Buttons(), (Enabled{true, true, true, true, true}));
  Click(kCompareRun);
  EXPECT_EQ(LastBox(), WindowBox("Success!", "Data Compare Complete!\r\nAll Data are the same!"));
  EXPECT_TRUE(RedItems(left).empty());
  EXPECT_TRUE(RedItems(right).empty());

  Bytes changed = file;
  changed[0x1F4] ^= 0x80;
  CompareOpen(SaveFile("changed.bin", changed));
  Click(kCompareRun);
  EXPECT_EQ(LastBox(), WindowBox("Fail!!!", "Data Compare Complete!\r\nEach Data are not the same!\r\n"
                                            "First difference at address 0x000009F4: read 0x84, file 0x04 "
                                            "(1 byte differs)"));
  EXPECT_EQ(RedItems(left), std::vector<int>{0x1F4});
  EXPECT_EQ(RedItems(right), std::vector<int>{0x1F4});
  EXPECT_EQ(Shown(right), changed);
  EXPECT_NE(rig.Log().find("First difference at address 0x000009F4: read 0x84, file 0x04 (1 byte differs)\r\n"),
            std::string::npos);
  EXPECT_EQ(Buttons(), (Enabled{true, true, true, true, true}));

  // The row below the difference holds the cursor, so the red byte shows
  // on the normal background.
  const int below = 0x1F4 + left.Layout().ItemsPerRow();
  left.SetCursorItem(below);
  right.SetCursorItem(below);
  const QString dir = QStringLiteral(VANTRELL_BIN_DIR) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(dir));
  EXPECT_TRUE(window->grab().save(dir + "/read_master_failed_compare.png"));
}

TEST_F(ReadMasterDlgTest, ClosingDuringAReadAbandonsItAndTheNextShowingReadsAgain) {
  rig.sim.Configure({{"latency_ms", 2}});
  Open();
  SetRange("0x00000000", "016384 [byte]");  // 265 packets
  Click(kReadRun);
  ASSERT_TRUE(WaitUntil([&] { return Find<CPercentProgressCtrl>(kProgress)->GetPosition() >= 25; }));
  EXPECT_EQ(Buttons(), (Enabled{false, false, false, false, false}));
  window->close();
  // The window and all it kept go while the worker may still be writing:
  // the buffer it writes is its own to let go of.
  window.reset();
  memory = {};
  ASSERT_TRUE(WaitUntil([&] { return !reads.IsRunning(); }));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(rig.Log().find("Exit Download"), std::string::npos);

  rig.sim.Configure({{"latency_ms", 0}});
  Open();
  SetRange("0x00000000", "000062 [byte]");
  ASSERT_TRUE(ReadRun());
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(window->LeftView()->Model().Count(), 62);
  EXPECT_EQ(rig.sim.RequestCount(0xAA), 2u) << "62 bytes are one full packet and an empty one";
}

TEST_F(ReadMasterDlgTest, ReadRunWhileAnotherOperationHoldsTheLinkChangesNothing) {
  Open();
  SetRange("0x00000000", "000010 [byte]");
  ASSERT_TRUE(ReadRun());
  const Enabled before = Buttons();
  std::optional<BusyLease> other = BusyLease::TryTake(rig.busy);
  Click(kReadRun);
  EXPECT_EQ(Boxes(), std::vector<std::string>{kWriterBusyText});
  EXPECT_EQ(Buttons(), before);
  EXPECT_EQ(window->LeftView()->Model().Count(), 10) << "the data read stays";
  EXPECT_EQ(rig.sim.RequestCount(0xA0), 1u);
}

TEST_F(ReadMasterDlgTest, AComparisonFileThatFailsToLoadLeavesTheViewOnDataThatIsStillThere) {
  Open();
  CompareOpen(SaveFile("first.bin", Bytes{1, 2, 3}));
  EXPECT_EQ(Buttons(), (Enabled{true, true, false, true, false})) << "no read data yet";

  CompareOpen(rig.files.File("vanished.bin"));
  EXPECT_EQ(Boxes().back(), "File Open Error!");
  EXPECT_EQ(Find<QLineEdit>(kComparisonName)->text(), "");

  const std::string large = SaveFile("large.bin", {});
  std::filesystem::resize_file(large, kMaxComparisonBytes + 1);
  CompareOpen(large);
  EXPECT_EQ(Boxes().back(), "File Read Error!");
  EXPECT_EQ(Shown(*window->RightView()), (Bytes{1, 2, 3}));
  EXPECT_EQ(Buttons(), (Enabled{true, true, false, true, false}));
}

TEST_F(ReadMasterDlgTest, CopySelectionCopiesFromTheViewWhoseMenuOpenedLast) {
  Program(Bytes{0x10, 0x11, 0x12, 0x13, 0x14});
  Open();
  SetRange("0x00000800", "000005 [byte]");
  ASSERT_TRUE(ReadRun());
  CompareOpen(SaveFile("cmp.bin", Bytes{0xA0, 0xA1, 0xA2, 0xA3}));
  window->LeftView()->SetCursorItem(1);
  window->RightView()->SetCursorItem(3);
  // What the views report when their menu opens and Copy Selection is chosen.
  window->DumpMenuOpening(kRightView, 18, 3);
  window->DumpCommand(kRightView, kCopySelectionCommand);
  EXPECT_EQ(QApplication::clipboard()->text(), "A3 ");
  window->DumpMenuOpening(kLeftView, 18, 1);
  window->DumpCommand(kLeftView, kCopySelectionCommand);
  EXPECT_EQ(QApplication::clipboard()->text(), "11 ");
}

TEST_F(ReadMasterDlgTest, ClearEmptiesBothViewsAndCompareRunWaitsForTheNextRead) {
  Open();
  SetRange("0x00000000", "000004 [byte]");
  ASSERT_TRUE(ReadRun());
  CompareOpen(SaveFile("cmp.bin", Bytes(4, 0xFF)));
  Click(kClear);
  EXPECT_EQ(window->LeftView()->Model().Count(), 0);
  EXPECT_EQ(window->RightView()->Model().Count(), 0);
  EXPECT_EQ(Find<QLineEdit>(kComparisonName)->text(), "");
  EXPECT_EQ(Buttons(), (Enabled{true, false, false, true, false}));
  CompareOpen(SaveFile("again.bin", Bytes(4, 0xFF)));
  EXPECT_FALSE(Button(kCompareRun)->isEnabled());
  SetRange("0x00000000", "000004 [byte]");
  ASSERT_TRUE(ReadRun());
  EXPECT_TRUE(Button(kCompareRun)->isEnabled());
}

TEST_F(ReadMasterDlgTest, SaveAsWritesTheReadDataAndNamesTheFile) {
  Open();
  SetRange("0x00000010", "000003 [byte]");
  ASSERT_TRUE(ReadRun());
  chosen = rig.files.File("MasterRead.bin");
  Click(kSaveAs);
  EXPECT_EQ(LastBox(), WindowBox("Save As", "<MasterRead.bin> File Save Complete!"));
  EXPECT_EQ(vantrell::test::ReadBytes(rig.files.File("MasterRead.bin")), std::string(3, '\xFF'));
  EXPECT_EQ(Find<QLineEdit>(kSavedName)->text(), "MasterRead.bin");

  chosen = rig.files.File("missing/MasterRead.bin");
  Click(kSaveAs);
  EXPECT_EQ(LastBox(), WindowBox("Error!", "Read Data Save Fail!"));
}

}  // namespace
}  // namespace vantrell::gui
