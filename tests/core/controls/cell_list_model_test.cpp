#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/controls/cell_list_model.h"

namespace vantrell {
namespace {

// Records what the list reports and answers its questions from a script.
struct RecordingEvents : CellListEvents {
  std::vector<std::pair<int, int>> clicks;
  std::vector<std::pair<int, int>> changedCells;
  std::vector<int> changedHeaders;
  std::vector<std::string> endedEdits;  // "<cancelled>" for a cancel
  bool allowEdit = true;
  bool acceptEdit = true;
  std::function<void(int, int)> onClick;

  void CellChanged(int row, int column) override { changedCells.emplace_back(row, column); }
  void HeaderChanged(int column) override { changedHeaders.push_back(column); }
  void CheckboxClicked(int row, int column) override {
    clicks.emplace_back(row, column);
    if (onClick) onClick(row, column);
  }
  bool BeginLabelEdit(int, int) override { return allowEdit; }
  bool EndLabelEdit(int, int, const std::string* text) override {
    endedEdits.push_back(text ? *text : "<cancelled>");
    return acceptEdit;
  }
};

constexpr int kEnColumn = 1;

// The download window's list: seven columns, a header box over "En".
class DownloadLikeList : public ::testing::Test {
 protected:
  void SetUp() override {
    list.SetEvents(&events);
    const char* captions[] = {"No.", "En", "Sector No.", "Progress", "File Name", "CheckSum", "File Path"};
    for (int c = 0; c < 7; ++c) {
      ColumnDescription column{captions[c], 80, ColumnAlign::Left, c == kEnColumn ? kChecked : 0};
      list.InsertColumn(c, column);
    }
  }
  int AddRow(int state) {
    const int row = list.InsertItem(list.RowCount(), std::to_string(list.RowCount() + 1));
    list.SetCheckbox(row, kEnColumn, state);
    return row;
  }

