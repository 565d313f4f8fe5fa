#include "gui/controls/mask_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace vantrell::gui {
namespace {

class MaskEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.resize(300, 80);
    edit = new CMaskEdit(&owner);
    edit->setGeometry(10, 10, 200, 24);
    other = new QLineEdit(&owner);
    other->setGeometry(10, 40, 200, 24);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
  }
  // A point that the edit maps to the caret position.
  QPoint PointAt(int position) {
    for (int x = 0; x < edit->width(); ++x) {
      const QPoint point(x, edit->height() / 2);
      if (edit->cursorPositionAt(point) == position) return point;
    }
    return {};
  }

  QWidget owner;
  CMaskEdit* edit = nullptr;
  QLineEdit* other = nullptr;
};

TEST_F(MaskEditTest, TypingAtTheStartOfTheAddressLandsOnTheFirstHexDigit) {
  edit->SetEditMask("0xHHHHHHHH", "0x________", "0x00000000");
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, edit->height() / 2));
  EXPECT_EQ(edit->cursorPosition(), 2);
  QTest::keyClicks(edit, "1");
  EXPECT_EQ(edit->text(), "0x10000000");
  QTest::keyClick(edit, Qt::Key_Home);
  EXPECT_EQ(edit->cursorPosition(), 2);
  QTest::keyClick(edit, Qt::Key_Left);
  EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(MaskEditTest, RefusedKeysBeep) {
  edit->SetEditMask("99999", "_____", "00000");
  edit->setFocus();
  QSignalSpy beeps(edit, &CMaskEdit::BeepSounded);
  QTest::keyClicks(edit, "a+");
  QTest::keyClick(edit, Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(beeps.count(), 3);
  EXPECT_EQ(edit->text(), "00000");
}

TEST_F(MaskEditTest, BackspaceRestoresZeroAndTheSuffixStays) {
  edit->SetEditMask("999999 [byte]", "______ [byte]", "000000 [byte]");
  edit->setFocus();
  QSignalSpy beeps(edit, &CMaskEdit::BeepSounded);
  QTest::keyClicks(edit, "45");
  EXPECT_EQ(edit->text(), "450000 [byte]");
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), "400000 [byte]");
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClicks(edit, "9");
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(edit->text(), "400000 [byte]");
  EXPECT_EQ(beeps.count(), 2);
}

TEST_F(MaskEditTest, DeleteShiftsLeftAndFillsThePrompt) {
  edit->SetEditMask("99999", "_____", "00000");
  edit->SetWindowText("00123");
  edit->setFocus();
  QTest::mouseClick(edit, Qt::LeftButton, {}, PointAt(2));
  ASSERT_EQ(edit->cursorPosition(), 2);
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(edit->text(), "0023_");
}

TEST_F(MaskEditTest, ShiftSelectionAndCutCopyPaste) {
  edit->SetEditMask("99999", "_____", "00000");
  edit->SetWindowText("12345");
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Home);
  QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(edit->selectedText(), "12");
  QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "12");
  EXPECT_EQ(edit->text(), "345__");
  QApplication::clipboard()->setText("7");
  QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(edit->text(), "00007");
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "00000");  // the text the mask was set with, then back
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "00007");
}

TEST_F(MaskEditTest, InsertTogglesOvertype) {
  edit->SetEditMask("9999", "____", "0000");
  edit->SetWindowText("1234");
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Home);
  QTest::keyClick(edit, Qt::Key_Insert);
  QTest::keyClicks(edit, "9");
  EXPECT_EQ(edit->text(), "9123");
  QTest::keyClick(edit, Qt::Key_Insert);
  QTest::keyClicks(edit, "8");
  EXPECT_EQ(edit->text(), "9823");
}

TEST_F(MaskEditTest, FocusPutsTheCaretOnTheNextInput) {
  edit->SetEditMask("0xHHHHHHHH", "0x________", "0x00000000");
  other->setFocus();
  edit->setCursorPosition(0);
  edit->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(edit->hasSelectedText());
  EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(MaskEditTest, DoubleClickSelectsNothingAndLandsOnAnInput) {
  edit->SetEditMask("0xHHHHHHHH", "0x________", "0x00000000");
  QTest::mouseDClick(edit, Qt::LeftButton, {}, QPoint(3, edit->height() / 2));
  EXPECT_FALSE(edit->hasSelectedText());
  EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(MaskEditTest, ATextSetFromOutsideKeepsTheMask) {
  edit->SetEditMask("999999 [byte]", "______ [byte]", "000000 [byte]");
  edit->setText("12");
  EXPECT_EQ(edit->text(), "12____ [byte]");
  EXPECT_EQ(edit->GetWindowText(), "12____ [byte]");
}

TEST_F(MaskEditTest, WithoutAMaskItIsAPlainEdit) {
  edit->setFocus();
  QTest::keyClicks(edit, "abc");
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), "ab");
}

}  // namespace
}  // namespace vantrell::gui
