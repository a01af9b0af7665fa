# The hack in a window another program made, given by -window-id as XScreenSaver's daemon gives
# its own: the scene fills that window and follows its size, and when the window's program ends
# and the window is destroyed, the hack ends cleanly, with nothing for the sanitizers to report.
# Once with a window whose visual OpenGL draws with, once with one it cannot draw the scene with,
# where the hack draws into a window of its own inside the given one.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/linux_scenario.sh"
linux_start

HOST_WINDOW=$MIREBORA_NATIVE/linux/x11-host-window

# start_host [--visual-without-opengl]: a plain 400 x 300 window at the top-left corner; its id
# in host_window, its program's process in host_pid.
host_id_written() { host_window=$(head -n 1 "$host_out" 2>/dev/null) && [ -n "$host_window" ]; }
start_host() {
  host_out=$(mktemp "$linux_work/host.XXXXXX")
  "$HOST_WINDOW" 400x300 "$@" >"$host_out" &
  host_pid=$!
  harness_track "$host_pid"
  harness_wait 30 "the host window" host_id_written
}

for visual in "" --visual-without-opengl; do
  echo "host window: ${visual:-default visual}"
  start_host $visual
  start_hack -window-id "$host_window" -no-grab
  wait_scene "the scene in the given window" 0 0 400 300

  # The first meteor may have struck by now on a busy machine: the sky, drawn over the parts the
  # window has gained, shows the new size.
  xdotool windowsize "$host_window" 600 450
  wait_sky "the sky over the given window's new size" 0 0 600 450 200x450+400+0 600x150+0+300

  kill "$host_pid"
  wait_hack_exit
done
expect_no_sanitizer_report
harness_pass
