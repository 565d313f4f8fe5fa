// The download window's rules apart from its widgets: button states per
// situation, the option defaults and dialog units.
#include <gtest/gtest.h>

#include "core/platform/settings_store.h"
#include "core/program/session/run_settings.h"
#include "gui/common/dialog_units.h"
#include "gui/program/run_button_rules.h"

namespace vantrell::gui {
namespace {

constexpr RunButtonStates kShown{.blankCheck = true, .eraseAll = true};
constexpr RunButtonStates kAllOn{true, true, true, true, true, true, true};

TEST(RunButtonRulesTest, FollowEverySituationOfTheWindow) {
  RunButtonRules rules;
  EXPECT_EQ(rules.States(), kShown);
  rules.ListChanged(true);
  EXPECT_EQ(rules.States(), kAllOn);
  rules.RunStarted();
  EXPECT_EQ(rules.States(), RunButtonStates{});
  rules.RunEnded(true);
  EXPECT_EQ(rules.States(), kAllOn);
  rules.ListChanged(false);
  EXPECT_EQ(rules.States(), kShown);
  rules.RunStarted();
  rules.RunEnded(false);
  EXPECT_EQ(rules.States(), kShown);
}

TEST(RunButtonRulesTest, FilesAddedDuringARunLeaveTheButtonsOffUntilItEnds) {
  RunButtonRules rules;
  rules.RunStarted();
  rules.ListChanged(true);
  EXPECT_EQ(rules.States(), RunButtonStates{});
  EXPECT_TRUE(rules.Running());
  rules.RunEnded(true);
  EXPECT_EQ(rules.States(), kAllOn);
  EXPECT_FALSE(rules.Running());
}

TEST(DownWindowSettingsTest, EraseAllDefaultsToSetAtInitialisationAndToUnsetForAuto) {
  MemorySettingsStore store;
  EXPECT_EQ(ReadInitialOptions(store), (RunOptions{.eraseAll = true, .erase = true, .program = true, .verify = true}));
  EXPECT_EQ(ReadAutoOptions(store), (RunOptions{.erase = true, .program = true, .verify = true}));
  store.WriteInt("PreviousSetValue", "CheckEraseAll", 1);
  EXPECT_TRUE(ReadAutoOptions(store).eraseAll);
}

TEST(DialogUnitsTest, ConvertEdgesFromTheFontsBaseUnits) {
  const DialogUnits units(6, 13);  // the usual dialog font
  EXPECT_EQ(units.X(352), 528);
  EXPECT_EQ(units.Y(335), 544);
  EXPECT_EQ(units.Rect(11, 5, 97, 17), QRect(17, 8, 145, 28));
  // Neighbours meet without gaps or overlaps whatever the rounding.
  const QRect upper = units.Rect(14, 130, 97, 17);
  const QRect lower = units.Rect(14, 147, 97, 17);
  EXPECT_EQ(upper.bottom() + 1, lower.top());
}

}  // namespace
}  // namespace vantrell::gui
