#include "controls/command_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace {

using S = ButtonState;
using I = StateImage;

constexpr bool kEnabled = true;
constexpr bool kDisabled = false;
constexpr std::int16_t kRightButton = 2;
constexpr std::int16_t kMiddleButton = 4;

// Brings a fresh, enabled control into `state` through the events a user would cause.
CommandBehaviour InState(ButtonState state) {
  CommandBehaviour control;
  if (state == S::Uninitialized) {
    return control;
  }
  control.Initialize();
  if (state == S::HighLight || state == S::HighLightSelect) {
    control.MouseMove(kEnabled);
  }
  if (state == S::Selected || state == S::HighLightSelect) {
    control.FocusGained(kEnabled);
    if (state == S::HighLightSelect) {
      control.MouseUp(kEnabled, kLeftButton);  // back from Pressed to a resting look
    }
  }
  EXPECT_EQ(control.buttonState(), state);
  return control;
}

CommandReaction Paints(std::optional<StateImage> image, bool click = false) {
  CommandReaction reaction;
  reaction.paint = image;
  reaction.raiseClick = click;
  return reaction;
}

struct Row {
  const char* event;
  ButtonState before;
  std::function<CommandReaction(CommandBehaviour&)> happen;
  ButtonState after;
  CommandReaction expected;
};

CommandReaction Move(CommandBehaviour& c) { return c.MouseMove(kEnabled); }
CommandReaction FocusIn(CommandBehaviour& c) { return c.FocusGained(kEnabled); }
CommandReaction FocusOut(CommandBehaviour& c) { return c.FocusLost(kEnabled); }
CommandReaction TickOutside(CommandBehaviour& c) { return c.MouseTick(kEnabled, false); }
CommandReaction TickInside(CommandBehaviour& c) { return c.MouseTick(kEnabled, true); }
CommandReaction RightUp(CommandBehaviour& c) { return c.MouseUp(kEnabled, kRightButton); }

// The left release, which always hands the mouse back.
CommandReaction LeftUp(CommandBehaviour& c) { return c.MouseUp(kEnabled, kLeftButton); }
CommandReaction Released(std::optional<StateImage> image, bool click) {
  CommandReaction reaction = Paints(image, click);
  reaction.releaseMouse = true;
  return reaction;
}

// Every row of the behaviour table, and the combinations it leaves unchanged.
TEST(CommandStateTable, EveryRowChangesStateAndPaintsAsListed) {
  const std::vector<Row> rows = {
      {"move", S::Normal, Move, S::HighLight, Paints(I::HighLight)},
      {"move", S::Selected, Move, S::HighLightSelect, Paints(I::HighLightSelect)},
      {"move", S::HighLight, Move, S::HighLight, {}},
      {"move", S::HighLightSelect, Move, S::HighLightSelect, {}},
      {"left up", S::HighLight, LeftUp, S::HighLight, Released(I::Normal, true)},
      {"left up", S::HighLightSelect, LeftUp, S::HighLightSelect,
       Released(I::HighLightSelect, true)},
      {"left up", S::Normal, LeftUp, S::Normal, Released(std::nullopt, true)},
      {"left up", S::Selected, LeftUp, S::Selected, Released(std::nullopt, false)},
      {"right up", S::Normal, RightUp, S::Normal, Paints(std::nullopt, true)},
      {"right up", S::HighLight, RightUp, S::HighLight, Paints(std::nullopt, true)},
      {"right up", S::HighLightSelect, RightUp, S::HighLightSelect, Paints(std::nullopt, true)},
      {"right up", S::Selected, RightUp, S::Selected, {}},
      {"focus in", S::HighLight, FocusIn, S::HighLightSelect, Paints(I::Pressed)},
      {"focus in", S::Normal, FocusIn, S::Selected, Paints(I::Selected)},
      {"focus in", S::Selected, FocusIn, S::Selected, Paints(I::Selected)},
      {"focus in", S::HighLightSelect, FocusIn, S::Selected, Paints(I::Selected)},
      {"focus out", S::HighLight, FocusOut, S::Normal, Paints(I::Normal)},
      {"focus out", S::Selected, FocusOut, S::Normal, Paints(I::Normal)},
      {"focus out", S::HighLightSelect, FocusOut, S::Normal, Paints(I::Normal)},
      {"focus out", S::Normal, FocusOut, S::Normal, {}},
      {"tick outside", S::HighLight, TickOutside, S::Normal, Paints(I::Normal)},
      {"tick outside", S::HighLightSelect, TickOutside, S::Selected, Paints(I::Selected)},
      {"tick outside", S::Normal, TickOutside, S::Normal, {}},
      {"tick outside", S::Selected, TickOutside, S::Selected, {}},
      {"tick inside", S::HighLight, TickInside, S::HighLight, {}},
      {"tick inside", S::HighLightSelect, TickInside, S::HighLightSelect, {}},
  };
  // Each row holds as well after a completed Space press: the key leaves no trace.
  for (bool afterSpace : {false, true}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(::testing::Message() << row.event << " in state " << int(row.before)
                                        << (afterSpace ? " after Space" : ""));
      CommandBehaviour control = InState(row.before);
      if (afterSpace) {
        control.SpaceDown(kEnabled);
        control.SpaceUp(kEnabled);
      }
      EXPECT_EQ(row.happen(control), row.expected);
      EXPECT_EQ(control.buttonState(), row.after);
      EXPECT_FALSE(control.mouseIsDown());
    }
  }
}

