#pragma once

#include <array>
#include <cstdint>

// Whether anyone can see and hear the saver, from what the system says about the desk: the
// displays' power, the session's lock and its connection to the console or a remote client, and
// the machine's sleep. The saver draws and plays only while it is showing; every program of it
// keeps a state of its own from the notifications its own window receives.
class DeskState {
 public:
  enum class Display { On, Off, Dimmed };

  void DisplayChanged(Display display) { displayOff_ = display == Display::Off; }
  void SessionLocked(bool locked) { locked_ = locked; }
  // The session's connection to the console or to a remote client: a switch to another user or
  // a remote disconnection takes it away.
  void SessionConnected(bool connected) { disconnected_ = !connected; }
  void Suspended(bool suspended) { suspended_ = suspended; }

  // True while the saver is to draw and play: the displays on (or dimmed), the session unlocked
  // and connected, the machine awake.
  bool Showing() const { return !displayOff_ && !SessionAway() && !suspended_; }
  // True while the session is locked or disconnected: the display mode goes back meanwhile.
  bool SessionAway() const { return locked_ || disconnected_; }
  bool asleep() const { return suspended_; }

 private:
  bool displayOff_ = false;
  bool locked_ = false;
  bool disconnected_ = false;
  bool suspended_ = false;
};

// The system's notifications as they arrive at a window, with their documented values, so that
// their meaning is decided and tested away from the platform.
namespace desk_notification {
inline constexpr unsigned kPowerBroadcast = 0x0218;  // WM_POWERBROADCAST
inline constexpr unsigned kSessionChange = 0x02B1;   // WM_WTSSESSION_CHANGE

// WM_POWERBROADCAST's events.
inline constexpr uintptr_t kSuspend = 0x0004;             // PBT_APMSUSPEND
inline constexpr uintptr_t kResumeSuspend = 0x0007;       // PBT_APMRESUMESUSPEND
inline constexpr uintptr_t kResumeAutomatic = 0x0012;     // PBT_APMRESUMEAUTOMATIC
inline constexpr uintptr_t kPowerSettingChange = 0x8013;  // PBT_POWERSETTINGCHANGE

// WM_WTSSESSION_CHANGE's events.
inline constexpr uintptr_t kConsoleConnect = 1;     // WTS_CONSOLE_CONNECT
inline constexpr uintptr_t kConsoleDisconnect = 2;  // WTS_CONSOLE_DISCONNECT
inline constexpr uintptr_t kRemoteConnect = 3;      // WTS_REMOTE_CONNECT
inline constexpr uintptr_t kRemoteDisconnect = 4;   // WTS_REMOTE_DISCONNECT
inline constexpr uintptr_t kSessionLock = 7;        // WTS_SESSION_LOCK
inline constexpr uintptr_t kSessionUnlock = 8;      // WTS_SESSION_UNLOCK

// A GUID as its 16 bytes in memory, in the order the system lays out its fields.
using SettingId = std::array<uint8_t, 16>;
// GUID_CONSOLE_DISPLAY_STATE {6FE69556-704A-47A0-8F24-C28D936FDA47}: 0 off, 1 on, 2 dimmed.
inline constexpr SettingId kConsoleDisplayState = {0x56, 0x95, 0xE6, 0x6F, 0x4A, 0x70, 0xA0, 0x47,
                                                   0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47};

// The setting a PBT_POWERSETTINGCHANGE points to (POWERBROADCAST_SETTING): its GUID, then the
// size of its data and the data.
struct PowerSetting {
  SettingId id;
  uint32_t dataLength;
  const uint8_t* data;
};
}  // namespace desk_notification

// Applies one message a window received to `desk`: true when it was one of the desk's
// notifications, whose answer is TRUE (the power broadcast's) or 0. `setting` is the setting a
// power-setting change carries, null for every other message; a setting of another kind, or data
// too short, changes nothing.
bool ApplyDeskNotification(DeskState& desk, unsigned message, uintptr_t event,
                           const desk_notification::PowerSetting* setting);
