#include "dialog/dialog_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using A = DialogKeyAction;
using K = DialogKey;

DialogKeyPress Press(DialogKey key) {
  DialogKeyPress press;
  press.key = key;
  return press;
}

TEST(DialogKeys, TabEnterAndEscapeWorkWhereverTheFocusIs) {
  for (bool onChoice : {false, true}) {
    DialogKeyPress tab = Press(K::Tab);
    tab.onChoice = onChoice;
    EXPECT_EQ(ActionOfKey(tab), A::NextStop);
    tab.shift = true;
    EXPECT_EQ(ActionOfKey(tab), A::PreviousStop);
    DialogKeyPress enter = Press(K::Enter);
    enter.onChoice = onChoice;
    enter.shift = true;
    EXPECT_EQ(ActionOfKey(enter), A::Set);
    DialogKeyPress escape = Press(K::Escape);
    escape.onChoice = onChoice;
    EXPECT_EQ(ActionOfKey(escape), A::Cancel);
  }
}

TEST(DialogKeys, EnterPressesTheFocusedButtonAndOnlyEnter) {
  DialogKeyPress enter = Press(K::Enter);
  enter.onButton = true;
  EXPECT_EQ(ActionOfKey(enter), A::PressFocused);
  enter.alt = true;
  EXPECT_EQ(ActionOfKey(enter), A::None);
  for (DialogKey key : {K::Tab, K::Escape, K::Down, K::Other}) {
    DialogKeyPress press = Press(key);
    press.onButton = true;
    EXPECT_NE(ActionOfKey(press), A::PressFocused) << int(key);
  }
  DialogKeyPress escape = Press(K::Escape);
  escape.onButton = true;
  EXPECT_EQ(ActionOfKey(escape), A::Cancel);
}

TEST(DialogKeys, AnOpenRepeatListTakesEnterAndEscapeButNotTab) {
  for (DialogKey key : {K::Enter, K::Escape}) {
    DialogKeyPress press = Press(key);
    press.listDropped = true;
    EXPECT_EQ(ActionOfKey(press), A::None);
  }
  DialogKeyPress tab = Press(K::Tab);
  tab.listDropped = true;
  EXPECT_EQ(ActionOfKey(tab), A::NextStop);
}

TEST(DialogKeys, KeysWithAltAreTheSystemsAndOtherKeysGoToTheControl) {
  for (DialogKey key : {K::Tab, K::Enter, K::Escape, K::Down, K::Other}) {
    DialogKeyPress press = Press(key);
    press.alt = true;
    press.onChoice = true;
    EXPECT_EQ(ActionOfKey(press), A::None) << int(key);
  }
  DialogKeyPress other = Press(K::Other);
  other.onChoice = true;
  EXPECT_EQ(ActionOfKey(other), A::None);
}

TEST(DialogKeys, ArrowsWalkTheChoicesOnlyFromAChoice) {
  for (DialogKey key : {K::Up, K::Left, K::Down, K::Right}) {
    DialogKeyPress press = Press(key);
    EXPECT_EQ(ActionOfKey(press), A::None);  // the repeat box's own list, for one
    press.onChoice = true;
    const bool back = key == K::Up || key == K::Left;
    EXPECT_EQ(ActionOfKey(press), back ? A::PreviousChoice : A::NextChoice);
  }
}

TEST(DialogKeys, TabStopsRoundTheEndsPastThoseThatCannotTakeTheFocus) {
  const std::vector<bool> usable = {true, true, false, true, true};
  EXPECT_EQ(NextTabStop(1, +1, usable), 3u);
  EXPECT_EQ(NextTabStop(3, -1, usable), 1u);
  EXPECT_EQ(NextTabStop(4, +1, usable), 0u);
  EXPECT_EQ(NextTabStop(0, -1, usable), 4u);
  // From a stop that cannot take the focus (a control being disabled), the next one that can.
  EXPECT_EQ(NextTabStop(2, +1, usable), 3u);
  // Without a current stop: Tab starts at the first usable one, Shift+Tab at the last.
  EXPECT_EQ(NextTabStop(std::nullopt, +1, {false, true, true}), 1u);
  EXPECT_EQ(NextTabStop(std::nullopt, -1, {true, true, false}), 1u);
  // Only the current stop can: it keeps the focus; none can: nowhere.
  EXPECT_EQ(NextTabStop(1, +1, {false, true, false}), 1u);
  EXPECT_EQ(NextTabStop(1, +1, {false, false, false}), std::nullopt);
  EXPECT_EQ(NextTabStop(std::nullopt, +1, {}), std::nullopt);
}

TEST(DialogKeys, ChoicesWalkCdNoneFileAndRoundTheEnds) {
  EXPECT_EQ(ChoiceDisplayOrder(), (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(ChoiceAfter(1, +1), 0);
  EXPECT_EQ(ChoiceAfter(0, +1), 2);
  EXPECT_EQ(ChoiceAfter(2, +1), 1);
  EXPECT_EQ(ChoiceAfter(1, -1), 2);
  EXPECT_EQ(ChoiceAfter(0, -1), 1);
  EXPECT_EQ(ChoiceAfter(2, -1), 0);
}

TEST(DialogKeys, TheChoicesStopRestsOnTheSelectedKindElseOnTheTopChoice) {
  EXPECT_EQ(ChoiceTabStop(0), 0);
  EXPECT_EQ(ChoiceTabStop(1), 1);
  EXPECT_EQ(ChoiceTabStop(2), 2);
  EXPECT_EQ(ChoiceTabStop(5), 1);
  EXPECT_EQ(ChoiceTabStop(-1), 1);
}

}  // namespace
