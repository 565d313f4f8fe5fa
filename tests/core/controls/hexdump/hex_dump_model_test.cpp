// The dump view's behaviour: keyboard, scrolling, drag selection, the
// in-place editor's rules and what the info bar and tooltip describe.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "core/controls/hexdump/hex_dump_model.h"
#include "support/recording_dump_notify.h"

namespace vantrell {
namespace {

using test::DumpNotice;

constexpr std::uint32_t kReadViewStyle = 0x5D0B03;
constexpr std::uint32_t kEditableStyle = kReadViewStyle & ~std::uint32_t{kDumpReadOnly};

// 300 items, 16 per row, 5 rows on screen.
class DumpModel : public ::testing::Test {
 protected:
  void SetUp() override {
    std::iota(bytes.begin(), bytes.end(), 0);
    model.SetNotify(&notify);
    model.SetViewId(1057);
    Configure(kReadViewStyle);
  }
  void Configure(std::uint32_t style) {
    model.SetDisplayStyle(style);
    model.SetDumpData(static_cast<std::int32_t>(bytes.size()), bytes.data(), nullptr);
    model.SetGeometry(16, 80);
    notify.notices.clear();
  }
  void At(int cursor) {
    model.SetCursorItem(cursor, true);
    notify.notices.clear();
  }

  std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(300);
  test::RecordingDumpNotify notify;
  HexDumpModel model;
};

TEST_F(DumpModel, KeyboardTable) {
  struct Case {
    int from;
    DumpMove move;
    int cursor;
    int top;
  } cases[] = {
      {0, DumpMove::NextItem, 1, 0},       {1, DumpMove::PreviousItem, 0, 0},
      {290, DumpMove::RowEnd, 299, 224},   {290, DumpMove::RowStart, 288, 224},
      {290, DumpMove::RowDown, 290, 224},  {20, DumpMove::RowUp, 4, 0},
      {5, DumpMove::PageDown, 85, 16},     {85, DumpMove::PageUp, 5, 0},
      {40, DumpMove::PageUp, 8, 0},        {7, DumpMove::LastItem, 299, 224},
      {150, DumpMove::FirstItem, 0, 0},    {15, DumpMove::RowEnd, 15, 0},
      {17, DumpMove::RowEnd, 31, 0},
      // Targets outside the items leave the cursor and only scroll: to the
      // last item unless the cursor is on the last row, to the top below 0.
      {250, DumpMove::PageDown, 250, 224}, {299, DumpMove::NextItem, 299, 224},
      {3, DumpMove::RowUp, 3, 0},
  };
  for (const Case& c : cases) {
    At(c.from);
    model.Move(c.move);
    EXPECT_EQ(model.Cursor(), c.cursor) << c.from << " move " << static_cast<int>(c.move);
    EXPECT_EQ(model.SelectionRange(), (DumpSelection{c.cursor, c.cursor}));
    EXPECT_EQ(model.Top(), c.top) << c.from << " move " << static_cast<int>(c.move);
  }
}

TEST_F(DumpModel, ScrollingIsClampedAndReportsEachNewTop) {
  model.ScrollToRow(3);
  model.ScrollToRow(3);
  model.ScrollByRows(100);
  model.ScrollByRows(-1);
  model.ScrollToRow(-4);
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x465, 1057, 48, 0},
                                                     {0x465, 1057, 224, 0},
                                                     {0x465, 1057, 208, 0},
                                                     {0x465, 1057, 0, 0}}));
  // A wider window keeps top on a row start and within the new range.
  model.ScrollToRow(14);
  model.SetGeometry(32, 160);
  EXPECT_EQ(model.Top(), 160);
  EXPECT_EQ(model.MaxScrollRow(), 5);
}

