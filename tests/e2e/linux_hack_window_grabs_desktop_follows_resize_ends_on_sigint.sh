# The hack in a window of its own, as a user starts it by hand: with desktop grabs allowed in
# the user's XScreenSaver settings, the desktop under the window becomes the ground; the window
# carries the name ミレボラ; the scene follows the window to a new size; SIGINT ends the hack
# cleanly, with nothing for the sanitizers to report.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/linux_scenario.sh"
linux_start

show_linux_desktop
private_home grabbing "grabDesktopImages: True"
HOME=$private_home_dir start_hack -window -geometry 480x360+20+20
wait_hack_window
title=$(xprop -id "$hack_window" _NET_WM_NAME)
[[ "$title" == *'"ミレボラ"'* ]] || harness_fail "window name: $title"

# In its first seconds the scene shows the ground's middle at the middle of the window.
wait_scene "the scene on the grabbed desktop" 20 20 480 360 \
  expect_colour 260 200 "$LINUX_DESKTOP_COLOUR" 40

xdotool windowsize "$hack_window" 640 480
wait_scene "the scene at the window's new size" 20 20 640 480 \
  expect_colour 340 260 "$LINUX_DESKTOP_COLOUR" 40

kill -INT "$hack_pid"
wait_hack_exit
xdotool search --classname '^mirebora$' >/dev/null 2>&1 && harness_fail "the window is still there"
expect_no_sanitizer_report
harness_pass