  RecordingEvents events;
  CellListModel list;
};

TEST_F(DownloadLikeList, HeaderBoxIsCheckedOnlyWhileEveryRowIsChecked) {
  EXPECT_EQ(list.GetHeaderCheckbox(kEnColumn), kChecked);
  AddRow(kChecked);
  EXPECT_EQ(list.GetHeaderCheckbox(kEnColumn), kChecked);
  const int second = AddRow(kUnchecked);
  EXPECT_EQ(list.GetHeaderCheckbox(kEnColumn), kUnchecked);
  list.SetCheckbox(second, kEnColumn, kChecked);
  EXPECT_EQ(list.GetHeaderCheckbox(kEnColumn), kChecked);
}

TEST_F(DownloadLikeList, ARowWithoutABoxKeepsTheHeaderUnchecked) {
  AddRow(kChecked);
  list.InsertItem(1, "2");  // no box in this row
  list.SetCheckbox(0, kEnColumn, kChecked);
  EXPECT_EQ(list.GetHeaderCheckbox(kEnColumn), kUnchecked);
}

TEST_F(DownloadLikeList, ClickingARowBoxTogglesReportsAndThenUpdatesTheHeader) {
  AddRow(kChecked);
  AddRow(kChecked);
  int headerSeenByParent = -1;
  events.onClick = [&](int, int) { headerSeenByParent = list.GetHeaderCheckbox(kEnColumn); };
  EXPECT_TRUE(list.ClickCheckbox(1, kEnColumn));
  EXPECT_EQ(list.GetCheckbox(1, kEnColumn), kUnchecked);
  ASSERT_EQ(events.clicks.size(), 1u);
  EXPECT_EQ(events.clicks[0], std::make_pair(1, kEnColumn));
  EXPECT_EQ(headerSeenByParent, kChecked);
  EXPECT_EQ(list.GetHeaderCheckbox(kEnColumn), kUnchecked);
  EXPECT_TRUE(list.Cell(1, kEnColumn)->modified);
  EXPECT_FALSE(list.Cell(0, kEnColumn)->modified);
  EXPECT_TRUE(list.IsModified());
}

TEST_F(DownloadLikeList, ToggleMakesUncheckedCheckedAndAnyOtherStateUnchecked) {
  AddRow(kUnchecked);
  list.ClickCheckbox(0, kEnColumn);
  EXPECT_EQ(list.GetCheckbox(0, kEnColumn), kChecked);
  list.ClickCheckbox(0, kEnColumn);
  EXPECT_EQ(list.GetCheckbox(0, kEnColumn), kUnchecked);
  list.SetCheckbox(0, kEnColumn, 7);
  list.ClickCheckbox(0, kEnColumn);
  EXPECT_EQ(list.GetCheckbox(0, kEnColumn), kUnchecked);
}

TEST_F(DownloadLikeList, ClickingACellWithoutABoxDoesNothing) {
  AddRow(kChecked);
  EXPECT_FALSE(list.ClickCheckbox(0, 2));
  EXPECT_TRUE(events.clicks.empty());
  EXPECT_FALSE(list.IsModified());
}

TEST_F(DownloadLikeList, HeaderClickReportsFirstThenSetsOnlyRowsThatHaveABox) {
  AddRow(kChecked);
  list.InsertItem(1, "no box");
  AddRow(kUnchecked);
  std::vector<int> statesSeenByParent;
  events.onClick = [&](int, int) {
    for (int row = 0; row < list.RowCount(); ++row) statesSeenByParent.push_back(list.GetCheckbox(row, kEnColumn));
  };
  ASSERT_EQ(list.GetHeaderCheckbox(kEnColumn), kUnchecked);
  EXPECT_TRUE(list.ClickHeaderCheckbox(kEnColumn));
  EXPECT_EQ(events.clicks, (std::vector<std::pair<int, int>>{{-1, kEnColumn}}));
  EXPECT_EQ(statesSeenByParent, (std::vector<int>{kChecked, kNoCheckbox, kUnchecked}));
  EXPECT_EQ(list.GetCheckbox(0, kEnColumn), kChecked);
  EXPECT_EQ(list.GetCheckbox(1, kEnColumn), kNoCheckbox);
  EXPECT_EQ(list.GetCheckbox(2, kEnColumn), kChecked);
  EXPECT_EQ(list.GetHeaderCheckbox(kEnColumn), kChecked);
  EXPECT_FALSE(list.Cell(1, kEnColumn)->modified);
  EXPECT_TRUE(list.Cell(2, kEnColumn)->modified);
}

TEST_F(DownloadLikeList, HeaderAndRowsAgreeWhateverTheParentDidDuringTheClick) {
  AddRow(kChecked);
  AddRow(kChecked);
  // The parent reacts to the click by setting rows itself, which re-evaluates
  // the header, or even empties the list.
  events.onClick = [&](int, int) { list.SetCheckbox(0, kEnColumn, kChecked); };
  list.ClickHeaderCheckbox(kEnColumn);
  EXPECT_EQ(list.GetHeaderCheckbox(kEnColumn), kUnchecked);
  EXPECT_EQ(list.GetCheckbox(0, kEnColumn), kUnchecked);
  EXPECT_EQ(list.GetCheckbox(1, kEnColumn), kUnchecked);

  events.onClick = [&](int, int) { list.DeleteAllItems(); };
  EXPECT_TRUE(list.ClickHeaderCheckbox(kEnColumn));
  EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(DownloadLikeList, AHeaderWithoutABoxIgnoresClicks) {
  EXPECT_FALSE(list.ClickHeaderCheckbox(2));
  EXPECT_FALSE(list.ClickHeaderCheckbox(99));
  EXPECT_TRUE(events.clicks.empty());
}

TEST_F(DownloadLikeList, IndexesOutsideTheListDoNothing) {
  AddRow(kChecked);
  EXPECT_FALSE(list.SetItemText(1, 0, "x"));
  EXPECT_FALSE(list.SetItemText(0, 7, "x"));
  EXPECT_FALSE(list.SetItemText(-1, 0, "x"));
  EXPECT_FALSE(list.SetCheckbox(5, kEnColumn, kChecked));
  EXPECT_EQ(list.GetCheckbox(0, 9), kNoCheckbox);
  EXPECT_FALSE(list.GetItemColours(0, -1).has_value());
  EXPECT_FALSE(list.SetItemColours(0, -2, 1, 2));
  EXPECT_FALSE(list.UpdateProgress(3, 3, 50));
  EXPECT_FALSE(list.SetProgress(0, 8, true));
  EXPECT_FALSE(list.SetEditable(2, 2));
  EXPECT_FALSE(list.DeleteItem(1));
  EXPECT_FALSE(list.SetHeaderTextColour(7, 0xFF0000));
  EXPECT_EQ(list.GetItemText(0, 7), "");
  EXPECT_EQ(list.InsertItem(-1, "x"), -1);
  EXPECT_EQ(list.RowCount(), 1);
}

TEST_F(DownloadLikeList, InsertingBeyondTheEndAppends) {
  EXPECT_EQ(list.InsertItem(10, "a"), 0);
  EXPECT_EQ(list.InsertItem(10, "b"), 1);
  EXPECT_EQ(list.InsertItem(0, "c"), 0);
  EXPECT_EQ(list.GetItemText(0, 0), "c");
  EXPECT_EQ(list.GetItemText(2, 0), "b");
  EXPECT_EQ(list.InsertColumn(99, {"Extra"}), 7);
  EXPECT_EQ(list.GetItemText(2, 7), "");  // existing rows got the new cell
}

TEST_F(DownloadLikeList, ColoursFollowTheRowAndTheListDefaults) {
  AddRow(kChecked);
  const CellColours defaults = list.DefaultColours();
  EXPECT_EQ(list.GetItemColours(0, 3), defaults);
  list.SetItemColours(0, -1, kListDefaultColour, MakeColour(200, 200, 200));
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(list.GetItemColours(0, c), (CellColours{defaults.text, MakeColour(200, 200, 200)}));
  }
  const std::string sector = "12";
  list.SetItemText(0, 2, &sector, 0x0000FF, kListDefaultColour);
  EXPECT_EQ(list.GetItemText(0, 2), "12");
  EXPECT_EQ(list.GetItemColours(0, 2), (CellColours{0x0000FF, defaults.background}));
  list.SetItemText(0, 2, nullptr, kListDefaultColour, kListDefaultColour);
  EXPECT_EQ(list.GetItemText(0, 2), "12");  // no text keeps the old one
  EXPECT_EQ(list.GetItemColours(0, 2), defaults);
}

TEST_F(DownloadLikeList, UpdateProgressAtZeroShowsTheGreyCellWithZeroPercent) {
  AddRow(kChecked);
  list.SetProgress(0, 3, true);
  list.UpdateProgress(0, 3, 0);
  const ProgressCellPaint paint = list.LayoutProgressCell(0, 3, 160);
  EXPECT_EQ(paint.barWidth, 0);
  EXPECT_EQ(paint.text, "0%");
  events.changedCells.clear();
  list.UpdateProgress(0, 3, 50);
  EXPECT_EQ(events.changedCells, (std::vector<std::pair<int, int>>{{0, 3}}));
  EXPECT_EQ(list.LayoutProgressCell(0, 3, 161).barWidth, 80);  // (161 - 1) * 50 / 100
  EXPECT_EQ(list.LayoutProgressCell(0, 3, 161).text, "50%");
}

TEST_F(DownloadLikeList, ProgressCellsHonourTheirFormatAndTextFlag) {
  AddRow(kChecked);
  list.SetProgress(0, 3, true, "%d %% done");
  list.UpdateProgress(0, 3, 100);
  EXPECT_EQ(list.LayoutProgressCell(0, 3, 101).text, "100 % done");
  EXPECT_EQ(list.LayoutProgressCell(0, 3, 101).barWidth, 100);
  list.SetProgress(0, 3, false);
  list.UpdateProgress(0, 3, 30);
  EXPECT_EQ(list.LayoutProgressCell(0, 3, 101).text, "");
  EXPECT_EQ(list.LayoutProgressCell(0, 4, 101).barWidth, 0);  // not a progress cell
}

TEST_F(DownloadLikeList, AnEditOpensOnlyOnEditableCellsThatTheParentAllows) {
  AddRow(kChecked);
  EXPECT_FALSE(list.BeginEdit(0, 2));
  list.SetEditable(0, 2);
  events.allowEdit = false;
  EXPECT_FALSE(list.BeginEdit(0, 2));
  EXPECT_FALSE(list.IsEditing());
  events.allowEdit = true;
  EXPECT_TRUE(list.BeginEdit(0, 2));
  EXPECT_TRUE(list.IsEditing());
}

TEST_F(DownloadLikeList, AnAcceptedEditChangesTheTextAndMarksItModified) {
  AddRow(kChecked);
  list.SetItemText(0, 2, "0");
  list.SetEditable(0, 2);
  list.BeginEdit(0, 2);
  const std::string text = "16";
  EXPECT_TRUE(list.EndEdit(&text));
  EXPECT_EQ(list.GetItemText(0, 2), "16");
  EXPECT_TRUE(list.Cell(0, 2)->modified);
  EXPECT_TRUE(list.IsModified());
  EXPECT_FALSE(list.IsEditing());
  EXPECT_FALSE(list.EndEdit(&text));  // nothing open any more
}

TEST_F(DownloadLikeList, ARefusedOrCancelledEditKeepsTheText) {
  AddRow(kChecked);
  list.SetItemText(0, 2, "0");
  list.SetEditable(0, 2);
  list.BeginEdit(0, 2);
  events.acceptEdit = false;
  const std::string text = "abc";
  list.EndEdit(&text);
  EXPECT_EQ(list.GetItemText(0, 2), "0");
  events.acceptEdit = true;
  list.BeginEdit(0, 2);
  list.EndEdit(nullptr);
  EXPECT_EQ(list.GetItemText(0, 2), "0");
  EXPECT_EQ(events.endedEdits, (std::vector<std::string>{"abc", "<cancelled>"}));
  EXPECT_FALSE(list.IsModified());
}

TEST_F(DownloadLikeList, AnUnchangedAcceptedEditIsNotAModification) {
  AddRow(kChecked);
  list.SetItemText(0, 2, "5");
  list.SetEditable(0, 2);
  list.BeginEdit(0, 2);
  const std::string text = "5";
  list.EndEdit(&text);
  EXPECT_FALSE(list.Cell(0, 2)->modified);
}

TEST_F(DownloadLikeList, AnEditFollowsItsRowWhenRowsAreInsertedOrDeleted) {
  AddRow(kChecked);
  AddRow(kChecked);
  list.SetEditable(1, 2);
  list.BeginEdit(1, 2);
  list.DeleteItem(0);
  const std::string text = "8";
  list.EndEdit(&text);
  EXPECT_EQ(list.GetItemText(0, 2), "8");

  list.SetEditable(0, 2);
  list.BeginEdit(0, 2);
  list.DeleteItem(0);  // the edited row itself
  EXPECT_FALSE(list.IsEditing());
}

TEST_F(DownloadLikeList, AParentDeletingRowsWhileAnsweringTheEditDoesNotMisplaceTheText) {
  AddRow(kChecked);
  AddRow(kChecked);
  list.SetEditable(1, 2);
  list.BeginEdit(1, 2);
  struct DeletingEvents : RecordingEvents {
    CellListModel* list = nullptr;
    bool EndLabelEdit(int, int, const std::string*) override {
      list->DeleteItem(0);
      return true;
    }
  } deleting;
  deleting.list = &list;
  list.SetEvents(&deleting);
  const std::string text = "9";
  list.EndEdit(&text);
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.GetItemText(0, 2), "9");
}

TEST(CellListModel, EmptyMessageDefaultsAndItsColour) {
  SystemColours system;
  system.windowText = 0x123456;
  CellListModel list(system);
  EXPECT_EQ(list.EmptyMessage(), "There are no items to show in this view.");
  EXPECT_EQ(list.EmptyMessageColour(), 0x123456u);
  list.SetEmptyMessage("[Load Files] button click to download\r\n\r\n[Mouse Drag & Drop] to download");
  EXPECT_EQ(list.EmptyMessage(), "[Load Files] button click to download\r\n\r\n[Mouse Drag & Drop] to download");
  EXPECT_EQ(list.EmptyMessageColour(), MakeColour(0, 70, 220));
}

TEST(CellListModel, TooltipsAreCutAt80CharactersWithoutSplittingHangul) {
  CellListModel list;
  list.InsertColumn(0, {"File Path"});
  list.InsertItem(0, std::string(100, 'a'));
  EXPECT_EQ(list.CellTooltip(0, 0), std::string(80, 'a'));
  std::string hangul;
  for (int i = 0; i < 85; ++i) hangul += "가";
  list.SetItemText(0, 0, hangul);
  std::string expected;
  for (int i = 0; i < 80; ++i) expected += "가";
  EXPECT_EQ(list.CellTooltip(0, 0), expected);
  EXPECT_EQ(list.CellTooltip(1, 0), "");
}

TEST(CellListModel, HeaderCaptionColourForOneOrAllColumns) {
  CellListModel list;
  list.InsertColumn(0, {"A"});
  list.InsertColumn(1, {"B"});
  EXPECT_FALSE(list.Column(0)->captionColour.has_value());
  list.SetHeaderTextColour(-1, 0xFF0000);
  EXPECT_EQ(list.Column(0)->captionColour, 0xFF0000u);
  EXPECT_EQ(list.Column(1)->captionColour, 0xFF0000u);
  list.SetHeaderTextColour(1, 0x00FF00);
  EXPECT_EQ(list.Column(0)->captionColour, 0xFF0000u);
  EXPECT_EQ(list.Column(1)->captionColour, 0x00FF00u);
}

TEST(CellListModel, ColumnHeaderBoxComesFromTheImageIndex) {
  CellListModel list;
  list.InsertColumn(0, {"A", 50, ColumnAlign::Left, 1});
  list.InsertColumn(1, {"B", 50, ColumnAlign::Left, 2});
  list.InsertColumn(2, {"C", 50, ColumnAlign::Left, 5});
  EXPECT_EQ(list.GetHeaderCheckbox(0), kUnchecked);
  EXPECT_EQ(list.GetHeaderCheckbox(1), kChecked);
  EXPECT_EQ(list.GetHeaderCheckbox(2), kNoCheckbox);
}

}  // namespace
}  // namespace vantrell
