#include <gtest/gtest.h>

#include "core/controls/percent_progress_model.h"
#include "core/controls/percent_text.h"

namespace vantrell {
namespace {

PercentProgressModel AttachedBar(int width) {
  PercentProgressModel bar;
  bar.Attach(width);
  return bar;
}

TEST(PercentProgressModel, HalfOfTheRangeOnA201PixelBarDraws100PixelsAnd50Percent) {
  PercentProgressModel bar = AttachedBar(201);
  bar.SetShowPercentage(true);
  bar.SetPosition(50);
  const ProgressBarPaint paint = bar.Layout(201);
  EXPECT_FALSE(paint.drawsNothing);
  EXPECT_EQ(paint.barWidth, 100);
  EXPECT_EQ(paint.text, "50%");
}

TEST(PercentProgressModel, PercentagesAreExactEvenWhereFloatingPointRoundsDown) {
  PercentProgressModel bar = AttachedBar(100);
  bar.SetShowPercentage(true);
  for (int position : {29, 57, 58}) {
    bar.SetPosition(position);
    EXPECT_EQ(bar.Layout(100).text, std::to_string(position) + "%");
    EXPECT_EQ(bar.Layout(100).barWidth, position);
  }
}

TEST(PercentProgressModel, RepaintsOnlyWhenTheBarChangesByAPixel) {
  PercentProgressModel bar = AttachedBar(50);
  EXPECT_TRUE(bar.SetPosition(0).repaint);  // first draw after attaching
  EXPECT_FALSE(bar.SetPosition(0).repaint);
  EXPECT_FALSE(bar.SetPosition(1).repaint);  // 0.5 pixel
  EXPECT_TRUE(bar.SetPosition(2).repaint);   // 1 pixel
  EXPECT_FALSE(bar.SetPosition(3).repaint);
  EXPECT_EQ(bar.Position(), 3);
  EXPECT_TRUE(bar.SetPosition(0).repaint);  // shrinking counts too
}

TEST(PercentProgressModel, SetPositionReturnsThePreviousPosition) {
  PercentProgressModel bar = AttachedBar(100);
  EXPECT_EQ(bar.SetPosition(10).previous, 0);
  EXPECT_EQ(bar.SetPosition(20).previous, 10);
}

TEST(PercentProgressModel, WithoutAWindowSetPositionStoresNothingAndReturnsMinusOne) {
  PercentProgressModel bar;
  const auto change = bar.SetPosition(40);
  EXPECT_EQ(change.previous, -1);
  EXPECT_FALSE(change.repaint);
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_FALSE(bar.SetShowPercentage(true));  // no window to invalidate
  EXPECT_TRUE(bar.ShowPercentage());          // but the flag is kept
}

TEST(PercentProgressModel, AResizeMakesTheNextPositionRedraw) {
  PercentProgressModel bar = AttachedBar(100);
  bar.SetPosition(30);
  EXPECT_FALSE(bar.SetPosition(30).repaint);
  bar.Resize(100);
  EXPECT_EQ(bar.LastBarWidth(), PercentProgressModel::kNotDrawn);
  EXPECT_TRUE(bar.SetPosition(30).repaint);
}

TEST(PercentProgressModel, APositionAboveTheRangeDrawsPastTheEnd) {
  PercentProgressModel bar = AttachedBar(100);
  bar.SetShowPercentage(true);
  bar.SetPosition(150);
  EXPECT_EQ(bar.Layout(100).barWidth, 150);
  EXPECT_EQ(bar.Layout(100).text, "150%");
}

TEST(PercentProgressModel, APositionBelowTheRangeDrawsNoBar) {
  PercentProgressModel bar = AttachedBar(100);
  bar.SetShowPercentage(true);
  bar.SetRange(10, 20);
  bar.SetPosition(5);
  EXPECT_EQ(bar.Layout(100).barWidth, 0);
  EXPECT_EQ(bar.Layout(100).text, "-50%");
}

TEST(PercentProgressModel, AnEmptyRangeDrawsNothingAndNeverDividesByZero) {
  PercentProgressModel bar = AttachedBar(100);
  bar.SetShowPercentage(true);
  bar.SetRange(5, 5);
  EXPECT_TRUE(bar.SetPosition(7).repaint);
  EXPECT_FALSE(bar.SetPosition(9).repaint);
  EXPECT_TRUE(bar.Layout(100).drawsNothing);
  bar.SetRange(9, 3);
  EXPECT_TRUE(bar.Layout(100).drawsNothing);
}

TEST(PercentProgressModel, ExtremeRangesDoNotOverflow) {
  PercentProgressModel bar = AttachedBar(1000);
  bar.SetShowPercentage(true);
  bar.SetRange(-2147483647 - 1, 2147483647);
  bar.SetPosition(2147483647);
  EXPECT_EQ(bar.Layout(1000).barWidth, 1000);
  EXPECT_EQ(bar.Layout(1000).text, "100%");
}

TEST(PercentProgressModel, TheTextIsHiddenUntilTurnedOn) {
  PercentProgressModel bar = AttachedBar(100);
  bar.SetPosition(50);
  EXPECT_EQ(bar.Layout(100).text, "");
  EXPECT_TRUE(bar.SetShowPercentage(true));
  EXPECT_FALSE(bar.SetShowPercentage(true));  // no change, no repaint
}

TEST(PercentProgressModel, ColourDefaultsComeFromTheThemeAndSettersOverrideThem) {
  SystemColours system;
  system.highlight = 0x112233;
  system.buttonFace = 0x445566;
  system.window = 0x778899;
  PercentProgressModel bar(system);
  EXPECT_EQ(bar.Colours().bar, 0x112233u);
  EXPECT_EQ(bar.Colours().background, 0x445566u);
  EXPECT_EQ(bar.Colours().textOverBackground, 0x112233u);
  EXPECT_EQ(bar.Colours().textOverBar, 0x778899u);
  bar.SetBarColour(0x990000);
  bar.SetBackgroundColour(0xFFFFFF);
  EXPECT_EQ(bar.Layout(10).colours.bar, 0x990000u);
  EXPECT_EQ(bar.Layout(10).colours.background, 0xFFFFFFu);
}

TEST(FormatPercentText, FillsEveryDIgnoresOtherConversions) {
  EXPECT_EQ(FormatPercentText("", 7), "7%");
  EXPECT_EQ(FormatPercentText("%d%%", 100), "100%");
  EXPECT_EQ(FormatPercentText("done %d of 100", 42), "done 42 of 100");
  EXPECT_EQ(FormatPercentText("%s %n %", 1), "%s %n %");  // never handed to printf
}

}  // namespace
}  // namespace vantrell
