// The dump view driven with real mouse, wheel and key events, set up as the
// program's read windows set it up.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "gui/common/control_lookup.h"
#include "gui/controls/hexdump/dump_fonts.h"
#include "gui/controls/hexdump/dump_tip_window.h"
#include "gui/controls/hexdump/hex_dump_ctrl.h"
#include "gui/controls/hexdump/read_view_setup.h"
#include "gui/controls/num_edit.h"
#include "gui/support/gui_wait.h"
#include "support/recording_dump_notify.h"

namespace vantrell::gui {
namespace {

using test::DumpNotice;

// The view as the Read Master window places it.
constexpr int kViewId = control_id::read_master::kLeftView;

// Wide enough for 16 items per row, high enough for 5 rows.
QSize SixteenByFive(const CHexDumpCtrl& view) {
  const DumpMetrics m = DumpMetricsOfFont(view.font());
  const int frame = 2 * view.frameWidth();
  const int scrollBar = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &view);
  const int infoBarAndHeader = m.lineHeight + 2 * HexDumpLayout::kInfoBarFrame + m.lineHeight + 1;
  return {frame + scrollBar + (10 + 16 * 3) * m.charWidth, frame + infoBarAndHeader + 5 * m.lineHeight};
}

class HexDumpCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::iota(bytes.begin(), bytes.end(), 0);
    view = new CHexDumpCtrl(&window);
    view->setObjectName(ControlName(kViewId));
    SetUpReadView(*view, &notify);
    view->SetDumpData(static_cast<qint32>(bytes.size()), bytes.data(), nullptr);
    view->resize(SixteenByFive(*view));
    window.resize(view->size() + QSize(20, 20));
    view->move(10, 10);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(view->Layout().ItemsPerRow(), 16);
    ASSERT_EQ(view->Layout().VisibleRows(), 5);
    notify.notices.clear();
  }
  QPoint Cell(int area, int item) const {
    const DumpRect r = view->Layout().CellRect(area, item, view->Model().Top());
    return view->FromClient(QPoint(r.left + r.width / 2, r.top + r.height / 2));
  }
  QRect CellRect(int area, int item) const {
    const DumpRect r = view->Layout().CellRect(area, item, view->Model().Top());
    return QRect(view->FromClient(QPoint(r.left, r.top)), QSize(r.width, r.height));
  }

  std::vector<quint8> bytes = std::vector<quint8>(300);
  test::RecordingDumpNotify notify;
  QWidget window;
  CHexDumpCtrl* view = nullptr;
};

TEST_F(HexDumpCtrlTest, DragFromALaterToAnEarlierItemSelectsTheAscendingRangeAndNotifiesOnce) {
  QTest::mousePress(view, Qt::LeftButton, {}, Cell(18, 40));
  QTest::mouseMove(view, Cell(18, 33));
  QTest::mouseMove(view, Cell(18, 20));
  QTest::mouseRelease(view, Qt::LeftButton, {}, Cell(18, 20));
  EXPECT_EQ(view->SelectionRange(), (DumpSelection{20, 40}));
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x467, kViewId, 20, 40}}));
  EXPECT_EQ(SelectionClipboardText(*view).left(9), "14 15 16 ");

  notify.notices.clear();
  QTest::mouseClick(view, Qt::LeftButton, {}, Cell(18, 7));
  EXPECT_EQ(view->SelectionRange(), (DumpSelection{7, 7}));
  EXPECT_EQ(SelectionClipboardText(*view), "07 ");
  EXPECT_TRUE(notify.notices.empty());
}

