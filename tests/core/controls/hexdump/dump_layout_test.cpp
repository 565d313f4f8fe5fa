// The dump view's geometry, computed without a display.
#include <gtest/gtest.h>

#include "core/controls/hexdump/dump_layout.h"

namespace vantrell {
namespace {

// Lines of 12 pixels, characters of 6, a scroll bar of 16: the address
// column takes 60 pixels and a byte's hexadecimal cell 18.
constexpr DumpMetrics kMetrics = DumpMetricsOf(10, 6);
constexpr std::uint32_t kReadViewStyle = 0x5D0B03;
constexpr int kSixteenPerRowWidth = 16 + 60 + 16 * 18;
// Info bar 16 (one line and the frame), header 12 and its line: rows from 29.
constexpr int kFiveRowsHeight = 29 + 5 * 12;

HexDumpLayout Layout(int width, int height, std::uint32_t style = kReadViewStyle) {
  return HexDumpLayout(DumpLayoutInput{kMetrics, width, height, 16, style});
}

TEST(DumpLayout, ThreeHundredItemsSixteenPerRow) {
  const HexDumpLayout layout = Layout(kSixteenPerRowWidth, kFiveRowsHeight);
  EXPECT_EQ(kMetrics.lineHeight, 12);
  EXPECT_EQ(layout.ItemsPerRow(), 16);
  EXPECT_EQ(Layout(kSixteenPerRowWidth - 1, kFiveRowsHeight).ItemsPerRow(), 15);
  EXPECT_EQ(layout.DataArea().top, 29);
  EXPECT_EQ(layout.VisibleRows(), 5);
  EXPECT_EQ(Layout(kSixteenPerRowWidth, kFiveRowsHeight + 11).VisibleRows(), 5);  // whole rows only
  EXPECT_EQ(layout.VisibleItems(), 80);
  EXPECT_TRUE(layout.NeedsScrollBar(300));
  EXPECT_EQ(layout.MaxScrollRow(300), 14);  // rows 14 to 18 show items 224 to 299
  EXPECT_EQ(layout.MaxScrollRow(288), 13);
  EXPECT_FALSE(layout.NeedsScrollBar(80));
  EXPECT_EQ(layout.MaxScrollRow(80), 0);
  EXPECT_FALSE(layout.NeedsScrollBar(0));
}

TEST(DumpLayout, AWindowTooNarrowForOneItemHasNoRowsAndNoScrollRange) {
  const HexDumpLayout layout = Layout(16 + 60 + 17, kFiveRowsHeight);
  EXPECT_EQ(layout.ItemsPerRow(), 0);
  EXPECT_EQ(layout.VisibleItems(), 0);
  EXPECT_FALSE(layout.NeedsScrollBar(300));
  EXPECT_EQ(layout.HitTest(70, 35, 0, 300), DumpHit{});
  EXPECT_TRUE(layout.CellRect(18, 0, 0).IsEmpty());
  // No value column at all is the same as no room.
  EXPECT_EQ(Layout(800, 200, kDumpAddressColumn).ItemsPerRow(), 0);
}

TEST(DumpLayout, InfoBarBreaksLinesAndDropsAFieldWiderThanTheBar) {
  const HexDumpLayout wide = Layout(kSixteenPerRowWidth, kFiveRowsHeight);
  ASSERT_EQ(wide.InfoFields().size(), 3u);
  EXPECT_EQ(wide.InfoBar().height, 12 + 4);
  EXPECT_EQ(wide.InfoFields()[2].rect.top, wide.InfoFields()[0].rect.top);
  EXPECT_EQ(wide.InfoField(1)->caption, "Addr:0x");
  EXPECT_EQ(wide.InfoField(1)->valueRect.left - wide.InfoField(1)->rect.left, 7 * 6);

  // 80 pixels inside the frame: "Addr:0x" and 8 digits (90) never fit,
  // "Hex:" and 2 digits do, "Bin:" and 8 digits go on a second line.
  const HexDumpLayout narrow = Layout(90, 200);
  ASSERT_EQ(narrow.InfoFields().size(), 2u);
  EXPECT_EQ(narrow.InfoField(1), nullptr);
  EXPECT_EQ(narrow.InfoFields()[0].area, 2);
  EXPECT_EQ(narrow.InfoFields()[1].area, 4);
  EXPECT_EQ(narrow.InfoFields()[1].rect.top, narrow.InfoFields()[0].rect.top + 12);
  EXPECT_EQ(narrow.InfoBar().height, 2 * 12 + 4);
  EXPECT_EQ(narrow.DataArea().top, narrow.InfoBar().height + 12 + 1);
}

TEST(DumpLayout, HitTestingFindsFieldsCellsAndRowAddresses) {
  const HexDumpLayout layout = Layout(kSixteenPerRowWidth, kFiveRowsHeight + 6);
  const int top = 16;
  const int thirdRow = 29 + 2 * 12 + 3;
  EXPECT_EQ(layout.HitTest(60 + 3 * 18 + 5, thirdRow, top, 300), (DumpHit{18, 16 + 32 + 3}));
  EXPECT_EQ(layout.HitTest(60 + 16 * 18 - 1, thirdRow, top, 300), (DumpHit{18, 16 + 32 + 15}));
  EXPECT_EQ(layout.HitTest(10, thirdRow, top, 300), (DumpHit{17, 48}));
  EXPECT_EQ(layout.HitTest(layout.InfoField(2)->rect.left + 1, 5, top, 300), (DumpHit{2, kDumpNoItem}));
  EXPECT_EQ(layout.HitTest(100, 20, top, 300), DumpHit{});                       // header row
  EXPECT_EQ(layout.HitTest(100, kFiveRowsHeight + 2, top, 300), DumpHit{});      // a part row
  EXPECT_EQ(layout.HitTest(kSixteenPerRowWidth - 5, thirdRow, top, 300), DumpHit{});  // scroll bar
  // The last row ends at item 299.
  EXPECT_EQ(layout.HitTest(60 + 13 * 18, 29 + 4 * 12, 224, 300), DumpHit{});
  EXPECT_EQ(layout.HitTest(60 + 11 * 18, 29 + 4 * 12, 224, 300), (DumpHit{18, 299}));
  EXPECT_EQ(layout.CellRect(18, 299, 224), (DumpRect{60 + 11 * 18, 29 + 4 * 12, 18, 12}));
  EXPECT_TRUE(layout.CellRect(18, 223, 224).IsEmpty());
  EXPECT_TRUE(layout.CellRect(18, 304, 224).IsEmpty());
}

TEST(DumpLayout, HexHeaderCaptionsSitOverTheirCells) {
  const HexDumpLayout layout = Layout(kSixteenPerRowWidth, kFiveRowsHeight);
  const std::vector<DumpCaption> captions = layout.HeaderCaptions();
  ASSERT_EQ(captions.size(), 17u);
  EXPECT_EQ(captions[0].text, "Address");
  std::string hexCaption;
  for (size_t i = 1; i < captions.size(); ++i) {
    EXPECT_EQ(captions[i].rect.left, layout.CellRect(18, static_cast<int>(i) - 1, 0).left);
    hexCaption += (i > 1 ? " " : "") + captions[i].text;
  }
  EXPECT_EQ(hexCaption, "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
  EXPECT_TRUE(Layout(800, 200, kDumpDefaultStyle).HeaderCaptions().empty());
}

TEST(DumpLayout, EveryColumnInWordModeSharesTheSameItemsPerRow) {
  // address 10 + per item 5 + 6 + 18 + 7 + 1 = 37 characters + the ASCII margin.
  const std::uint32_t style = kDumpColumnBits | kDumpWordMode;
  const int twoItems = 16 + (10 + 2 * 37 + 1) * 6;
  EXPECT_EQ(Layout(twoItems, 200, style).ItemsPerRow(), 2);
  EXPECT_EQ(Layout(twoItems - 1, 200, style).ItemsPerRow(), 1);
  const HexDumpLayout layout = Layout(twoItems, 200, style);
  EXPECT_EQ(layout.HitTest(layout.Column(22)->cellsLeft + 6, 5, 0, 10), (DumpHit{22, 1}));
  EXPECT_EQ(layout.HitTest(layout.Column(20)->cellsLeft + 18 * 6 + 1, 5, 0, 10), (DumpHit{20, 1}));
}

}  // namespace
}  // namespace vantrell