TEST(CommandStateTable, InitializeStartsAtNormalAndStartsThePollWithoutPainting) {
  CommandBehaviour control;
  EXPECT_EQ(control.buttonState(), S::Uninitialized);
  CommandReaction expected;
  expected.startMousePoll = true;
  EXPECT_EQ(control.Initialize(), expected);
  EXPECT_EQ(control.buttonState(), S::Normal);
}

TEST(CommandStateTable, LeftPressKeepsTheStateAndShowsPressedInEveryState) {
  for (ButtonState state : {S::Normal, S::HighLight, S::Selected, S::HighLightSelect}) {
    SCOPED_TRACE(int(state));
    CommandBehaviour control = InState(state);
    CommandReaction expected = Paints(I::Pressed);
    expected.captureMouse = true;
    EXPECT_EQ(control.MouseDown(kEnabled, kLeftButton), expected);
    EXPECT_EQ(control.buttonState(), state);
    EXPECT_TRUE(control.mouseIsDown());
  }
}

TEST(CommandStateTable, RightAndMiddlePressesChangeNothing) {
  for (std::int16_t button : {kRightButton, kMiddleButton}) {
    CommandBehaviour control = InState(S::HighLight);
    EXPECT_EQ(control.MouseDown(kEnabled, button), CommandReaction{});
    EXPECT_FALSE(control.mouseIsDown());
    EXPECT_EQ(control.buttonState(), S::HighLight);
  }
}

TEST(CommandStateTable, DisabledControlIgnoresEverythingButInitialize) {
  CommandBehaviour control;
  control.Initialize();
  EXPECT_EQ(control.MouseMove(kDisabled), CommandReaction{});
  EXPECT_EQ(control.MouseDown(kDisabled, kLeftButton), CommandReaction{});
  EXPECT_EQ(control.FocusGained(kDisabled), CommandReaction{});
  EXPECT_EQ(control.MouseTick(kDisabled, false), CommandReaction{});
  EXPECT_EQ(control.MouseUp(kDisabled, kRightButton), CommandReaction{});
  // The left release still hands the mouse back, but paints and raises nothing.
  EXPECT_EQ(control.MouseUp(kDisabled, kLeftButton), Released(std::nullopt, false));
  EXPECT_EQ(control.buttonState(), S::Normal);
  EXPECT_FALSE(control.mouseIsDown());
}

