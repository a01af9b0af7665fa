# While nobody can see or hear the saver (the displays off, the session locked, the machine
# asleep) it draws nothing and plays nothing, and it gives the display mode back while the
# session is locked; when the displays are on again, at the unlock and at the resume it draws
# again, starts the music again as at its start and takes the mode again. The notifications reach
# both programs' windows as Windows sends them: posted, or for the display state (which points
# into the receiver's memory) sent inside each program's own process. The display is a Wine
# desktop larger than 1024 x 768, so that the saver's mode is a change.
HARNESS_SCREEN=1600x1200x24
HARNESS_WINE_DESKTOP=1280x1024
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
source "$(dirname "$0")/lib/host_scenario.sh"

readonly WM_POWERBROADCAST=0x0218 PBT_APMSUSPEND=4 PBT_APMRESUMEAUTOMATIC=18
readonly WM_WTSSESSION_CHANGE=0x02B1 WTS_SESSION_LOCK=7 WTS_SESSION_UNLOCK=8
# How long the resting saver is watched for frames it should not draw.
readonly RESTING_SECONDS=2

music_start C.UTF-8
install_host
save_host_settings 2 0 "$MUSIC_ROOT_WIN\\$MUSIC_MP3_NAME"
start_host /s trace+mci,trace+opengl
# The renderer, started by the host, traces into the same log.
# shellcheck disable=SC2034  # read by frames_drawn
renderer_log=$host_log
MUSIC_TRACE=$host_log
expect_window Valdorique_VC >/dev/null

display_mode_is() {
  harness_wait_detail=$(harness_probe display-mode)
  [ "$harness_wait_detail" = "$1" ]
}
# mci_count COMMAND: how often the host has sent the MCI command so far.
mci_count() { music_sent_commands | grep -cxF -- "$1"; }
mci_count_at_least() { [ "$(mci_count "$1")" -ge "$2" ]; }
# to_both MESSAGE WPARAM: the notification, as the system sends it to every window registered.
to_both() {
  local title
  for title in Valdorique_VC Valdorique_Main; do
    if [ "$1" = display-state ]; then
      harness_probe display-state "$title" "$2" >/dev/null
    else
      harness_probe post "$title" "$1" "$2" 0
    fi || harness_fail "cannot bring $1 $2 to $title"
  done
}
# rests_and_goes_on WHAT MESSAGE AWAY BACK [MODE_WHILE_AWAY]: the saver stands still while WHAT
# holds: the music closed, the display in MODE_WHILE_AWAY when given, no frame; then it draws,
# plays and has its own mode again.
rests_and_goes_on() {
  local what=$1 message=$2 away=$3 back=$4 closed played
  closed=$(mci_count 'close MP3Play')
  played=$(mci_count 'play MP3Play')
  to_both "$message" "$away"
  harness_wait 30 "the music to be closed while $what" mci_count_at_least 'close MP3Play' \
    $((closed + 1))
  [ -z "${5:-}" ] || harness_wait 30 "the display mode $5 while $what" display_mode_is "$5"
  local before after
  before=$(frames_drawn)
  sleep "$RESTING_SECONDS"  # the time itself is what is tested: no frame in it
  after=$(frames_drawn)
  [ "$after" -eq "$before" ] || harness_fail "$((after - before)) frames drawn while $what"
  to_both "$message" "$back"
  wait_frames 10 "after $what"
  harness_wait 30 "the music to play again after $what" mci_count_at_least 'play MP3Play' \
    $((played + 1))
  harness_wait 30 "the saver's mode again after $what" display_mode_is 1024x768x32
  echo "rested while $what: music closed and played again, no frame for $RESTING_SECONDS s"
}

harness_wait 30 "the saver's display mode" display_mode_is 1024x768x32
wait_frames 10 "at the start"
harness_wait 30 "the music to play" mci_count_at_least 'play MP3Play' 1
rests_and_goes_on "the displays are off" display-state 0 1
rests_and_goes_on "the session is locked" $WM_WTSSESSION_CHANGE $WTS_SESSION_LOCK \
  $WTS_SESSION_UNLOCK 1280x1024x32
rests_and_goes_on "the machine sleeps" $WM_POWERBROADCAST $PBT_APMSUSPEND $PBT_APMRESUMEAUTOMATIC

press_escape
harness_wait_gone Valdorique_VC
expect_exit_within $HOST_PROMPT_END_MS
harness_pass
