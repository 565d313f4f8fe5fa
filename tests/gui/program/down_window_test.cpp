// The download window's own behaviour: what a showing starts with, the list
// and its buttons, the keys, the Auto options and the counters.
#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "core/common/prompt.h"
#include "down_window_fixture.h"
#include "gui/controls/percent_progress_ctrl.h"
#include "gui/program/auto_run_select.h"

namespace vantrell::gui::test {
namespace {

namespace auto_run = control_id::auto_run_select;

using ButtonStates = std::vector<bool>;

class DownWindowBasicsTest : public DownWindowTest {
 protected:
  // Auto, Remove Files, Remove All, Blank Check, Program, Verify, Erase All.
  ButtonStates RunButtons() {
    ButtonStates states;
    for (int id : {kAutoRun, kRemoveFiles, kRemoveAll, kBlankCheck, kProgram, kVerify, kEraseAll}) {
      states.push_back(Button(id)->isEnabled());
    }
    return states;
  }
  std::vector<std::string> ThreeFiles() {
    return {MakeFile("a.bin", Pattern(100, 1)), MakeFile("b.bin", Pattern(50, 2)), MakeFile("c.dat", Pattern(10, 3))};
  }
};

TEST_F(DownWindowBasicsTest, AShowingStartsWithTheTitleCountersOptionsAndButtonsOfAFreshWindow) {
  settings->WriteInt("PreviousSetValue", "SumTotal", 21);
  settings->WriteInt("PreviousSetValue", "SumSuccess", 20);
  settings->WriteInt("PreviousSetValue", "SumFail", 1);
  session.SetOptions({});
  Open();
  EXPECT_EQ(window->windowTitle().toStdString(), " ★ Chip Programmer for [VELORA-SIM] - Version 1.05");
  EXPECT_EQ(RunButtons(), (ButtonStates{false, false, false, true, false, false, true}));
  for (int always : {kLoadFiles, kAutoOptionSet, kReset, kReadMaster})
    EXPECT_TRUE(Button(always)->isEnabled()) << always;
  EXPECT_FALSE(Find<QCheckBox>(kCheckSum)->isChecked());
  EXPECT_EQ(Text(kSumTotal), "21");
  EXPECT_EQ(Text(kSumSuccess), "20");
  EXPECT_EQ(Text(kSumFail), "1");
  EXPECT_EQ(Text(kStageText), "0/0");
  EXPECT_EQ(session.Counters(), (ResultCounters{21, 20, 1}));
  // With nothing saved, the initialisation counts Erase All as set.
  EXPECT_EQ(session.Options(), (RunOptions{.eraseAll = true, .erase = true, .program = true, .verify = true}));
  for (int socket = 0; socket < 7; ++socket) EXPECT_EQ(PackLine(socket), "Ready");
  EXPECT_EQ(window->SocketCount(), 7u);
  // The list: seven columns, the header box checked, its empty-list text.
  CCellListCtrl* list = List();
  const int widths[] = {35, 50, 85, 160, 220, 105, 700};
  ASSERT_EQ(list->GetColumnCount(), 7);
  for (int c = 0; c < 7; ++c) EXPECT_EQ(list->columnWidth(c), widths[c]) << c;
  EXPECT_EQ(list->GetHeaderCheckbox(kEnableColumn), kChecked);
  EXPECT_EQ(list->Model().EmptyMessage(),
            "[Load Files] button click to download\r\n\r\n[Mouse Drag & Drop] to download");
}

TEST_F(DownWindowBasicsTest, LoadedFilesGetRowsAndTurnTheFileButtonsOnRemovingThemTurnsThemOff) {
  Open();
  const auto paths = ThreeFiles();
  LoadFiles(paths);
  CCellListCtrl* list = List();
  ASSERT_EQ(list->GetItemCount(), 3);
  EXPECT_EQ(list->GetItemText(2, kFileNameColumn), "c.dat");
  EXPECT_EQ(list->GetItemText(2, kPathColumn).toStdString(), paths[2]);
  EXPECT_EQ(list->GetItemText(1, kSectorColumn), "0");
  EXPECT_EQ(list->GetCheckbox(1, kEnableColumn), kChecked);
  EXPECT_EQ(RunButtons(), (ButtonStates{true, true, true, true, true, true, true}));
  EXPECT_TRUE(Find<CPercentProgressCtrl>(kTotalProgress)->Model().ShowPercentage());

  list->selectRow(1);
  QTest::mouseClick(Button(kRemoveFiles), Qt::LeftButton);
  ASSERT_EQ(list->GetItemCount(), 2);
  EXPECT_EQ(list->GetItemText(1, kNumberColumn), "3") << "numbers stay until the next sort";
  EXPECT_TRUE(Button(kAutoRun)->isEnabled());

  QTest::mouseClick(Button(kRemoveAll), Qt::LeftButton);
  EXPECT_EQ(list->GetItemCount(), 0);
  EXPECT_EQ(RunButtons(), (ButtonStates{false, false, false, true, false, false, true}));
  EXPECT_FALSE(Find<CPercentProgressCtrl>(kTotalProgress)->Model().ShowPercentage());
}

TEST_F(DownWindowBasicsTest, DroppedFilesOfAnyExtensionAreAdded) {
  Open();
  const auto paths = ThreeFiles();
  QMimeData data;
  data.setUrls(
      {QUrl::fromLocalFile(QString::fromStdString(paths[2])), QUrl::fromLocalFile(QString::fromStdString(paths[0]))});
  // A drop reaches the widget that took the drag's entry.
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(List()->viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &drop);
  ASSERT_EQ(List()->GetItemCount(), 2);
  EXPECT_EQ(List()->GetItemText(0, kFileNameColumn), "c.dat");
  EXPECT_EQ(List()->GetItemText(1, kFileNameColumn), "a.bin");
  EXPECT_TRUE(Button(kAutoRun)->isEnabled());
}

TEST_F(DownWindowBasicsTest, AWrongSectorNumberIsRefusedWithItsBoxAndAnEmptyOneIsTaken) {
  Open();
  LoadFiles(ThreeFiles());
  EditSector(0, "12a");
  QApplication::processEvents();
  EXPECT_EQ(List()->GetItemText(0, kSectorColumn), "0");
  EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{"Wrong Number!!!\r\n\r\nCheck Download Address!"}));
  EditSector(0, "-7");
  EXPECT_EQ(window->List().Rows()[0].sector, "-7");
  EditSector(1, "");
  EXPECT_EQ(List()->GetItemText(1, kSectorColumn), "");
  EXPECT_EQ(prompt.Texts().size(), 1u);
}

