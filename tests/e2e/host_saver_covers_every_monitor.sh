# Two monitors, a 1024 x 768 primary and an 800 x 600 one to its right: the saver runs on the
# primary and covers the other in black for the whole run, hiding a bright window left there.
# Escape pressed on the cover ends the saver as on the scene, and the window shows again.
HARNESS_HEADS="1024x768 800x600"
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8

readonly BRIGHT="0 255 0" BRIGHT_POINT="1400 250"
monitors=$(harness_probe monitors)
echo "$monitors"
[ "$monitors" = "monitor=0,0 1024x768 primary=1
monitor=1024,0 800x600 primary=0" ] || harness_fail "Wine does not report the two monitors"

install_host
show_desktop
bright=$(mktemp --suffix=.png)
/usr/bin/convert -size 400x300 "xc:rgb(${BRIGHT// /,})" "$bright"
display -display "$DISPLAY" -geometry 400x300+1200+100 -borderwidth 0 -title bright "$bright" &
harness_track $!
harness_wait_picture 30 "the bright window on the second monitor" "$HARNESS_WORK/before.png" \
  expect_colour $BRIGHT_POINT "$BRIGHT"

start_host /s
expect_window Valdorique_VC >/dev/null
# expect_covered PNG: the scene on the primary, black over the whole second monitor.
expect_covered() {
  local point
  expect_desktop_as_ground "$1"
  for point in "1030 5" "$BRIGHT_POINT" "1818 595"; do
    expect_colour "$1" $point "0 0 0" 8
  done
}
harness_wait_picture 30 "the scene on the primary and the second monitor covered" \
  "$HARNESS_WORK/covered.png" expect_covered
cover=$(harness_wait_window Valdorique_Cover)
echo "cover: $cover"
case "$cover" in
  *"count=1 client=800x600 at=1024,0 visible=1"*) ;;
  *) harness_fail "not one cover over the second monitor: $cover" ;;
esac

# Escape on the cover, which has the keyboard once it is clicked.
focus_cover() {
  local window
  window=$(xdotool search --name '^Valdorique_Cover$' | head -n 1)
  [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null
}
harness_wait 30 "the cover to take the focus" focus_cover
xdotool key Escape
harness_wait_gone Valdorique_VC
expect_exit_within $HOST_PROMPT_END_MS
expect_no_window Valdorique_Cover
harness_wait_picture 30 "the bright window shown again" "$HARNESS_WORK/after.png" \
  expect_colour $BRIGHT_POINT "$BRIGHT"
harness_pass
