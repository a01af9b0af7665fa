# Two monitors, a 1024 x 768 primary and a portrait 768 x 1024 one to its right, each with a
# desktop of its own colour: the primary shows its scene as it always has, and the second monitor
# a moving scene of its own that fills it, with its own desktop as the ground under the sky. That
# desktop stays in memory: the capture folder holds the four files alone, and no file in the Wine
# prefix holds the second desktop. The second monitor's window refuses the system's screen-saver
# commands as the primary's does, and a click on it leaves the primary's window active; while the
# session is locked it stands still with the primary's. Escape pressed on the second monitor
# ends the saver, and both desktops show again.
HARNESS_HEADS="1024x768 768x1024"
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8

readonly RED="255 0 0"
readonly SECOND="1024 0 768 1024"                      # x y width height
readonly SECOND_GROUND="1408 512" SECOND_SKY="1040 16" # its middle, and a corner
monitors=$(harness_probe monitors)
echo "$monitors"
[ "$monitors" = "monitor=0,0 1024x768 primary=1
monitor=1024,0 768x1024 primary=0" ] || harness_fail "Wine does not report the two monitors"

install_host
show_desktop
red=$(mktemp --suffix=.png)
/usr/bin/convert -size 768x1024 "xc:rgb(${RED// /,})" "$red"
display -display "$DISPLAY" -geometry 768x1024+1024+0 -borderwidth 0 -title red "$red" &
harness_track $!
harness_wait_picture 30 "the red desktop on the second monitor" "$HARNESS_WORK/before.png" \
  expect_colour $SECOND_GROUND "$RED"
started=$(mktemp)

start_host /s "${SCENARIO_WINEDEBUG:--all}"
expect_window Valdorique_VC >/dev/null
# second_head PNG OUT: the second monitor's part of the picture.
second_head() {
  read -r x y w h <<<"$SECOND"
  /usr/bin/convert "$1" -crop "${w}x$h+$x+$y" +repage "$2"
}
# expect_two_scenes PNG: the primary's scene as ever; on the second monitor its own desktop in
# the middle under a sky that is neither the desktop nor black.
expect_two_scenes() {
  expect_desktop_as_ground "$1"
  expect_colour "$1" $SECOND_GROUND "$RED" 40
  expect_other_colour "$1" $SECOND_SKY "$RED"
  second_head "$1" "$1.second.png"
  local spread
  spread=$(/usr/bin/convert "$1.second.png" -colorspace Gray -format '%[fx:int(1000*standard_deviation)]' info:)
  [ "$spread" -gt 20 ] || harness_fail "the second monitor is plain (grey spread $spread/1000)"
}
harness_wait_picture 30 "a scene on each monitor" "$HARNESS_WORK/scenes.png" expect_two_scenes
scene=$(harness_wait_window Valdorique_Monitor)
echo "second monitor's scene: $scene"
case "$scene" in
  *"count=1 client=768x1024 at=1024,0 visible=1"*) ;;
  *) harness_fail "not one scene window filling the second monitor: $scene" ;;
esac

# moved_on PNG [SINCE]: the second monitor's picture is no longer the one in SINCE (by default
# the first taken of the scene).
moved_on() {
  second_head "$1" "$1.second.png"
  local changed
  changed=$(/usr/bin/compare -metric AE -fuzz 8% "${2:-$HARNESS_WORK/scenes.png.second.png}" \
    "$1.second.png" null: 2>&1 >/dev/null) || true
  [ "${changed%%.*}" -gt 2000 ] || harness_fail "only $changed pixels changed"
}
# stands_still PNG: the second monitor's picture is the one of the previous call.
stands_still() {
  local previous=$HARNESS_WORK/still-previous.png changed=
  second_head "$1" "$1.second.png"
  [ ! -f "$previous" ] ||
    changed=$(/usr/bin/compare -metric AE "$previous" "$1.second.png" null: 2>&1) || true
  mv "$1.second.png" "$previous"
  [ "${changed:-x}" = 0 ] || harness_fail "the second monitor still changes (${changed:-?} pixels)"
}
# The system's screen-saver and power-down commands to the second monitor's window, and a click
# on it, change nothing: it goes on moving, and the primary's window stays the active one.
readonly SC_SCREENSAVE=0xF140 SC_MONITORPOWER=0xF170 MONITOR_OFF=2
harness_probe post Valdorique_Monitor syscommand $SC_SCREENSAVE 0 || harness_fail "cannot post"
harness_probe post Valdorique_Monitor syscommand $SC_MONITORPOWER $MONITOR_OFF ||
  harness_fail "cannot post"