TEST(CommandStateTable, DisablingDuringAPressKeepsMouseIsDownButLetsTheMouseGo) {
  CommandBehaviour control = InState(S::HighLightSelect);
  control.MouseDown(kEnabled, kLeftButton);
  EXPECT_EQ(control.MouseUp(kDisabled, kLeftButton), Released(std::nullopt, false));
  EXPECT_TRUE(control.mouseIsDown());
  EXPECT_EQ(control.FocusLost(kDisabled), CommandReaction{});
  EXPECT_EQ(control.buttonState(), S::HighLightSelect);
}

// Scenarios: what a user does, one event at a time, as the platform delivers it (a press gives
// the focus first, then reports the press).
TEST(CommandScenarios, UsualClickOnAHoveredControl) {
  CommandBehaviour control;
  control.Initialize();
  EXPECT_EQ(control.MouseMove(kEnabled).paint, I::HighLight);
  EXPECT_EQ(control.FocusGained(kEnabled).paint, I::Pressed);
  EXPECT_EQ(control.MouseDown(kEnabled, kLeftButton).paint, I::Pressed);
  EXPECT_EQ(control.MouseMove(kEnabled), CommandReaction{});
  EXPECT_EQ(control.MouseTick(kEnabled, true), CommandReaction{});
  EXPECT_EQ(control.MouseUp(kEnabled, kLeftButton), Released(I::HighLightSelect, true));
  EXPECT_EQ(control.MouseTick(kEnabled, false).paint, I::Selected);
  EXPECT_EQ(control.FocusLost(kEnabled).paint, I::Normal);
  EXPECT_EQ(control.buttonState(), S::Normal);
}

TEST(CommandScenarios, PressLeftForATickAndReleasedOutsideRaisesNoClick) {
  CommandBehaviour control = InState(S::HighLight);
  control.FocusGained(kEnabled);
  control.MouseDown(kEnabled, kLeftButton);
  EXPECT_EQ(control.MouseTick(kEnabled, false).paint, I::Selected);
  EXPECT_EQ(control.MouseUp(kEnabled, kLeftButton), Released(std::nullopt, false));
  EXPECT_EQ(control.buttonState(), S::Selected);
}

TEST(CommandScenarios, PressThatLeavesAndComesBackRaisesNoClick) {
  CommandBehaviour control = InState(S::HighLight);
  control.FocusGained(kEnabled);
  control.MouseDown(kEnabled, kLeftButton);
  control.MouseTick(kEnabled, false);
  // Back over the control with the button still held: the look stays Selected.
  EXPECT_EQ(control.MouseMove(kEnabled), CommandReaction{});
  EXPECT_EQ(control.MouseUp(kEnabled, kLeftButton), Released(std::nullopt, false));
  // The next movement over the control, with the button up, brings the hovered look.
  EXPECT_EQ(control.MouseMove(kEnabled).paint, I::HighLightSelect);
  EXPECT_EQ(control.buttonState(), S::HighLightSelect);
}

TEST(CommandScenarios, FocusLostDuringAPressStillClicksOnRelease) {
  CommandBehaviour control = InState(S::HighLight);
  control.FocusGained(kEnabled);
  control.MouseDown(kEnabled, kLeftButton);
  EXPECT_EQ(control.FocusLost(kEnabled).paint, I::Normal);
  EXPECT_EQ(control.MouseUp(kEnabled, kLeftButton), Released(std::nullopt, true));
  EXPECT_EQ(control.buttonState(), S::Normal);
}

TEST(CommandScenarios, KeyboardFocusOnAHoveredControlShowsPressedUntilTheLeave) {
  CommandBehaviour control = InState(S::HighLight);
  EXPECT_EQ(control.FocusGained(kEnabled).paint, I::Pressed);
  // Neither moving nor a tick over the control repaints it.
  EXPECT_EQ(control.MouseMove(kEnabled), CommandReaction{});
  EXPECT_EQ(control.MouseTick(kEnabled, true), CommandReaction{});
  EXPECT_EQ(control.MouseTick(kEnabled, false).paint, I::Selected);
}

TEST(CommandScenarios, LeaveHoverLeavesMouseIsDownAlone) {
  CommandBehaviour control = InState(S::HighLight);
  control.MouseDown(kEnabled, kLeftButton);
  EXPECT_EQ(control.LeaveHover().paint, I::Normal);
  EXPECT_TRUE(control.mouseIsDown());
}

