#include "gui/controls/cell_list_ctrl.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/common/control_lookup.h"
#include "gui/controls/cell_geometry.h"
#include "gui/controls/cell_header_ctrl.h"
#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {
namespace {

// The list as the download window places it.
constexpr int kListId = control_id::down_window::kFileList;
constexpr int kEn = 1;
constexpr int kSector = 2;
constexpr int kProgress = 3;

// The download window's list: seven columns, boxes in "En", a progress cell.
class CellListCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.setObjectName(ControlName(kListId));
    list.resize(700, 200);
    const char* captions[] = {"No.", "En", "Sector No.", "Progress", "File Name", "CheckSum", "File Path"};
    const int widths[] = {35, 50, 85, 160, 220, 105, 700};
    for (int c = 0; c < 7; ++c) {
      list.InsertColumn(c, captions[c], widths[c], c == kProgress ? ColumnAlign::Centre : ColumnAlign::Left,
                        c == kEn ? kChecked : 0);
    }
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  }
  int AddRow(int state = kChecked) {
    const int row = list.InsertItem(list.GetItemCount(), QString::number(list.GetItemCount() + 1));
    list.SetCheckbox(row, kEn, state);
    list.SetItemText(row, kSector, "0");
    list.SetEditable(row, kSector);
    list.SetProgress(row, kProgress, true);
    return row;
  }
  QRect CellRect(int row, int column) { return list.visualRect(list.model()->index(row, column)); }
  void ClickCell(int row, int column) { QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CellRect(row, column).center()); }
  void ClickBox(int row, int column) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CheckboxRect(CellRect(row, column), list.style()).center());
  }
  QImage Shot() { return list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  CCellListCtrl list;
};

TEST_F(CellListCtrlTest, ClickingARowBoxTogglesItAndSignalsRowColumnAndListId) {
  AddRow();
  AddRow();
  QSignalSpy clicked(&list, &CCellListCtrl::CheckboxClicked);
  ClickBox(1, kEn);
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked[0][0].toInt(), 1);
  EXPECT_EQ(clicked[0][1].toInt(), kEn);
  EXPECT_EQ(clicked[0][2].toInt(), kListId);
  EXPECT_EQ(list.GetCheckbox(1, kEn), kUnchecked);
  EXPECT_EQ(list.GetHeaderCheckbox(kEn), kUnchecked);
  EXPECT_TRUE(list.IsModified());
}

TEST_F(CellListCtrlTest, ClickingBesideTheBoxDoesNotToggle) {
  AddRow();
  QSignalSpy clicked(&list, &CCellListCtrl::CheckboxClicked);
  const QRect cell = CellRect(0, kEn);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(cell.right() - 2, cell.center().y()));
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(list.GetCheckbox(0, kEn), kChecked);
}

TEST_F(CellListCtrlTest, HeaderBoxClickReportsRowMinusOneThenSetsRowsWithABox) {
  AddRow(kChecked);
  AddRow(kUnchecked);
  list.InsertItem(2, "3");  // a row without a box
  QSignalSpy clicked(&list, &CCellListCtrl::CheckboxClicked);
  QSignalSpy columnClicked(&list, &CCellListCtrl::ColumnClicked);
  std::vector<int> rowsSeen;
  QObject::connect(&list, &CCellListCtrl::CheckboxClicked, [&](int, int column, int) {
    for (int row = 0; row < list.GetItemCount(); ++row) rowsSeen.push_back(list.GetCheckbox(row, column));
  });
  ASSERT_EQ(list.GetHeaderCheckbox(kEn), kUnchecked);
  QTest::mouseClick(list.Header()->viewport(), Qt::LeftButton, {}, list.Header()->SectionCheckboxRect(kEn).center());
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked[0][0].toInt(), -1);
  EXPECT_EQ(clicked[0][1].toInt(), kEn);
  EXPECT_EQ(rowsSeen, (std::vector<int>{kChecked, kUnchecked, kNoCheckbox}));
  EXPECT_EQ(list.GetCheckbox(1, kEn), kChecked);
  EXPECT_EQ(list.GetCheckbox(2, kEn), kNoCheckbox);
  EXPECT_EQ(list.GetHeaderCheckbox(kEn), kChecked);
  EXPECT_EQ(columnClicked.count(), 0);
}

TEST_F(CellListCtrlTest, ACaptionClickIsAColumnClick) {
  QSignalSpy columnClicked(&list, &CCellListCtrl::ColumnClicked);
  const int x = list.Header()->sectionViewportPosition(kSector) + 40;
  QTest::mouseClick(list.Header()->viewport(), Qt::LeftButton, {}, QPoint(x, list.Header()->height() / 2));
  ASSERT_EQ(columnClicked.count(), 1);
  EXPECT_EQ(columnClicked[0][0].toInt(), kSector);
}

TEST_F(CellListCtrlTest, AnEditableCellOpensAnEditAndTheParentAcceptsTheText) {
  AddRow();
  QObject::connect(&list, &CCellListCtrl::EndLabelEdit,
                   [](int, int, const QString& text, bool cancelled, bool* accept) {
                     *accept = !cancelled && text.toInt() < 100;
                   });
  ClickCell(0, kSector);
  auto* editor = list.viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "0");
  editor->selectAll();
  QTest::keyClicks(editor, "42");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the edit commits once the key is handled
  EXPECT_EQ(list.GetItemText(0, kSector), "42");
  EXPECT_TRUE(list.Model().Cell(0, kSector)->modified);

  ClickCell(0, kSector);
  editor = list.viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "500");  // the parent refuses it
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(list.GetItemText(0, kSector), "42");
}

