#include <gtest/gtest.h>

#include "core/controls/mask_edit_model.h"

namespace vantrell {
namespace {

class MaskEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    edit.SetBeepSink([this] { ++beeps; });
  }
  void BlockField() { edit.SetEditMask(U"99999", U"_____", U"00000"); }
  void EraseField() { edit.SetEditMask(U"9999", U"____", U"0000"); }
  void AddressField() { edit.SetEditMask(U"0xHHHHHHHH", U"0x________", U"0x00000000"); }
  void LengthField() { edit.SetEditMask(U"999999 [byte]", U"______ [byte]", U"000000 [byte]"); }
  void Type(const std::u32string& text) {
    for (char32_t ch : text) edit.TypeChar(ch);
  }
  void Select(int anchor, int caret) {
    edit.Click(anchor, false);
    edit.DragTo(caret);
  }

  MaskEditModel edit;
  int beeps = 0;
};

TEST_F(MaskEdit, SetEditMaskShowsTheDefaultTextWithTheCaretOnTheFirstInput) {
  AddressField();
  EXPECT_TRUE(edit.HasMask());
  EXPECT_EQ(edit.Text(), U"0x00000000");
  EXPECT_EQ(edit.Caret(), 2);
  edit.SetEditMask(U"999", U"___");
  EXPECT_EQ(edit.Text(), U"___");  // no default: the literal
}

TEST_F(MaskEdit, InTheAddressFieldTheCaretNeverRestsOnThePrefix) {
  AddressField();
  edit.Click(0, false);
  EXPECT_EQ(edit.Caret(), 2);
  edit.Left(false);
  EXPECT_EQ(edit.Caret(), 2);
  edit.Home(false);
  EXPECT_EQ(edit.Caret(), 2);
  edit.DoubleClick(1);
  EXPECT_EQ(edit.Caret(), 2);
  EXPECT_EQ(edit.Anchor(), 2);
  edit.End(false);
  edit.Home(true);
  EXPECT_EQ(edit.SelectionStart(), 2);
  edit.DragTo(0);
  EXPECT_EQ(edit.Caret(), 2);
  EXPECT_EQ(beeps, 0);
}

TEST_F(MaskEdit, TypingAtTheStartOfTheAddressWritesTheFirstHexPosition) {
  AddressField();
  edit.SetText(U"0x00000000");
  edit.Click(0, false);
  edit.TypeChar(U'1');
  EXPECT_EQ(edit.Text(), U"0x10000000");
  EXPECT_EQ(edit.Caret(), 3);
  Type(U"aB");
  EXPECT_EQ(edit.Text(), U"0x1aB00000");
}

TEST_F(MaskEdit, RefusedCharactersBeepAndChangeNothing) {
  AddressField();
  edit.TypeChar(U'G');
  edit.TypeChar(U'+');
  edit.TypeChar(U'-');
  EXPECT_EQ(beeps, 3);
  EXPECT_EQ(edit.Text(), U"0x00000000");
  EXPECT_EQ(edit.Caret(), 2);
}

TEST_F(MaskEdit, TypingPastTheLastInputBeeps) {
  BlockField();
  Type(U"12345");
  EXPECT_EQ(edit.Text(), U"12345");
  EXPECT_EQ(edit.Caret(), 5);
  EXPECT_EQ(beeps, 0);
  edit.TypeChar(U'6');
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(edit.Text(), U"12345");
}

TEST_F(MaskEdit, TheLengthFieldsSuffixCannotChange) {
  LengthField();
  Type(U"1234567");  // the seventh digit would land on " [byte]"
  EXPECT_EQ(edit.Text(), U"123456 [byte]");
  EXPECT_EQ(beeps, 1);
  edit.End(false);
  EXPECT_EQ(edit.Caret(), 13);
  edit.TypeChar(U'9');
  edit.Delete();
  EXPECT_EQ(edit.Text(), U"123456 [byte]");
  EXPECT_EQ(beeps, 3);
  edit.Click(9, false);  // on the suffix: after the last input
  EXPECT_EQ(edit.Caret(), 6);
}