TEST_F(DownWindowBasicsTest, EnableBoxesGreyTheirRowsAndTheHeaderBoxSwitchesEveryRow) {
  Open();
  LoadFiles(ThreeFiles());
  CCellListCtrl* list = List();
  ClickBox(1);
  EXPECT_FALSE(window->List().Rows()[1].enabled);
  for (int c = 0; c < 7; ++c) EXPECT_EQ(list->GetItemColours(1, c)->background, 0xC8C8C8u) << c;
  EXPECT_EQ(list->GetItemColours(0, 3)->background, 0xFFFFFFu);
  EXPECT_EQ(list->GetHeaderCheckbox(kEnableColumn), kUnchecked);

  // One row off: the header box turns every row on.
  QTest::mouseClick(list->Header()->viewport(), Qt::LeftButton, {}, list->Header()->SectionCheckboxRect(1).center());
  for (int row = 0; row < 3; ++row) {
    EXPECT_TRUE(window->List().Rows()[row].enabled);
    EXPECT_EQ(list->GetCheckbox(row, kEnableColumn), kChecked);
    EXPECT_EQ(list->GetItemColours(row, 0)->background, 0xFFFFFFu);
  }
  // All on: the header box turns every row off.
  QTest::mouseClick(list->Header()->viewport(), Qt::LeftButton, {}, list->Header()->SectionCheckboxRect(1).center());
  for (int row = 0; row < 3; ++row) {
    EXPECT_FALSE(window->List().Rows()[row].enabled);
    EXPECT_EQ(list->GetCheckbox(row, kEnableColumn), kUnchecked);
    EXPECT_EQ(list->GetItemColours(row, 6)->background, 0xC8C8C8u);
  }
}

