#include "gui/controls/num_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {
namespace {

class NumEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.resize(200, 50);
    edit = new CNumEdit(&owner);
    edit->setGeometry(10, 10, 80, 22);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    edit->setFocus();
  }
  std::vector<int> Actions(const QSignalSpy& spy) {
    std::vector<int> actions;
    for (const auto& args : spy) actions.push_back(args[2].toInt());
    return actions;
  }

  QWidget owner;
  CNumEdit* edit = nullptr;
};

TEST_F(NumEditTest, HexTypingRefusesGAndUpperCasesLetters) {
  edit->SetEditValue(0, NumEditMode::Hexadecimal, 1);
  edit->selectAll();
  QTest::keyClicks(edit, "G");
  EXPECT_EQ(edit->text(), "00");
  QTest::keyClicks(edit, "a");
  EXPECT_EQ(edit->text(), "A");
  QTest::keyClicks(edit, "g");
  EXPECT_EQ(edit->text(), "A");
  QTest::keyClicks(edit, "b");
  EXPECT_EQ(edit->text(), "AB");
  EXPECT_EQ(edit->EditValue(), 0xABu);
}

TEST_F(NumEditTest, AThirdHexDigitIsRefused) {
  edit->SetEditValue(0xFF, NumEditMode::Hexadecimal, 1);
  edit->end(false);
  QTest::keyClicks(edit, "1");
  EXPECT_EQ(edit->text(), "FF");
}

TEST_F(NumEditTest, OutOfRangeShowsItsColoursAndBlocksEnter) {
  QSignalSpy notified(edit, &CNumEdit::Notify);
  edit->SetEditValue(30, NumEditMode::Decimal, 1);
  edit->end(false);
  QTest::keyClicks(edit, "0");
  EXPECT_EQ(edit->text(), "300");
  EXPECT_FALSE(edit->IsValid());
  EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 0, 0));
  EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(255, 255, 255));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(notified.count(), 0);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_TRUE(edit->IsValid());
  EXPECT_NE(edit->palette().color(QPalette::Base), QColor(255, 0, 0));
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(notified.count(), 1);
  EXPECT_EQ(notified[0][0].toInt(), 1);
  EXPECT_EQ(notified[0][1].toInt(), kNumEditCommitCode);
  EXPECT_EQ(notified[0][2].toInt(), kActionCommit);
  EXPECT_EQ(notified[0][3].toUInt(), 30u);
}

TEST_F(NumEditTest, EscapeAlwaysReportsCancel) {
  QSignalSpy notified(edit, &CNumEdit::Notify);
  edit->SetEditValue(30, NumEditMode::Decimal, 1);
  edit->setText("999");
  QTest::keyClick(edit, Qt::Key_Escape);
  ASSERT_EQ(notified.count(), 1);
  EXPECT_EQ(notified[0][1].toInt(), kNumEditCancelCode);
}

TEST_F(NumEditTest, NavigationAndFormatKeysGoToTheOwner) {
  QSignalSpy notified(edit, &CNumEdit::Notify);
  edit->SetEditValue(0x12, NumEditMode::Hexadecimal, 1);
  QTest::keyClick(edit, Qt::Key_Tab);
  QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::keyClick(edit, Qt::Key_Down);
  QTest::keyClick(edit, Qt::Key_PageDown);
  QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(Actions(notified), (std::vector<int>{10, 11, 9, 13, 4, 15}));
  EXPECT_TRUE(edit->hasFocus());  // Tab did not move the focus
}

TEST_F(NumEditTest, LeftAndRightLeaveTheItemOnlyAtTheEdges) {
  QSignalSpy notified(edit, &CNumEdit::Notify);
  edit->SetEditValue(0x12, NumEditMode::Hexadecimal, 1);
  edit->setCursorPosition(1);
  QTest::keyClick(edit, Qt::Key_Left);
  EXPECT_EQ(edit->cursorPosition(), 0);
  EXPECT_EQ(notified.count(), 0);
  QTest::keyClick(edit, Qt::Key_Left);
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClick(edit, Qt::Key_Right);
  EXPECT_EQ(Actions(notified), (std::vector<int>{6, 7}));
}

TEST_F(NumEditTest, PastedTextPassesTheSameFilter) {
  edit->SetEditValue(0, NumEditMode::Hexadecimal, 1);
  edit->selectAll();
  QApplication::clipboard()->setText("zf9q");
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "F9");
}

}  // namespace
}  // namespace vantrell::gui
