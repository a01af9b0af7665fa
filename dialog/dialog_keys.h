#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The settings dialog's keyboard, apart from any window: what a key press does, where Tab takes
// the focus, and how the arrow keys walk the three music choices, which Tab reaches as one stop.

enum class DialogKey : std::uint8_t { Tab, Enter, Escape, Up, Down, Left, Right, Other };

struct DialogKeyPress {
  DialogKey key = DialogKey::Other;
  bool shift = false;
  bool alt = false;          // Alt held: the key is the system's (Alt+F4, the window menu)
  bool onChoice = false;     // the focus is on a music choice
  bool onButton = false;     // the focus is on a push button (a Command button, the link)
  bool listDropped = false;  // the repeat box's list is open: Enter and Escape close it
};

enum class DialogKeyAction : std::uint8_t {
  None,  // the key goes on to the focused control
  NextStop,
  PreviousStop,
  Set,
  PressFocused,  // the focused push button is pressed
  Cancel,
  NextChoice,
  PreviousChoice,
};

// Tab and Shift+Tab move along the tab order; Enter presses the focused push button and is Set
// anywhere else; Escape is Cancel; on a music
// choice the arrows (up and left back, down and right on) move to the next choice and choose it.
DialogKeyAction ActionOfKey(const DialogKeyPress& press);

// The stop the focus moves to from `current` (none: Tab starts at the first stop and Shift+Tab
// at the last) by `step` (+1 or -1) along the tab order, round the ends, passing the stops that
// `usable` says cannot take the focus. The current stop itself when no other can; none when no
// stop can.
std::optional<std::size_t> NextTabStop(std::optional<std::size_t> current, int step,
                                       const std::vector<bool>& usable);

// The music kinds of the choices from top to bottom: 音楽CD, なし, MP3、WAV.
std::vector<int> ChoiceDisplayOrder();

// The choice that the group's one tab stop rests on: the selected kind, or the top choice when
// the kind selects none.
int ChoiceTabStop(std::int16_t kind);

// The choice an arrow moves to from the choice `focused` by `step` (+1 down, -1 up), round the
// ends.
int ChoiceAfter(int focused, int step);