TEST_F(DownWindowBasicsTest, ASectorCaptionClickSortsAndACheckSumCaptionClickComputesChecksums) {
  Open();
  LoadFiles({MakeFile("a.bin", {'1', '2', '3', '4', '5', '6', '7', '8', '9'}), MakeFile("b.bin", {}),
             MakeFile("c.bin", {1})});
  EditSector(0, "9");
  EditSector(1, "4");
  ClickBox(2);
  ClickCaption(kSectorColumn);
  CCellListCtrl* list = List();
  EXPECT_EQ(list->GetItemText(0, kFileNameColumn), "b.bin");
  EXPECT_EQ(list->GetItemText(0, kNumberColumn), "1");
  EXPECT_EQ(list->GetItemText(1, kFileNameColumn), "a.bin");
  EXPECT_EQ(list->GetItemText(2, kFileNameColumn), "c.bin") << "the unchecked row comes last";
  EXPECT_EQ(list->GetItemColours(2, 4)->background, 0xC8C8C8u);
  EXPECT_EQ(list->GetItemText(0, kChecksumColumn), "");

  ClickCaption(kChecksumColumn);
  EXPECT_EQ(list->GetItemText(0, kChecksumColumn), "FFFFFFFF");
  EXPECT_EQ(list->GetItemText(1, kChecksumColumn), "340BC6D9");
  EXPECT_FALSE(list->GetItemText(2, kChecksumColumn).isEmpty()) << "unchecked rows get theirs too";
}

TEST_F(DownWindowBasicsTest, SpaceWithTheFocusOnTheListStartsAnAutoRun) {
  Open();
  LoadFiles({MakeFile("a.bin", Pattern(200, 5))});
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Space);
  EXPECT_FALSE(Button(kAutoRun)->isEnabled()) << "the run has started";
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(PackLine(3), "Verify Complete  → OK!");
}

TEST_F(DownWindowBasicsTest, EnterInTheSectorEditTakesTheTextAndStartsAutoUnlessTheTextIsRefused) {
  Open();
  LoadFiles({MakeFile("a.bin", Pattern(200, 5))});
  QTest::keyClick(TypeSector(0, "x1"), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(sim.Status()["exchanges"], 0) << "a refused edit starts nothing";
  EXPECT_EQ(prompt.Texts().size(), 1u);

  QTest::keyClick(TypeSector(0, "2"), Qt::Key_Return);
  EXPECT_EQ(window->List().Rows()[0].sector, "2");
  ASSERT_TRUE(WaitForRunEnd());
  EXPECT_EQ(sim.ReadSocketFlash(1, 2 * 1024, 200), Pattern(200, 5));
}

TEST_F(DownWindowBasicsTest, KeysDoNothingWhileAutoIsOffAndEscapeNeverCloses) {
  Open();
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape}) QTest::keyClick(Button(kBlankCheck), key);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(sim.Status()["exchanges"], 0);
  EXPECT_TRUE(prompt.Shown().empty());
  LoadFiles({MakeFile("a.bin", Pattern(20, 5))});
  QTest::keyClick(List(), Qt::Key_Escape);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(sim.Status()["exchanges"], 0);
}

TEST_F(DownWindowBasicsTest, AutoWithNoOptionSetSaysSoAndStartsNothing) {
  for (const char* key : {"CheckBlank", "CheckProgram", "CheckVerify", "CheckErase", "CheckEraseAll"}) {
    settings->WriteInt("PreviousSetValue", key, 0);
  }
  Open();
  LoadFiles({MakeFile("a.bin", Pattern(20, 5))});
  QTest::mouseClick(Button(kAutoRun), Qt::LeftButton);
  EXPECT_EQ(prompt.Shown(), (std::vector<PromptMessage>{ApplicationBox("Auto Option is not set!")}));
  EXPECT_FALSE(session.IsRunning());
  EXPECT_EQ(sim.Status()["exchanges"], 0);
  EXPECT_TRUE(Button(kAutoRun)->isEnabled());
  // Enter from the list takes the focus to Auto on its way.
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Return);
  EXPECT_TRUE(Button(kAutoRun)->hasFocus());
  EXPECT_EQ(prompt.Shown().size(), 2u);
}

