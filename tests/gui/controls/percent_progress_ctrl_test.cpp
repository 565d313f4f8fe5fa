#include "gui/controls/percent_progress_ctrl.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include "gui/controls/colour_conversion.h"

namespace vantrell::gui {
namespace {

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

bool RegionHasColour(const QImage& image, const QRect& region, const QColor& colour) {
  for (int y = region.top(); y <= region.bottom(); ++y) {
    for (int x = region.left(); x <= region.right(); ++x) {
      if (image.pixelColor(x, y).rgb() == colour.rgb()) return true;
    }
  }
  return false;
}

// Text is antialiased: a glyph pixel shows its colour mixed with what is
// behind it, so the test looks for the channel that only the text brings.
bool RegionHasPixel(const QImage& image, const QRect& region, bool (*isText)(const QColor&)) {
  for (int y = region.top(); y <= region.bottom(); ++y) {
    for (int x = region.left(); x <= region.right(); ++x) {
      if (isText(image.pixelColor(x, y))) return true;
    }
  }
  return false;
}

bool RedText(const QColor& c) { return c.red() > 160 && c.green() < 100; }
bool GreenText(const QColor& c) { return c.green() > 160 && c.red() < 100; }

class PercentProgressCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar.resize(201, 20);
    bar.SetBarColour(0x990000);
    bar.SetBackgroundColour(0xFFFFFF);
    bar.SetTextColours(0x00FF00, 0x0000FF);  // green over the background, red over the bar
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
  }
  QImage Shot() { return bar.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  CPercentProgressCtrl bar;
};

TEST_F(PercentProgressCtrlTest, HalfOfTheRangeFillsHalfOfTheBar) {
  bar.SetRange(0, 100);
  bar.SetShowPercentage(true);
  bar.SetPosition(50);
  const QImage image = Shot();
  EXPECT_EQ(image.pixelColor(99, 1), QColor(0, 0, 153));
  EXPECT_EQ(image.pixelColor(100, 1), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(0, 19), QColor(0, 0, 153));
}

TEST_F(PercentProgressCtrlTest, TheTextOverTheBarIsDrawnInTheOtherColour) {
  bar.SetShowPercentage(true);
  bar.SetPosition(50);
  const QImage image = Shot();
  const QRect overBar(0, 0, 100, 20), overRest(100, 0, 101, 20);
  EXPECT_TRUE(RegionHasPixel(image, overBar, RedText));
  EXPECT_FALSE(RegionHasPixel(image, overBar, GreenText));
  EXPECT_TRUE(RegionHasPixel(image, overRest, GreenText));
  EXPECT_FALSE(RegionHasPixel(image, overRest, RedText));
}

TEST_F(PercentProgressCtrlTest, SamePixelWidthRepaintsNothing) {
  bar.SetRange(0, 1000);
  bar.SetPosition(10);  // 2.01 pixels
  PaintCounter counter(&bar);
  bar.SetPosition(10);
  bar.SetPosition(11);  // 2.21
  bar.SetPosition(14);  // 2.81
  EXPECT_EQ(counter.paints, 0);
  bar.SetPosition(15);  // 3.02 pixels, painted at once
  EXPECT_EQ(counter.paints, 1);
}

TEST_F(PercentProgressCtrlTest, SetPositionReturnsThePreviousOne) {
  EXPECT_EQ(bar.SetPosition(30), 0);
  EXPECT_EQ(bar.SetPosition(70), 30);
  EXPECT_EQ(bar.GetPosition(), 70);
}

TEST_F(PercentProgressCtrlTest, AResizeMakesTheNextPositionPaint) {
  bar.SetPosition(40);
  bar.resize(300, 20);
  QApplication::processEvents();
  PaintCounter counter(&bar);
  bar.SetPosition(40);
  EXPECT_EQ(counter.paints, 1);
}

TEST_F(PercentProgressCtrlTest, APositionAboveTheRangeFillsEverything) {
  bar.SetShowPercentage(true);
  bar.SetPosition(150);
  const QImage image = Shot();
  EXPECT_EQ(image.pixelColor(200, 1), QColor(0, 0, 153));
  EXPECT_FALSE(RegionHasPixel(image, image.rect(), GreenText));  // no background left for the text
}

TEST_F(PercentProgressCtrlTest, AnEmptyRangeDrawsNoBar) {
  bar.SetRange(10, 10);
  bar.SetShowPercentage(true);
  bar.SetPosition(10);
  const QImage image = Shot();
  EXPECT_FALSE(RegionHasColour(image, image.rect(), QColor(0, 0, 153)));
}

}  // namespace
}  // namespace vantrell::gui
