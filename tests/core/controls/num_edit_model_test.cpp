#include <gtest/gtest.h>

#include <vector>

#include "core/controls/num_edit_model.h"

namespace vantrell {
namespace {

class NumEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    edit.SetNotifySink([this](const NumEditNotification& n) { sent.push_back(n); });
  }
  // Types like the widget does: the filter decides, the text grows.
  void Type(char32_t ch, bool hasSelection = false) {
    if (auto passed = edit.FilterChar(ch, hasSelection)) {
      std::u32string text = hasSelection ? U"" : edit.Text();
      edit.SetText(text + *passed);
    }
  }
  bool Key(NumEditKey key, bool ctrl = false, bool shift = false, EditCaret caret = {1, false, 2}) {
    return edit.KeyDown({key, 0, ctrl, shift}, caret);
  }
  bool CtrlLetter(char letter) { return edit.KeyDown({NumEditKey::Letter, letter, true, false}, {}); }

  NumEditModel edit;
  std::vector<NumEditNotification> sent;
};

TEST_F(NumEdit, HexadecimalTypingRefusesGAndUpperCasesLetters) {
  edit.SetEditValue(0, NumEditMode::Hexadecimal, 1, 0, 0);
  EXPECT_FALSE(edit.FilterChar(U'G', true).has_value());
  EXPECT_FALSE(edit.FilterChar(U'g', true).has_value());
  EXPECT_EQ(edit.FilterChar(U'a', true), U'A');
  EXPECT_EQ(edit.FilterChar(U'F', true), U'F');
}

TEST_F(NumEdit, AThirdDigitIntoAByteShowingFFIsRefused) {
  EXPECT_EQ(edit.SetEditValue(0xFF, NumEditMode::Hexadecimal, 1, 0, 0), U"FF");
  EXPECT_EQ(edit.MaxLength(), 2);
  EXPECT_FALSE(edit.FilterChar(U'1', false).has_value());
  EXPECT_EQ(edit.FilterChar(U'1', true), U'1');  // replaces the selection
  EXPECT_EQ(edit.FilterChar(U'\b', false), U'\b');  // control characters pass
}

TEST_F(NumEdit, ADecimalByteHolding300IsOutOfRangeAndEnterSendsNothing) {
  edit.SetEditValue(30, NumEditMode::Decimal, 1, 0, 0);
  Type(U'0', true);
  edit.SetText(U"300");
  EXPECT_FALSE(edit.IsValid());
  EXPECT_EQ(edit.CurrentColours(), (CellColours{0xFFFFFF, 0x0000FF}));
  EXPECT_TRUE(Key(NumEditKey::Enter));  // consumed all the same
  EXPECT_FALSE(Key(NumEditKey::Up));    // left to the edit
  EXPECT_TRUE(Key(NumEditKey::Tab));
  EXPECT_TRUE(CtrlLetter('H'));
  EXPECT_TRUE(sent.empty());
  EXPECT_TRUE(Key(NumEditKey::Escape));  // cancel always goes through
  EXPECT_EQ(sent, (std::vector<NumEditNotification>{{kNumEditCancelCode, kActionCancel, 300}}));
}

TEST_F(NumEdit, BackInRangeRestoresTheNormalColours) {
  SystemColours system;
  NumEditModel model(system);
  model.SetEditValue(1, NumEditMode::Decimal, 1, 0, 0);
  model.SetText(U"256");
  EXPECT_FALSE(model.IsValid());
  model.SetText(U"255");
  EXPECT_TRUE(model.IsValid());
  EXPECT_EQ(model.CurrentColours(), (CellColours{system.windowText, system.window}));
  model.SetColours({0x000000, 0x00FFFF}, {0xFFFFFF, 0x0000FF});
  EXPECT_EQ(model.CurrentColours(), (CellColours{0x000000, 0x00FFFF}));
}

