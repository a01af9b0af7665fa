// The Command button's state machine: one table of state changes, and the press bookkeeping
// (MouseIsDown, Click) around it.
#include "controls/command_state.h"

#include <array>

namespace {

enum class Trigger { MouseMove, LeftRelease, FocusGained, FocusLost, Leave };

// One row: in `from`, `trigger` leads to `to` and paints `image`. A row marked `onlyWhileUp`
// applies only while MouseIsDown is false. Combinations without a row change nothing.
struct Transition {
  Trigger trigger;
  ButtonState from;
  ButtonState to;
  StateImage image;
  bool onlyWhileUp;
};

using S = ButtonState;
using I = StateImage;

constexpr std::array<Transition, 15> kTransitions{{
    {Trigger::MouseMove, S::Normal, S::HighLight, I::HighLight, false},
    // While the left button is held (a press that left and came back) the focused control
    // keeps its Selected look, so its release raises no Click.
    {Trigger::MouseMove, S::Selected, S::HighLightSelect, I::HighLightSelect, true},
    // A release repaints without changing the state: a hovered control without focus shows
    // the Normal frame over its inverted body until the pointer leaves.
    {Trigger::LeftRelease, S::HighLight, S::HighLight, I::Normal, false},
    {Trigger::LeftRelease, S::HighLightSelect, S::HighLightSelect, I::HighLightSelect, false},
    // Focus arriving on a hovered control shows the pressed look.
    {Trigger::FocusGained, S::HighLight, S::HighLightSelect, I::Pressed, false},
    {Trigger::FocusGained, S::Uninitialized, S::Selected, I::Selected, false},
    {Trigger::FocusGained, S::Normal, S::Selected, I::Selected, false},
    {Trigger::FocusGained, S::Selected, S::Selected, I::Selected, false},
    {Trigger::FocusGained, S::HighLightSelect, S::Selected, I::Selected, false},
    {Trigger::FocusLost, S::Uninitialized, S::Normal, I::Normal, false},
    {Trigger::FocusLost, S::HighLight, S::Normal, I::Normal, false},
    {Trigger::FocusLost, S::Selected, S::Normal, I::Normal, false},
    {Trigger::FocusLost, S::HighLightSelect, S::Normal, I::Normal, false},
    {Trigger::Leave, S::HighLight, S::Normal, I::Normal, false},
    {Trigger::Leave, S::HighLightSelect, S::Selected, I::Selected, false},
}};

// Applies the row for (trigger, state), if any: changes the state and returns its image.
std::optional<StateImage> Apply(Trigger trigger, ButtonState& state, bool mouseIsDown) {
  for (const Transition& row : kTransitions) {
    if (row.trigger == trigger && row.from == state && !(row.onlyWhileUp && mouseIsDown)) {
      state = row.to;
      return row.image;
    }
  }
  return std::nullopt;
}

// The look a state rests in, shown when a Space press ends.
StateImage RestingImage(ButtonState state) {
  switch (state) {
    case ButtonState::HighLight:
      return StateImage::HighLight;
    case ButtonState::Selected:
      return StateImage::Selected;
    case ButtonState::HighLightSelect:
      return StateImage::HighLightSelect;
    default:
      return StateImage::Normal;
  }
}

}  // namespace

CommandReaction CommandBehaviour::Initialize() {
  ButtonState_ = ButtonState::Normal;
  CommandReaction reaction;
  reaction.startMousePoll = true;
  return reaction;
}

CommandReaction CommandBehaviour::MouseMove(bool enabled) {
  CommandReaction reaction;
  if (enabled) {
    reaction.paint = Apply(Trigger::MouseMove, ButtonState_, MouseIsDown_);
  }
  return reaction;
}

CommandReaction CommandBehaviour::MouseDown(bool enabled, std::int16_t button) {
  CommandReaction reaction;
  if (enabled && button == kLeftButton) {
    MouseIsDown_ = true;
    SpaceIsDown_ = false;  // the mouse takes the press over: one Click, on its release
    reaction.captureMouse = true;
    reaction.paint = StateImage::Pressed;
  }
  return reaction;
}

CommandReaction CommandBehaviour::MouseUp(bool enabled, std::int16_t button) {
  CommandReaction reaction;
  // The mouse is let go of even by a disabled control: a control disabled during a press
  // would otherwise keep every later mouse event of the program to itself.
  reaction.releaseMouse = button == kLeftButton;
  if (!enabled) {
    return reaction;
  }
  if (button == kLeftButton) {
    MouseIsDown_ = false;
    reaction.paint = Apply(Trigger::LeftRelease, ButtonState_, MouseIsDown_);
  }
  reaction.raiseClick = ButtonState_ != ButtonState::Selected;
  return reaction;
}

CommandReaction CommandBehaviour::FocusGained(bool enabled) {
  CommandReaction reaction;
  if (enabled) {
    reaction.paint = Apply(Trigger::FocusGained, ButtonState_, MouseIsDown_);
  }
  return reaction;
}

CommandReaction CommandBehaviour::FocusLost(bool enabled) {
  CommandReaction reaction;
  SpaceIsDown_ = false;
  if (enabled) {
    reaction.paint = Apply(Trigger::FocusLost, ButtonState_, MouseIsDown_);
  }
  return reaction;
}

CommandReaction CommandBehaviour::MouseTick(bool enabled, bool pointerOverControl) {
  if (!enabled || pointerOverControl) {
    return {};
  }
  return LeaveHover();
}

CommandReaction CommandBehaviour::LeaveHover() {
  CommandReaction reaction;
  reaction.paint = Apply(Trigger::Leave, ButtonState_, MouseIsDown_);
  return reaction;
}

CommandReaction CommandBehaviour::SpaceDown(bool enabled) {
  CommandReaction reaction;
  if (enabled && !MouseIsDown_ && !SpaceIsDown_) {
    SpaceIsDown_ = true;
    reaction.paint = StateImage::Pressed;
  }
  return reaction;
}

CommandReaction CommandBehaviour::SpaceUp(bool enabled) {
  CommandReaction reaction;
  const bool pressed = SpaceIsDown_;
  SpaceIsDown_ = false;
  if (!enabled || !pressed) {
    return reaction;
  }
  reaction.paint = RestingImage(ButtonState_);
  reaction.raiseClick = true;
  return reaction;
}