TEST_F(MaskEdit, BackspaceInTheLengthFieldRestoresTheDefaultDigit) {
  LengthField();
  edit.TypeChar(U'7');
  EXPECT_EQ(edit.Text(), U"700000 [byte]");
  edit.Backspace();
  EXPECT_EQ(edit.Text(), U"000000 [byte]");
  EXPECT_EQ(edit.Caret(), 0);
  edit.Backspace();
  EXPECT_EQ(beeps, 1);  // nothing before the first input
  edit.SetText(U"123456 [byte]");
  edit.End(false);
  edit.Backspace();  // from behind the suffix: the last digit
  EXPECT_EQ(edit.Text(), U"123450 [byte]");
  EXPECT_EQ(edit.Caret(), 5);
}

TEST_F(MaskEdit, BackspaceAtTheAddressPrefixBeeps) {
  AddressField();
  edit.Backspace();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(edit.Text(), U"0x00000000");
}

TEST_F(MaskEdit, DeleteAtTheThirdPositionShiftsLeftAndFillsThePrompt) {
  BlockField();
  edit.SetText(U"00123");
  edit.Click(2, false);
  edit.Delete();
  EXPECT_EQ(edit.Text(), U"0023_");
  EXPECT_EQ(edit.Caret(), 2);
}

TEST_F(MaskEdit, DeleteOfASelectionRemovesOnlyItsTypedCharacters) {
  BlockField();
  edit.SetText(U"1_345");
  Select(0, 3);
  edit.Delete();
  EXPECT_EQ(edit.Text(), U"45___");
  EXPECT_EQ(edit.Caret(), 0);
  EXPECT_FALSE(edit.HasSelection());
  Select(2, 5);
  edit.Delete();  // nothing typed in it
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(edit.Text(), U"45___");
}

TEST_F(MaskEdit, OvertypeReplacesAndInsertModeShiftsRight) {
  EraseField();
  edit.SetText(U"1234");
  edit.Click(1, false);
  edit.TypeChar(U'9');
  EXPECT_EQ(edit.Text(), U"1934");
  edit.ToggleOvertype();
  EXPECT_FALSE(edit.Overtype());
  edit.Click(1, false);
  edit.TypeChar(U'5');
  EXPECT_EQ(edit.Text(), U"1593");  // the last one falls off
  EXPECT_EQ(edit.Caret(), 2);
}

TEST_F(MaskEdit, TypingOverASelectionRemovesItThenInserts) {
  BlockField();
  edit.SetText(U"12345");
  Select(1, 3);
  edit.TypeChar(U'9');
  EXPECT_EQ(edit.Text(), U"1945_");
  EXPECT_EQ(edit.Caret(), 2);
}

TEST_F(MaskEdit, ARefusedCharacterKeepsTheSelectionsText) {
  BlockField();
  edit.SetText(U"12345");
  Select(0, 5);
  edit.TypeChar(U'x');
  EXPECT_EQ(edit.Text(), U"12345");
  EXPECT_EQ(beeps, 1);
}

TEST_F(MaskEdit, SpaceIsWrittenWhereTheMaskTakesItAndClearsThePositionElsewhere) {
  BlockField();
  edit.SetText(U"12345");
  edit.Click(1, false);
  edit.TypeChar(U' ');
  EXPECT_EQ(edit.Text(), U"1 345");
  EXPECT_EQ(edit.Caret(), 2);
  AddressField();
  edit.SetText(U"0x12345678");
  edit.Click(3, false);
  edit.TypeChar(U' ');
  EXPECT_EQ(edit.Text(), U"0x1_345678");
  EXPECT_EQ(edit.Caret(), 4);
  EXPECT_EQ(beeps, 0);
}