TEST_F(NumEdit, TheKeyTableSendsItsActionCodes) {
  edit.SetEditValue(0x41, NumEditMode::Hexadecimal, 1, 0, 0);
  const EditCaret middle{1, false, 2};
  Key(NumEditKey::Enter);
  Key(NumEditKey::Tab);
  Key(NumEditKey::Tab, false, true);
  Key(NumEditKey::PageUp);
  Key(NumEditKey::PageDown);
  Key(NumEditKey::Home, true);
  Key(NumEditKey::End, true);
  Key(NumEditKey::Up);
  Key(NumEditKey::Down);
  Key(NumEditKey::Left, true, false, middle);
  Key(NumEditKey::Right, true, false, middle);
  for (char letter : {'H', 'D', 'B', 'O', 'A'}) CtrlLetter(letter);
  std::vector<int> actions;
  for (const auto& n : sent) actions.push_back(n.action);
  EXPECT_EQ(actions, (std::vector<int>{1, 10, 11, 12, 13, 4, 5, 8, 9, 6, 7, 14, 15, 16, 17, 18}));
  EXPECT_EQ(sent[0].code, kNumEditCommitCode);
  EXPECT_EQ(sent[1].code, kNumEditMoveCode);
  EXPECT_EQ(sent[11].code, kNumEditFormatCode);
  for (const auto& n : sent) EXPECT_EQ(n.value, 0x41u);
}

TEST_F(NumEdit, LeftAndRightMoveItemsOnlyAtTheEdgesWithNothingSelected) {
  edit.SetEditValue(0x41, NumEditMode::Hexadecimal, 1, 0, 0);
  EXPECT_FALSE(Key(NumEditKey::Left, false, false, {1, false, 2}));
  EXPECT_FALSE(Key(NumEditKey::Left, false, false, {0, true, 2}));
  EXPECT_FALSE(Key(NumEditKey::Right, false, false, {2, true, 2}));
  EXPECT_FALSE(Key(NumEditKey::Home));  // plain Home and End edit the text
  EXPECT_FALSE(Key(NumEditKey::End));
  EXPECT_TRUE(sent.empty());
  EXPECT_TRUE(Key(NumEditKey::Left, false, false, {0, false, 2}));
  EXPECT_TRUE(Key(NumEditKey::Right, false, false, {2, false, 2}));
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].action, kActionPreviousItem);
  EXPECT_EQ(sent[1].action, kActionNextItem);
}

TEST_F(NumEdit, OtherCtrlLettersAreNotConsumed) {
  edit.SetEditValue(1, NumEditMode::Decimal, 1, 0, 0);
  EXPECT_FALSE(CtrlLetter('C'));
  EXPECT_FALSE(edit.KeyDown({NumEditKey::Letter, 'H', false, false}, {}));
  EXPECT_TRUE(sent.empty());
}

TEST_F(NumEdit, TextFormsOfEachMode) {
  EXPECT_EQ(edit.SetEditValue(200, NumEditMode::Decimal, 1, 0, 0), U"200");
  EXPECT_EQ(edit.SetEditValue(10, NumEditMode::Hexadecimal, 2, 0, 0), U"000A");
  EXPECT_EQ(edit.SetEditValue(5, NumEditMode::Binary, 1, 0, 0), U"00000101");
  EXPECT_EQ(edit.SetEditValue(8, NumEditMode::Octal, 1, 0, 0), U"10");
  EXPECT_EQ(edit.SetEditValue(0x41, NumEditMode::Ascii, 1, 0, 0), U"A");
  EXPECT_EQ(edit.SetEditValue(0x05, NumEditMode::Ascii, 1, 0, 0), U".");
  EXPECT_EQ(edit.SetEditValue(4000000000u, NumEditMode::Decimal, 4, 0, 0), U"4000000000");
  EXPECT_EQ(edit.InitialText(), U"4000000000");
  EXPECT_FALSE(edit.TextChanged());
}

TEST_F(NumEdit, MaximumLengthIsTheDigitsOfTheMaximum) {
  const std::pair<NumEditMode, int> byteLengths[] = {{NumEditMode::Decimal, 3},
                                                     {NumEditMode::Hexadecimal, 2},
                                                     {NumEditMode::Binary, 8},
                                                     {NumEditMode::Octal, 3},
                                                     {NumEditMode::Ascii, 1}};
  for (auto [mode, length] : byteLengths) {
    edit.SetEditValue(0, mode, 1, 0, 0);
    EXPECT_EQ(edit.MaxLength(), length) << static_cast<int>(mode);
  }
  edit.SetEditValue(0, NumEditMode::Hexadecimal, 0, 0, 0x1234);
  EXPECT_EQ(edit.MaxLength(), 4);
  edit.SetEditValue(0, NumEditMode::Decimal, 0, 0, 0);
  EXPECT_EQ(edit.MaxLength(), 1);
}