TEST_F(DumpModel, DragFromALaterToAnEarlierItemSelectsTheAscendingRangeOnce) {
  model.LeftButtonDown({18, 40});
  model.PointerMoved({18, 35});
  model.PointerMoved({17, 16});  // the address column does not select
  model.PointerMoved({18, 20});
  EXPECT_EQ(model.SelectionRange(), (DumpSelection{20, 40}));
  EXPECT_EQ(model.Cursor(), 20);
  model.LeftButtonUp();
  model.LeftButtonUp();
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x467, 1057, 20, 40}}));

  notify.notices.clear();
  model.LeftButtonDown({18, 7});  // a click selects one item and says nothing
  model.LeftButtonUp();
  model.LeftButtonDown({17, 16});  // nor does the address column
  EXPECT_EQ(model.SelectionRange(), (DumpSelection{7, 7}));
  EXPECT_TRUE(notify.notices.empty());

  Configure(kReadViewStyle & ~std::uint32_t{kDumpDragSelection});
  model.LeftButtonDown({18, 40});
  model.PointerMoved({18, 20});
  model.LeftButtonUp();
  EXPECT_EQ(model.SelectionRange(), (DumpSelection{40, 40}));
  EXPECT_TRUE(notify.notices.empty());
}

TEST_F(DumpModel, SetCursorItemIgnoresIndexesBeyondTheItems) {
  At(42);
  model.SetCursorItem(300, true);
  EXPECT_EQ(model.Cursor(), 42);
  model.SetCursorItem(-5, false);
  EXPECT_EQ(model.Cursor(), 0);
  model.SetCursorItem(299, false);
  EXPECT_EQ(model.Top(), 0);  // not scrolled when not asked
}

TEST_F(DumpModel, InfoBarDescribesTheEditedThenHoveredThenSelectedItem) {
  At(5);
  EXPECT_EQ(model.InfoFieldText(1), "00000005");
  model.PointerMoved({18, 0x41});
  EXPECT_EQ(model.InfoFieldText(2), "41");
  EXPECT_EQ(model.InfoFieldText(4), "01000001");
  model.PointerMoved({17, 0x20});
  EXPECT_EQ(model.InfoFieldText(2), "20");
  model.PointerMoved({2, kDumpNoItem});
  EXPECT_EQ(model.InfoFieldText(2), "05");
}

TEST_F(DumpModel, AnEmptyViewDescribesItemZeroAndIgnoresEverything) {
  model.SetDumpData(0, nullptr, nullptr);
  EXPECT_EQ(model.Count(), 0);
  EXPECT_EQ(model.InfoFieldText(1), "00000000");
  EXPECT_EQ(model.InfoFieldText(2), "00");
  EXPECT_EQ(model.MaxScrollRow(), 0);
  for (DumpMove move : {DumpMove::NextItem, DumpMove::LastItem, DumpMove::RowEnd, DumpMove::PageUp}) model.Move(move);
  model.SetCursorItem(0, true);
  EXPECT_EQ(model.SelectionRange(), (DumpSelection{0, 0}));
  EXPECT_TRUE(model.SelectedBytes().empty());
  EXPECT_FALSE(model.DoubleClick({17, 0}, std::nullopt));
  EXPECT_TRUE(notify.notices.empty());
}

TEST_F(DumpModel, TheTipIsBuiltOnANewItemAndShownOnTheNextMoveOverIt) {
  model.SetTipFormat("%H");
  EXPECT_EQ(model.PointerTip({18, 0x2A}), TipStep::Hide);
  EXPECT_EQ(model.TipText(), "2A");
  EXPECT_EQ(model.PointerTip({18, 0x2A}), TipStep::Show);
  EXPECT_EQ(model.PointerTip({17, 0x20}), TipStep::Hide);
  EXPECT_EQ(model.TipText(), "");
  EXPECT_EQ(model.PointerTip({18, 0x2A}), TipStep::Hide);
}

TEST_F(DumpModel, ReadOnlyViewsEditOnlyAddresses) {
  At(3);
  EXPECT_FALSE(model.DoubleClick({18, 9}, std::nullopt));
  EXPECT_EQ(model.Cursor(), 9);  // the double click still selects
  EXPECT_FALSE(model.OpenEditorForEnter());
  EXPECT_FALSE(model.OpenInfoEditor(DumpFormat::Hexadecimal));
  EXPECT_FALSE(model.EditorOpen());

  const auto request = model.DoubleClick({17, 48}, std::nullopt);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->mode, NumEditMode::Hexadecimal);
  EXPECT_EQ(request->byteSize, 0);
  EXPECT_EQ(request->maximum, 299u);
  EXPECT_EQ(request->value, 48u);
  EXPECT_FALSE(model.CommitEditor({300, true}));  // out of range: the editor stays
  EXPECT_TRUE(model.EditorOpen());
  EXPECT_FALSE(model.MoveEditor(7, {290, true}));  // address fields do not move
  EXPECT_TRUE(model.CommitEditor({290, true}));
  EXPECT_FALSE(model.EditorOpen());
  EXPECT_EQ(model.SelectionRange(), (DumpSelection{290, 290}));
  EXPECT_EQ(model.Top(), 224);
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x465, 1057, 224, 0}}));
}