TEST_F(HexDumpCtrlTest, TheContextMenuOpensOnlyOverValueCellsAndPostsItsCommand) {
  const DumpRect header = view->Layout().HeaderRow();
  const DumpRect infoBar = view->Layout().InfoBar();
  for (const QPoint& elsewhere : {Cell(17, 32), view->FromClient({header.left + 5, header.top + 3}),
                                  view->FromClient({infoBar.left + 20, infoBar.top + 5})}) {
    QTest::mouseClick(view, Qt::RightButton, {}, elsewhere);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }
  EXPECT_TRUE(notify.notices.empty());

  QString shown;
  QTimer::singleShot(50, [&shown] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    shown = menu->actions().first()->text();
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QTest::mouseClick(view, Qt::RightButton, {}, Cell(18, 0x25));
  EXPECT_EQ(shown, "Copy Selection");
  ASSERT_TRUE(test::WaitUntil([&] { return notify.notices.size() == 2; }));
  EXPECT_EQ(notify.notices,
            (std::vector<DumpNotice>{{0x466, kViewId, 18, 0x25}, {0, kViewId, kCopySelectionCommand, 0}}));
}

TEST_F(HexDumpCtrlTest, KeysWheelAndScrollBarMoveTheSameView) {
  view->setFocus();
  QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(view->Model().Cursor(), 299);
  EXPECT_EQ(view->Model().Top(), 224);
  EXPECT_TRUE(view->ScrollBar()->isVisible());
  EXPECT_EQ(view->ScrollBar()->maximum(), 14);
  EXPECT_EQ(view->ScrollBar()->value(), 14);
  QTest::keyClick(view, Qt::Key_Up);
  QTest::keyClick(view, Qt::Key_Home);
  EXPECT_EQ(view->Model().Cursor(), 272);
  QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(view->ScrollBar()->value(), 0);

  notify.notices.clear();
  const QPointF at = Cell(18, 0);
  QWheelEvent down(at, view->mapToGlobal(at), {}, {0, -360}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view, &down);  // three notches in one message: still one row
  EXPECT_EQ(view->Model().Top(), 16);
  EXPECT_EQ(view->ScrollBar()->value(), 1);
  view->ScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(view->Model().Top(), 96);
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x465, kViewId, 16, 0}, {0x465, kViewId, 96, 0}}));
}

TEST_F(HexDumpCtrlTest, ReadOnlyViewsEditOnlyTheAddressWhichMovesTheCursor) {
  QTest::mouseDClick(view, Qt::LeftButton, {}, Cell(18, 9));
  EXPECT_EQ(view->Editor(), nullptr);
  EXPECT_EQ(view->Model().Cursor(), 9);

  QTest::mouseDClick(view, Qt::LeftButton, {}, Cell(17, 48));
  CNumEdit* editor = view->findChild<CNumEdit*>("1");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->geometry(), CellRect(17, 48));
  EXPECT_EQ(editor->text(), "030");
  EXPECT_EQ(window.focusWidget(), editor);
  QTest::keyClicks(editor, "120");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(view->Editor(), nullptr);
  EXPECT_EQ(view->SelectionRange(), (DumpSelection{0x120, 0x120}));
  EXPECT_EQ(view->Model().Top(), 224);
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x465, kViewId, 224, 0}}));
}

TEST_F(HexDumpCtrlTest, AnEditedValueIsReportedAndTheBufferLeftAlone) {
  view->SetReadOnly(false);
  view->SetCursorItem(0x21);
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Return);
  ASSERT_NE(view->Editor(), nullptr);
  EXPECT_EQ(view->Editor()->geometry(), CellRect(18, 0x21));
  QTest::keyClicks(view->Editor(), "ab");
  QTest::keyClick(view->Editor(), Qt::Key_Right);  // commit and on to the next item
  ASSERT_NE(view->Editor(), nullptr);
  EXPECT_EQ(view->Editor()->geometry(), CellRect(18, 0x22));
  QTest::keyClick(view->Editor(), Qt::Key_Escape);
  EXPECT_EQ(view->Editor(), nullptr);
  EXPECT_EQ(notify.notices, (std::vector<DumpNotice>{{0x464, kViewId, 0x21, 0xAB}}));
  EXPECT_EQ(bytes[0x21], 0x21);
}

