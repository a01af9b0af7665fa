#include "desk/desk_state.h"

#include <gtest/gtest.h>

namespace n = desk_notification;

namespace {

bool Session(DeskState& desk, uintptr_t event) {
  return ApplyDeskNotification(desk, n::kSessionChange, event, nullptr);
}
bool Power(DeskState& desk, uintptr_t event) {
  return ApplyDeskNotification(desk, n::kPowerBroadcast, event, nullptr);
}
bool DisplayState(DeskState& desk, uint32_t state, n::SettingId id = n::kConsoleDisplayState,
                  uint32_t length = sizeof(uint32_t)) {
  const n::PowerSetting setting{id, length, reinterpret_cast<const uint8_t*>(&state)};
  return ApplyDeskNotification(desk, n::kPowerBroadcast, n::kPowerSettingChange, &setting);
}

// Each of the four conditions alone stops the saver and its end lets it go on; held together,
// in any order, the saver shows only once the last of them has ended.
TEST(DeskState, ShowsOnlyWhileNoConditionHolds) {
  DeskState desk;
  EXPECT_TRUE(desk.Showing());
  DisplayState(desk, 0);
  EXPECT_FALSE(desk.Showing());
  EXPECT_FALSE(desk.SessionAway());
  DisplayState(desk, 2);  // dimmed is still seen
  EXPECT_TRUE(desk.Showing());

  // Displays off, then locked, then asleep; woken, displays on, unlocked last.
  DisplayState(desk, 0);
  Session(desk, n::kSessionLock);
  EXPECT_TRUE(desk.SessionAway());
  Power(desk, n::kSuspend);
  Power(desk, n::kResumeAutomatic);
  EXPECT_FALSE(desk.Showing());
  DisplayState(desk, 1);
  EXPECT_FALSE(desk.Showing());
  Session(desk, n::kSessionUnlock);
  EXPECT_TRUE(desk.Showing());
  EXPECT_FALSE(desk.SessionAway());

  // Switched to another user (the console disconnected) while locked, then back: the unlock
  // alone does not bring the saver back, the reconnection does. A remote session likewise.
  for (const auto& [disconnect, connect] : {std::pair{n::kConsoleDisconnect, n::kConsoleConnect},
                                            std::pair{n::kRemoteDisconnect, n::kRemoteConnect}}) {
    Session(desk, n::kSessionLock);
    Session(desk, disconnect);
    Session(desk, n::kSessionUnlock);
    EXPECT_TRUE(desk.SessionAway());
    EXPECT_FALSE(desk.Showing());
    Session(desk, connect);
    EXPECT_TRUE(desk.Showing());
  }

  // Repeated notifications count once: one resume ends two suspends.
  Power(desk, n::kSuspend);
  Power(desk, n::kSuspend);
  Power(desk, n::kResumeSuspend);
  EXPECT_TRUE(desk.Showing());
}

TEST(DeskState, NotificationsOfOtherKindsChangeNothing) {
  DeskState desk;
  DisplayState(desk, 0);
  // Another setting, data too short, no setting at all: the displays stay off.
  n::SettingId other = n::kConsoleDisplayState;
  other[0] ^= 1;
  EXPECT_TRUE(DisplayState(desk, 1, other));
  EXPECT_TRUE(DisplayState(desk, 1, n::kConsoleDisplayState, 2));
  EXPECT_TRUE(Power(desk, n::kPowerSettingChange));
  EXPECT_FALSE(desk.Showing());
  // Unknown events of the two messages are theirs to answer, and change nothing; other
  // messages are not the desk's.
  EXPECT_TRUE(Power(desk, 0x000A));  // PBT_APMPOWERSTATUSCHANGE
  EXPECT_TRUE(Session(desk, 5));     // WTS_SESSION_LOGON
  EXPECT_FALSE(ApplyDeskNotification(desk, 0x0100, n::kSessionLock, nullptr));  // WM_KEYDOWN
  EXPECT_FALSE(desk.SessionAway());
  DisplayState(desk, 1);
  EXPECT_TRUE(desk.Showing());
}

}  // namespace