TEST_F(NumEdit, WordSizedBinaryCountsAndSkipsItsGroupMark) {
  EXPECT_EQ(edit.SetEditValue(0x1234, NumEditMode::Binary, 2, 0, 0), U"00010010-00110100");
  EXPECT_EQ(edit.MaxLength(), 17);
  EXPECT_EQ(edit.EditValue(), 0x1234u);
  EXPECT_TRUE(edit.IsValid());
  edit.SetText(U"1111111111111111");  // typed without the mark
  EXPECT_EQ(edit.EditValue(), 0xFFFFu);
}

TEST_F(NumEdit, RangeFromMinimumAndMaximumInEitherOrder) {
  edit.SetEditValue(7, NumEditMode::Decimal, 0, 20, 5);
  EXPECT_EQ(edit.Minimum(), 5u);
  EXPECT_EQ(edit.Maximum(), 20u);
  EXPECT_EQ(edit.Text(), U"7");
  edit.SetEditValue(3, NumEditMode::Decimal, 0, 5, 20);  // outside: the minimum
  EXPECT_EQ(edit.Text(), U"5");
  edit.SetEditValue(300, NumEditMode::Decimal, 1, 9, 9);  // byte size wins
  EXPECT_EQ(edit.Text(), U"0");
  EXPECT_EQ(edit.Maximum(), 255u);
}

TEST_F(NumEdit, EditValueReadsAsFarAsTheDigitsGo) {
  edit.SetEditValue(0, NumEditMode::Hexadecimal, 2, 0, 0);
  edit.SetText(U"1FZ9");
  EXPECT_EQ(edit.EditValue(), 0x1Fu);
  edit.SetText(U"");
  EXPECT_EQ(edit.EditValue(), 0u);
  edit.SetEditValue(0, NumEditMode::Ascii, 1, 0, 0);
  edit.SetText(U"z");
  EXPECT_EQ(edit.EditValue(), 0x7Au);
  edit.SetText(U"");
  EXPECT_EQ(edit.EditValue(), 0u);
}

TEST_F(NumEdit, AHugeNumberNeverWrapsIntoTheRange) {
  edit.SetEditValue(0, NumEditMode::Decimal, 4, 0, 0);
  edit.SetText(U"4294967296");  // 2^32 would wrap to 0
  EXPECT_FALSE(edit.IsValid());
  EXPECT_EQ(edit.EditValue(), 0xFFFFFFFFu);
  edit.SetText(U"99999999999999999999999");
  EXPECT_FALSE(edit.IsValid());
}

TEST_F(NumEdit, FilterAllowsOnlyTheModesDigits) {
  edit.SetEditValue(0, NumEditMode::Binary, 1, 0, 0);
  edit.SetText(U"");
  EXPECT_TRUE(edit.FilterChar(U'1', false).has_value());
  EXPECT_FALSE(edit.FilterChar(U'2', false).has_value());
  edit.SetEditValue(0, NumEditMode::Octal, 1, 0, 0);
  EXPECT_TRUE(edit.FilterChar(U'7', true).has_value());
  EXPECT_FALSE(edit.FilterChar(U'8', true).has_value());
  edit.SetEditValue(0, NumEditMode::Decimal, 1, 0, 0);
  EXPECT_FALSE(edit.FilterChar(U'A', true).has_value());
}

TEST_F(NumEdit, AsciiModeTakesAnythingAndKeepsItsCase) {
  edit.SetEditValue(0x41, NumEditMode::Ascii, 1, 0, 0);
  EXPECT_FALSE(edit.UpperCase());
  EXPECT_EQ(edit.FilterChar(U'q', true), U'q');
  EXPECT_EQ(edit.FilterChar(U'#', true), U'#');
  edit.SetEditValue(0x41, NumEditMode::Hexadecimal, 1, 0, 0);
  EXPECT_TRUE(edit.UpperCase());
}

TEST_F(NumEdit, AsciiCharacterAboveAByteIsOutOfRange) {
  edit.SetEditValue(0x41, NumEditMode::Ascii, 1, 0, 0);
  edit.SetText(U"가");
  EXPECT_FALSE(edit.IsValid());
  edit.SetText(std::u32string(1, char32_t{0xE9}));
  EXPECT_TRUE(edit.IsValid());
  EXPECT_EQ(edit.EditValue(), 0xE9u);
}

}  // namespace
}  // namespace vantrell