TEST_F(HexDumpCtrlTest, TheTipShowsOnTheSecondMoveOverAnItem) {
  QTest::mouseMove(view, Cell(18, 0x0A));
  EXPECT_FALSE(view->TipControl()->isVisible());
  QTest::mouseMove(view, Cell(18, 0x0A) + QPoint(1, 0));
  ASSERT_TRUE(view->TipControl()->isVisible());
  EXPECT_EQ(view->TipControl()->text().section('\n', 0, 0), "Address: 0x0000000A");
  EXPECT_EQ(view->TipControl()->text().section('\n', -1), "Ascii:  .");
  EXPECT_LE(view->TipControl()->width(), DumpTipWindow::kMaximumWidth);
  QTest::mouseMove(view, Cell(17, 0));
  EXPECT_FALSE(view->TipControl()->isVisible());
}

TEST_F(HexDumpCtrlTest, AnEmptyOrTooNarrowViewPaintsWithoutRows) {
  view->SetDumpData(0, nullptr, nullptr);
  EXPECT_FALSE(view->ScrollBar()->isVisible());
  EXPECT_EQ(view->Model().InfoFieldText(1), "00000000");
  EXPECT_FALSE(view->grab().isNull());
  view->SetDumpData(static_cast<qint32>(bytes.size()), bytes.data(), nullptr);
  view->resize(60, 300);
  EXPECT_EQ(view->Layout().ItemsPerRow(), 0);
  EXPECT_FALSE(view->ScrollBar()->isVisible());
  EXPECT_FALSE(view->grab().isNull());
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(30, 100));
  QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(view->Model().Cursor(), 299);
}

// A comparison as the Read Master window shows it: a reference differing in
// a few bytes. Saves the picture for a person to look at.
TEST(HexDumpCtrlPicture, DifferingBytesAreRedUnderAHeaderOfSixteenColumns) {
  std::vector<quint8> data(4096);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<quint8>((i * 37 + i / 16) & 0xFF);
  std::vector<quint8> reference = data;
  const int differing[] = {0x03, 0x1E, 0x2F, 0x30, 0x31, 0x5A};
  for (int i : differing) reference[static_cast<size_t>(i)] ^= 0x5A;
  test::RecordingDumpNotify notify;
  QWidget window;
  auto* view = new CHexDumpCtrl(&window);
  SetUpReadView(*view, &notify);
  view->SetDumpData(static_cast<qint32>(data.size()), data.data(), reference.data());
  const QSize size = SixteenByFive(*view) + QSize(0, 9 * DumpMetricsOfFont(view->font()).lineHeight);
  view->setGeometry(8, 8, size.width(), size.height());
  window.resize(size + QSize(16, 16));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_EQ(view->Layout().ItemsPerRow(), 16);
  auto cell = [&](int item) {
    const DumpRect r = view->Layout().CellRect(18, item, 0);
    return view->FromClient({r.left + r.width / 2, r.top + r.height / 2});
  };
  QTest::mousePress(view, Qt::LeftButton, {}, cell(0x22));
  QTest::mouseMove(view, cell(0x26));
  QTest::mouseRelease(view, Qt::LeftButton, {}, cell(0x26));

  const QImage image = view->grab().toImage();
  auto redPixels = [&](int item) {
    const DumpRect r = view->Layout().CellRect(18, item, 0);
    int red = 0;
    for (int y = r.top; y < r.Bottom(); ++y) {
      for (int x = r.left; x < r.Right(); ++x) {
        const QColor c = image.pixelColor(view->FromClient({x, y}));
        red += c.red() > 180 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
      }
    }
    return red;
  };
  // Any red at all: how many pixels a glyph gives depends on the font.
  for (int i : differing) EXPECT_GT(redPixels(i), 0) << i;
  EXPECT_EQ(redPixels(0x04), 0);
  EXPECT_EQ(redPixels(0x32), 0);
  const QString dir = QStringLiteral(VANTRELL_BIN_DIR) + "/screenshots";
  ASSERT_TRUE(QDir().mkpath(dir));
  EXPECT_TRUE(window.grab().save(dir + "/hex_dump_compare.png"));
}

}  // namespace
}  // namespace vantrell::gui