xdotool mousemove 1408 700 click 1
harness_wait_picture 30 "the second monitor's scene to move" "$HARNESS_WORK/later.png" moved_on
primary=$(harness_probe find Valdorique_VC 0)
case "$primary" in
  *foreground=1*) ;;
  *) harness_fail "the primary's window is no longer the active one: $primary" ;;
esac
# The session locked, as the primary's window learns: the second monitor's scene stands still
# too, and moves again on the unlock.
readonly WM_WTSSESSION_CHANGE=0x02B1 WTS_SESSION_LOCK=7 WTS_SESSION_UNLOCK=8
harness_probe post Valdorique_VC $WM_WTSSESSION_CHANGE $WTS_SESSION_LOCK 0 ||
  harness_fail "cannot post"
rm -f "$HARNESS_WORK/still-previous.png"
harness_wait_picture 30 "the second monitor's scene to stand still while locked" \
  "$HARNESS_WORK/locked.png" stands_still
harness_probe post Valdorique_VC $WM_WTSSESSION_CHANGE $WTS_SESSION_UNLOCK 0 ||
  harness_fail "cannot post"
harness_wait_picture 30 "the second monitor's scene to move after the unlock" \
  "$HARNESS_WORK/unlocked.png" moved_on "$HARNESS_WORK/still-previous.png"

# files_holding "R G B": the files of the prefix written since the saver started that hold 2000
# pixels in a row of that colour, as a bitmap of 24 or 32 bits or plain RGB would hold them.
files_holding() {
  find "$WINEPREFIX" -type f -newer "$started" -size +10k -print0 |
    xargs -0 -r python3 -c '
import sys
red, green, blue = (int(value) for value in sys.argv[1].split())
pixel = bytes([blue, green, red])
runs = [pixel * 2000, (pixel + b"\x00") * 2000, (pixel + b"\xff") * 2000,
        bytes([red, green, blue]) * 2000]
for path in sys.argv[2:]:
    with open(path, "rb") as file:
        data = file.read()
    if any(run in data for run in runs):
        print(path)
' "$1"
}
# The capture folder holds the four files; the primary's desktop is found in its capture file,
# and the second desktop in no file at all.
captures=$(ls "$MIREBORA_CAPTURE_DIR")
[ "$captures" = "$(printf 'Valdorique%s.bmp\n' 1 2 3 4)" ] ||
  harness_fail "the capture folder holds: $captures"
held=$(files_holding "$DESKTOP_COLOUR")
[ "$held" = "$MIREBORA_CAPTURE_DIR/Valdorique2.bmp" ] ||
  harness_fail "the primary's desktop is not found in its capture file alone: '$held'"
held=$(files_holding "$RED")
[ -z "$held" ] || harness_fail "files holding the second desktop: $held"

# Escape on the second monitor, which has the keyboard once it is focused.
focus_second() {
  local window
  window=$(xdotool search --name '^Valdorique_Monitor$' | head -n 1)
  [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null
}
harness_wait 30 "the second monitor's scene to take the focus" focus_second
xdotool key Escape
harness_wait_gone Valdorique_VC
expect_exit_within $HOST_PROMPT_END_MS
expect_no_window Valdorique_Monitor
harness_wait_picture 30 "both desktops shown again" "$HARNESS_WORK/after.png" \
  expect_colour $SECOND_GROUND "$RED"
harness_pass