TEST_F(DumpModel, EditedValuesAreReportedNotWritten) {
  Configure(kEditableStyle);
  At(0x10);
  auto request = model.OpenEditorForEnter();
  ASSERT_TRUE(request);
  EXPECT_EQ(request->area, 18);
  EXPECT_EQ(request->byteSize, 1);
  EXPECT_EQ(request->value, 0x10u);
  EXPECT_TRUE(model.CommitEditor({0x10, false}));  // unchanged: nothing to report
  ASSERT_TRUE(model.OpenEditorForEnter());
  EXPECT_TRUE(model.CommitEditor({0xAB, true}));
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x464, 1057, 0x10, 0xAB}}));
  EXPECT_EQ(bytes[0x10], 0x10);
}

TEST_F(DumpModel, EditorMovesCommitThenReopenForTheNewCursor) {
  Configure(kEditableStyle | kDumpAsciiColumn | kDumpInfoDec);
  At(0x11F);
  ASSERT_TRUE(model.OpenEditorForEnter());
  auto request = model.MoveEditor(7, {0x55, true});  // next item
  ASSERT_TRUE(request);
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x464, 1057, 0x11F, 0x55}, {0x465, 1057, 224, 0}}));
  EXPECT_EQ(request->area, 18);
  EXPECT_EQ(request->item, 0x120);
  request = model.MoveEditor(9, {0x20, false});  // a row down from the last row
  ASSERT_TRUE(request);
  EXPECT_EQ(request->item, 0x120);
  EXPECT_EQ(model.Top(), 224);
  request = model.MoveEditor(10, {0x20, false});  // next field: hexadecimal to ASCII
  ASSERT_TRUE(request);
  EXPECT_EQ(request->area, 22);
  EXPECT_EQ(request->mode, NumEditMode::Ascii);
  request = model.MoveEditor(10, {0x20, false});  // and round again
  ASSERT_TRUE(request);
  EXPECT_EQ(request->area, 18);
  EXPECT_FALSE(model.MoveEditor(7, {0x100, true}));  // out of range: nothing happens
  EXPECT_EQ(model.EditItem(), 0x120);

  // Ctrl+D in the editor: the Dec info field takes over, the text is dropped.
  request = model.ChangeEditorFormat(15);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->area, 3);
  EXPECT_EQ(request->mode, NumEditMode::Decimal);
  EXPECT_FALSE(model.ChangeEditorFormat(17));  // Oct is not shown
  model.PointerMoved({18, 3});
  EXPECT_EQ(model.CurrentItem(), 0x120);  // an info field editor outranks the hover
  EXPECT_EQ(notify.Of(0x464).size(), 1u);
}

TEST_F(DumpModel, DoubleClickCommitsAValueEditorAndDropsAnAddressText) {
  Configure(kEditableStyle);
  At(2);
  ASSERT_TRUE(model.OpenEditorForEnter());
  auto request = model.DoubleClick({18, 9}, DumpEditorText{0x77, true});
  ASSERT_TRUE(request);
  EXPECT_EQ(request->item, 9);
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x464, 1057, 2, 0x77}}));
  request = model.DoubleClick({17, 32}, DumpEditorText{0x78, true});  // commits the value at 9
  ASSERT_TRUE(request);
  EXPECT_EQ(request->area, 17);
  request = model.DoubleClick({1, kDumpNoItem}, DumpEditorText{100, true});  // address text dropped
  ASSERT_TRUE(request);
  EXPECT_EQ(request->area, 1);
  EXPECT_EQ(request->value, 9u);
  EXPECT_EQ(model.Cursor(), 9);
  EXPECT_EQ(notify.Of(0x464).size(), 2u);
}

}  // namespace
}  // namespace vantrell
