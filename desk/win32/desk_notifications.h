#pragma once

#include <windows.h>

#include "desk/desk_state.h"

// Registers a window for the system's notifications of the displays' power state and of its
// session (locked, switched away, remote); the registrations end with the object. The machine's
// suspend and resume reach every top-level window without one.
class DeskNotifications {
 public:
  explicit DeskNotifications(HWND window);
  ~DeskNotifications();
  DeskNotifications(const DeskNotifications&) = delete;
  DeskNotifications& operator=(const DeskNotifications&) = delete;

  // Applies a message the window received to `desk`: true when it was one of the desk's
  // notifications, with the answer to return in `result`.
  static bool Answer(DeskState& desk, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  HWND window_;
  HPOWERNOTIFY displayState_ = nullptr;
  bool sessionRegistered_ = false;
};