TEST_F(CellListCtrlTest, EscapeCancelsTheEditAndTellsTheParent) {
  AddRow();
  QSignalSpy ended(&list, &CCellListCtrl::EndLabelEdit);
  ClickCell(0, kSector);
  auto* editor = list.viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "7");
  QTest::keyClick(editor, Qt::Key_Escape);
  ASSERT_EQ(ended.count(), 1);
  EXPECT_TRUE(ended[0][3].toBool());
  EXPECT_EQ(list.GetItemText(0, kSector), "0");
  EXPECT_FALSE(list.Model().IsEditing());
}

TEST_F(CellListCtrlTest, AParentCanRefuseToOpenTheEdit) {
  AddRow();
  QObject::connect(&list, &CCellListCtrl::BeginLabelEdit, [](int, int, bool* refuse) { *refuse = true; });
  ClickCell(0, kSector);
  EXPECT_EQ(list.viewport()->findChild<QLineEdit*>(), nullptr);
  ClickCell(0, 4);  // not editable at all
  EXPECT_EQ(list.viewport()->findChild<QLineEdit*>(), nullptr);
}

TEST_F(CellListCtrlTest, ProgressAtZeroShowsTheGreyCell) {
  AddRow();
  list.UpdateProgress(0, kProgress, 0);
  QApplication::processEvents();
  const QRect cell = CellRect(0, kProgress);
  const QImage image = Shot();
  EXPECT_EQ(image.pixelColor(cell.left() + 3, cell.top() + 2), ToQColor(kProgressCellGrey));
  EXPECT_EQ(image.pixelColor(cell.right() - 3, cell.top() + 2), ToQColor(kProgressCellGrey));
  EXPECT_EQ(list.Model().LayoutProgressCell(0, kProgress, cell.width()).text, "0%");
}

TEST_F(CellListCtrlTest, ProgressFillsTheCellFromTheLeft) {
  AddRow();
  list.UpdateProgress(0, kProgress, 50);
  QApplication::processEvents();
  const QRect cell = CellRect(0, kProgress);
  const QImage image = Shot();
  const QColor bar = ToQColor(list.Model().ProgressBarColour());
  EXPECT_EQ(image.pixelColor(cell.left() + 3, cell.top() + 2), bar);
  EXPECT_EQ(image.pixelColor(cell.right() - 3, cell.top() + 2), ToQColor(kProgressCellGrey));
}

// Calls UpdateProgress whenever the list's viewport is about to paint.
class ProgressDuringPaint : public QObject {
 public:
  explicit ProgressDuringPaint(CCellListCtrl& list) : list_(list) { list.viewport()->installEventFilter(this); }
  int calls = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && calls < 5) list_.UpdateProgress(0, kProgress, ++calls * 10);
    return false;
  }

 private:
  CCellListCtrl& list_;
};

TEST_F(CellListCtrlTest, UpdateProgressIsSafeWhileTheListPaints) {
  AddRow();
  ProgressDuringPaint updater(list);
  list.viewport()->repaint();
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
  EXPECT_GE(updater.calls, 1);
  EXPECT_EQ(list.Model().Cell(0, kProgress)->progressPercent, updater.calls * 10);
}

TEST_F(CellListCtrlTest, AnEmptyListShowsItsMessageInItsColour) {
  list.SetEmptyMessage("[Load Files] button click to download\r\n\r\n[Mouse Drag & Drop] to download");
  QApplication::processEvents();
  const QImage image = Shot();
  bool found = false;
  for (int y = 10; y < 60 && !found; ++y) {
    for (int x = 0; x < image.width() && !found; ++x) found = image.pixelColor(x, y) == QColor(0, 70, 220);
  }
  EXPECT_TRUE(found);
  AddRow();
  QApplication::processEvents();
  const QImage filled = Shot();
  for (int x = 0; x < filled.width(); ++x) ASSERT_NE(filled.pixelColor(x, 40), QColor(0, 70, 220));
}

TEST_F(CellListCtrlTest, RowColoursArePainted) {
  AddRow();
  AddRow();
  list.SetItemColours(1, -1, kListDefaultColour, MakeColour(200, 200, 200));
  list.clearSelection();
  QApplication::processEvents();
  const QImage image = Shot();
  const QRect cell = CellRect(1, 4);
  EXPECT_EQ(image.pixelColor(cell.right() - 2, cell.center().y()), QColor(200, 200, 200));
  EXPECT_EQ(image.pixelColor(CellRect(0, 4).right() - 2, CellRect(0, 4).center().y()), QColor(Qt::white));
}

TEST_F(CellListCtrlTest, TooltipsAreTheCellTextCutAt80Characters) {
  AddRow();
  list.SetItemText(0, 6, QString(120, 'p'));
  const QVariant tip = list.model()->data(list.model()->index(0, 6), Qt::ToolTipRole);
  EXPECT_EQ(tip.toString(), QString(80, 'p'));
  EXPECT_FALSE(list.model()->data(list.model()->index(0, 5), Qt::ToolTipRole).isValid());
}

TEST_F(CellListCtrlTest, DeletingRowsKeepsColumnWidths) {
  AddRow();
  list.DeleteAllItems();
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(list.Header()->sectionSize(kProgress), 160);
  EXPECT_FALSE(list.DeleteItem(0));
}

TEST_F(CellListCtrlTest, SelectedRowsAreReported) {
  AddRow();
  AddRow();
  AddRow();
  ClickCell(0, 4);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, CellRect(2, 4).center());
  EXPECT_EQ(list.GetSelectedRows(), (std::vector<int>{0, 2}));
}

}  // namespace
}  // namespace vantrell::gui
