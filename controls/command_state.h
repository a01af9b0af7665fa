#pragma once

#include <cstdint>
#include <optional>

// The Command button's interaction state machine: hover, focus and press, and when a press
// completes as a Click. It owns no window: every entry point returns a CommandReaction that
// says what the Win32 shell has to do (paint a state image, raise Click, hold or let go of the
// mouse, start the pointer poll).

// Interaction state; 0 until Initialize has run.
enum class ButtonState : std::uint8_t {
  Uninitialized = 0,
  Normal = 1,           // neither hovered nor focused
  HighLight = 2,        // pointer over the control, no focus
  Selected = 3,         // focus, pointer elsewhere
  HighLightSelect = 4,  // focus and pointer over the control
};

// The six state images the frame is taken from.
enum class StateImage : std::uint8_t {
  Normal,
  HighLight,
  Pressed,
  Selected,
  HighLightSelect,
  Disable,
};

// The mouse-button value of the platform's mouse events; the left button is 1.
inline constexpr std::int16_t kLeftButton = 1;

// The pointer poll's interval once Initialize has started it.
inline constexpr int kMousePollMilliseconds = 100;

// What the shell performs, in this order: capture, paint (DrawButton with the image), release,
// Click. Click is raised from inside the mouse-up handling, after the release has been painted.
struct CommandReaction {
  std::optional<StateImage> paint;
  bool raiseClick = false;
  bool captureMouse = false;    // a left press began on the control: keep its mouse input
  bool releaseMouse = false;    // the left button came up: give the mouse input back
  bool startMousePoll = false;  // start TmrMouse at kMousePollMilliseconds

  bool operator==(const CommandReaction& other) const {
    return paint == other.paint && raiseClick == other.raiseClick &&
           captureMouse == other.captureMouse && releaseMouse == other.releaseMouse &&
           startMousePoll == other.startMousePoll;
  }
};

// The state machine. `enabled` is the control's Enabled field, read without side effects:
// while it is false every entry point but Initialize ignores its event. The shell is expected to
// give the control the focus when a press lands on it, before it reports the press, and to report
// mouse events over the caption as events over the control. Space reaches the control only while
// it has the focus, as the platform delivers keys.
class CommandBehaviour {
 public:
  ButtonState buttonState() const { return ButtonState_; }
  bool mouseIsDown() const { return MouseIsDown_; }
  bool spaceIsDown() const { return SpaceIsDown_; }

  // The container calls this once after loading the control; it runs even when disabled.
  CommandReaction Initialize();

  CommandReaction MouseMove(bool enabled);
  CommandReaction MouseDown(bool enabled, std::int16_t button);
  CommandReaction MouseUp(bool enabled, std::int16_t button);
  CommandReaction FocusGained(bool enabled);
  CommandReaction FocusLost(bool enabled);

  // A TmrMouse tick. `pointerOverControl` is whether the window under the cursor is the
  // control's own window; a failed cursor or window query counts as not over the control.
  CommandReaction MouseTick(bool enabled, bool pointerOverControl);

  // The pointer has left: drop the hover half of the state. MouseIsDown is not touched.
  CommandReaction LeaveHover();

  // Space on the focused control presses it as the left button does: down shows Pressed (a
  // key repeat paints nothing more), up shows the look of the state and raises Click. Neither
  // changes the state. While the left button holds the control Space does nothing, and a left
  // press takes a Space press over (one Click, on the mouse's release). Losing the focus drops a
  // Space press without a Click, since its release goes to the control that takes the focus.
  CommandReaction SpaceDown(bool enabled);
  CommandReaction SpaceUp(bool enabled);

 private:
  ButtonState ButtonState_ = ButtonState::Uninitialized;
  bool MouseIsDown_ = false;
  bool SpaceIsDown_ = false;
};