// Runs the Auto Run Select dialog that Auto Option Set opens.
class AutoRunSelectTest : public DownWindowBasicsTest {
 protected:
  void OperateDialog(const std::function<void(CAutoRunSelect&)>& operate) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<CAutoRunSelect*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      seen = true;
      operate(*dialog);
    });
    QTest::mouseClick(Button(kAutoOptionSet), Qt::LeftButton);
    EXPECT_TRUE(seen);
  }
  static QCheckBox* Box(CAutoRunSelect& dialog, int id) { return FindControl<QCheckBox>(dialog, id); }
};

TEST_F(AutoRunSelectTest, TheBoxesStartFromTheSavedOptionsWithEraseAllOffWhenNothingIsSaved) {
  Open();
  OperateDialog([&](CAutoRunSelect& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Auto Run Select");
    EXPECT_FALSE(Box(dialog, auto_run::kEraseAll)->isChecked());
    EXPECT_TRUE(Box(dialog, auto_run::kErase)->isChecked());
    EXPECT_FALSE(Box(dialog, auto_run::kBlankCheck)->isChecked());
    EXPECT_TRUE(Box(dialog, auto_run::kProgram)->isChecked());
    EXPECT_TRUE(Box(dialog, auto_run::kVerify)->isChecked());
    dialog.reject();
  });
  // Cancel leaves the options as the dialog read them and saves nothing.
  EXPECT_EQ(session.Options(), (RunOptions{.erase = true, .program = true, .verify = true}));
  EXPECT_FALSE(settings->Has("PreviousSetValue", "CheckEraseAll"));
}

TEST_F(AutoRunSelectTest, EraseAndEraseAllExcludeEachOtherAndOkSavesTheBoxes) {
  Open();
  OperateDialog([&](CAutoRunSelect& dialog) {
    ClickButton(Box(dialog, auto_run::kEraseAll));  // Erase All on: Erase off
    EXPECT_TRUE(Box(dialog, auto_run::kEraseAll)->isChecked());
    EXPECT_FALSE(Box(dialog, auto_run::kErase)->isChecked());
    ClickButton(Box(dialog, auto_run::kErase));  // Erase on: Erase All off
    EXPECT_FALSE(Box(dialog, auto_run::kEraseAll)->isChecked());
    EXPECT_TRUE(Box(dialog, auto_run::kErase)->isChecked());
    ClickButton(Box(dialog, auto_run::kEraseAll));
    ClickButton(Box(dialog, auto_run::kBlankCheck));
    ClickButton(Box(dialog, auto_run::kVerify));
    QTest::mouseClick(dialog.findChild<QPushButton*>("1"), Qt::LeftButton);
  });
  const RunOptions chosen{.eraseAll = true, .blank = true, .program = true};
  EXPECT_EQ(session.Options(), chosen);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "CheckEraseAll", -1), 1);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "CheckErase", -1), 0);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "CheckBlank", -1), 1);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "CheckProgram", -1), 1);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "CheckVerify", -1), 0);
}

TEST_F(DownWindowBasicsTest, ResetZeroesTheCountersAndOnlyClosingSavesThem) {
  settings->WriteInt("PreviousSetValue", "SumTotal", 14);
  settings->WriteInt("PreviousSetValue", "SumSuccess", 12);
  settings->WriteInt("PreviousSetValue", "SumFail", 2);
  Open();
  QTest::mouseClick(Button(kReset), Qt::LeftButton);
  for (int id : {kSumTotal, kSumSuccess, kSumFail}) EXPECT_EQ(Text(id), "0") << id;
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumTotal", -1), 14) << "nothing saved before closing";
  window->close();
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumTotal", -1), 0);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumSuccess", -1), 0);
  EXPECT_EQ(settings->ReadInt("PreviousSetValue", "SumFail", -1), 0);
}

TEST_F(DownWindowBasicsTest, ReadMasterOpensItsWindowModallyOverTheDownloadWindow) {
  Open();
  std::string opened;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    opened = modal->objectName().toStdString();
    EXPECT_EQ(modal->parentWidget(), window.get());
    modal->close();
  });
  QTest::mouseClick(Button(kReadMaster), Qt::LeftButton);
  EXPECT_EQ(opened, "CReadMasterDlg");
}

}  // namespace
}  // namespace vantrell::gui::test