TEST_F(MaskEdit, LeftRightAndShiftSelection) {
  LengthField();
  edit.Right(false);
  edit.Right(true);
  edit.Right(true);
  EXPECT_EQ(edit.SelectionStart(), 1);
  EXPECT_EQ(edit.SelectionEnd(), 3);
  edit.Left(false);  // collapses to the start
  EXPECT_EQ(edit.Caret(), 1);
  EXPECT_FALSE(edit.HasSelection());
  edit.End(false);
  edit.Right(false);
  EXPECT_EQ(edit.Caret(), 13);  // not past the end
}

TEST_F(MaskEdit, FocusPutsTheCaretOnTheNextInput) {
  AddressField();
  edit.SetText(U"0x00000000");
  edit.End(false);
  edit.FocusIn();
  EXPECT_EQ(edit.Caret(), 10);  // after the last input
  edit.Click(5, false);
  edit.FocusIn();
  EXPECT_EQ(edit.Caret(), 5);
}

TEST_F(MaskEdit, CopyTakesOnlyTypedCharactersOfTheSelection) {
  AddressField();
  edit.SetText(U"0x12_4ABCD");
  edit.End(false);
  edit.Home(true);
  EXPECT_EQ(edit.Copy(), U"124ABCD");
  edit.Click(0, false);
  EXPECT_EQ(edit.Copy(), U"");  // nothing selected
}

TEST_F(MaskEdit, CutCopiesThenRemoves) {
  BlockField();
  edit.SetText(U"12345");
  Select(1, 3);
  EXPECT_EQ(edit.Cut(), U"23");
  EXPECT_EQ(edit.Text(), U"145__");
}

TEST_F(MaskEdit, PasteFillsFromTheFirstInputPaddedWithZerosOnTheLeft) {
  BlockField();
  edit.SetText(U"98765");
  edit.Click(3, false);
  edit.Paste(U"12");
  EXPECT_EQ(edit.Text(), U"00012");
  edit.Paste(U"1x2y3\r\n");
  EXPECT_EQ(edit.Text(), U"00123");
  edit.Paste(U"1234567");
  EXPECT_EQ(edit.Text(), U"12345");
  EXPECT_EQ(beeps, 0);
}

TEST_F(MaskEdit, PasteIntoTheAddressKeepsThePrefix) {
  AddressField();
  edit.Paste(U"abcd");
  EXPECT_EQ(edit.Text(), U"0x0000abcd");
  EXPECT_EQ(edit.Caret(), 10);
  LengthField();
  edit.Paste(U"4096");
  EXPECT_EQ(edit.Text(), U"004096 [byte]");
}

TEST_F(MaskEdit, PasteWithoutAnythingUsableFillsTheFieldWithZeros) {
  BlockField();
  edit.SetText(U"12345");
  edit.Paste(U"abc");
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(edit.Text(), U"00000");
}

TEST_F(MaskEdit, UndoSwapsBetweenTheMaskTextAndTheReplacedText) {
  BlockField();
  Type(U"42");
  EXPECT_EQ(edit.Text(), U"42000");
  edit.Undo();
  EXPECT_EQ(edit.Text(), U"00000");
  edit.Undo();
  EXPECT_EQ(edit.Text(), U"42000");
}

TEST_F(MaskEdit, AWindowTextKeepsTheFixedCharactersAndTheLength) {
  LengthField();
  edit.SetText(U"12");
  EXPECT_EQ(edit.Text(), U"12____ [byte]");
  edit.SetText(U"99999999999999999");
  EXPECT_EQ(edit.Text(), U"999999 [byte]");
}

TEST_F(MaskEdit, WithoutAMaskNothingIsEdited) {
  edit.TypeChar(U'1');
  edit.Backspace();
  edit.Delete();
  edit.Paste(U"1");
  EXPECT_FALSE(edit.HasMask());
  EXPECT_EQ(edit.Text(), U"");
  EXPECT_EQ(beeps, 0);
}

}  // namespace
}  // namespace vantrell