// Space on the focused control: the keyboard's press.
TEST(CommandSpaceKey, DownShowsPressedAndUpShowsTheStateLookAndClicks) {
  const std::vector<std::pair<ButtonState, StateImage>> looks = {
      {S::Selected, I::Selected},
      {S::HighLightSelect, I::HighLightSelect},
      // Reached with the focus only while disabled, as focus changes are then ignored.
      {S::Normal, I::Normal},
      {S::HighLight, I::HighLight},
  };
  for (const auto& [state, look] : looks) {
    SCOPED_TRACE(int(state));
    CommandBehaviour control = InState(state);
    EXPECT_EQ(control.SpaceDown(kEnabled), Paints(I::Pressed));
    EXPECT_TRUE(control.spaceIsDown());
    EXPECT_EQ(control.buttonState(), state);
    EXPECT_EQ(control.SpaceUp(kEnabled), Paints(look, true));
    EXPECT_FALSE(control.spaceIsDown());
    EXPECT_EQ(control.buttonState(), state);
    EXPECT_FALSE(control.mouseIsDown());
  }
}

TEST(CommandSpaceKey, KeyRepeatPaintsOnceAndOnlyAPressedSpaceClicks) {
  CommandBehaviour control = InState(S::Selected);
  EXPECT_EQ(control.SpaceUp(kEnabled), CommandReaction{});  // pressed before the focus came
  control.SpaceDown(kEnabled);
  EXPECT_EQ(control.SpaceDown(kEnabled), CommandReaction{});
  EXPECT_EQ(control.SpaceUp(kEnabled), Paints(I::Selected, true));
  EXPECT_EQ(control.SpaceUp(kEnabled), CommandReaction{});
}

TEST(CommandSpaceKey, DisabledControlIgnoresSpaceAndForgetsAPressDisabledMidway) {
  CommandBehaviour control = InState(S::Selected);
  EXPECT_EQ(control.SpaceDown(kDisabled), CommandReaction{});
  EXPECT_FALSE(control.spaceIsDown());
  control.SpaceDown(kEnabled);
  EXPECT_EQ(control.SpaceUp(kDisabled), CommandReaction{});
  EXPECT_FALSE(control.spaceIsDown());
  // Enabled again, the next press works.
  EXPECT_EQ(control.SpaceDown(kEnabled), Paints(I::Pressed));
  EXPECT_EQ(control.SpaceUp(kEnabled), Paints(I::Selected, true));
}

TEST(CommandSpaceKey, FocusLostDuringASpacePressRaisesNoClick) {
  CommandBehaviour control = InState(S::Selected);
  control.SpaceDown(kEnabled);
  EXPECT_EQ(control.FocusLost(kEnabled), Paints(I::Normal));
  EXPECT_EQ(control.SpaceUp(kEnabled), CommandReaction{});
  EXPECT_EQ(control.buttonState(), S::Normal);
}

TEST(CommandSpaceKey, SpaceAndTheLeftButtonTogetherClickOnce) {
  // A left press takes a Space press over: its release clicks, the key's release does not.
  CommandBehaviour control = InState(S::HighLightSelect);
  control.SpaceDown(kEnabled);
  CommandReaction pressed = Paints(I::Pressed);
  pressed.captureMouse = true;
  EXPECT_EQ(control.MouseDown(kEnabled, kLeftButton), pressed);
  EXPECT_EQ(control.MouseUp(kEnabled, kLeftButton), Released(I::HighLightSelect, true));
  EXPECT_EQ(control.SpaceUp(kEnabled), CommandReaction{});
  // While the left button holds the control, Space does nothing.
  control.MouseDown(kEnabled, kLeftButton);
  EXPECT_EQ(control.SpaceDown(kEnabled), CommandReaction{});
  EXPECT_EQ(control.SpaceUp(kEnabled), CommandReaction{});
  EXPECT_EQ(control.MouseUp(kEnabled, kLeftButton), Released(I::HighLightSelect, true));
}

}  // namespace
