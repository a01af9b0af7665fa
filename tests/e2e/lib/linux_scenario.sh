# shellcheck disable=SC2034  # the variables set here are read by the scripts that source this file
# Shared steps of the Linux hack's scenarios: a private display, the hack run under the
# sanitizers with their reports kept, a desktop to grab, and looking at what the hack shows.
# Sourced after scripts/lib/wine-harness.sh; brings the renderer scenarios' colour checks
# (expect_colour, expect_other_colour) with it. No Wine is started.

source "$(dirname "${BASH_SOURCE[0]}")/renderer_scenario.sh"

MIREBORA_NATIVE=${MIREBORA_NATIVE:-$MIREBORA_ROOT/build/native}
HACK=$MIREBORA_NATIVE/linux/mirebora
HACK_FRAMES=$MIREBORA_NATIVE/linux/mirebora-frames
SCENE_TRACE=$MIREBORA_NATIVE/tools/scene-trace
SCENE_COLOURS=$MIREBORA_ROOT/tests/e2e/lib/scene_colours.py
HARNESS_WORK=$MIREBORA_NATIVE/e2e-work
# The desktop the scenarios grab: one colour that the scene's pictures do not have.
LINUX_DESKTOP_COLOUR="230 130 20"

hack_pid=
hack_log=

# linux_start: a private display and a work folder; the sanitizers write their reports into the
# work folder, where expect_no_sanitizer_report looks for them. Mesa's driver stays loaded to the
# end, so that the leak check can name what Mesa leaks (tests/lsan.supp).
linux_start() {
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
  harness_start_display
  mkdir -p "$HARNESS_WORK"
  linux_work=$(mktemp -d "$HARNESS_WORK/linux.XXXXXX")
  chmod 755 "$linux_work"
  mkdir -m 777 "$linux_work/sanitizer"
  export ASAN_OPTIONS=log_path=$linux_work/sanitizer/report
  export UBSAN_OPTIONS=print_stacktrace=1:log_path=$linux_work/sanitizer/report
  export LSAN_OPTIONS=suppressions=$MIREBORA_ROOT/tests/lsan.supp
  local driver
  driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)
  [ -n "$driver" ] && export LD_PRELOAD=$driver
}

# private_home NAME [XSCREENSAVER SETTINGS LINES...]: a home folder whose .xscreensaver holds the
# given lines; its path in private_home_dir.
private_home() {
  private_home_dir=$linux_work/$1
  mkdir -p "$private_home_dir"
  shift
  printf '%s\n' "$@" >"$private_home_dir/.xscreensaver"
}

# start_saver_daemon COMMAND: the real XScreenSaver daemon, with a private home whose
# .xscreensaver lists only the hack, run as COMMAND under its name ミレボラ as the README has
# users add it, and allows desktop grabs; it answers xscreensaver-command (saver_command) when this
# returns.
start_saver_daemon() {
  private_home saver "mode: one" "selected: 0" "lock: False" "fade: False" "unfade: False" \
    "splash: False" "timeout: 0:30:00" "grabDesktopImages: True" \
    "programs: GL: \"ミレボラ\" $1 \\n"
  run_saver_daemon
}

# run_saver_daemon: the daemon for the home in private_home_dir, with its .xscreensaver as it is
# (or none). Its log, with the hacks' messages, in daemon_log. The daemon launches no hacks as
# root, so as root it runs as the user nobody.
run_saver_daemon() {
  daemon_log=$linux_work/daemon-$((++daemon_count)).log
  local as_saver_user=()
  if [ "$(id -u)" = 0 ]; then
    chown -R nobody:nogroup "$private_home_dir"
    as_saver_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  HOME=$private_home_dir "${as_saver_user[@]}" xscreensaver -no-splash -verbose \
    >"$daemon_log" 2>&1 &
  daemon_pid=$!
  harness_track "$daemon_pid"
  harness_wait 30 "the daemon to answer" saver_command -version
}
daemon_count=0

# stop_saver_daemon: asks the daemon to end and waits until it has.
stop_saver_daemon() {
  saver_command -exit || harness_fail "xscreensaver-command -exit failed"
  harness_wait 30 "the daemon to end" process_ended "$daemon_pid"
  wait "$daemon_pid" 2>/dev/null || true
}
saver_command() { HOME=$private_home_dir xscreensaver-command "$@" >/dev/null 2>&1; }

# daemon_forked SCREEN COMMAND: the daemon's log names the process it forked for COMMAND on its
# screen SCREEN (a head, 0 for the first) and the window it gave it; they are put in forked_pid
# and forked_window.
daemon_forked() {
  local line
  line=$(grep -F "$1: forked \"$2\" in pid" "$daemon_log" | tail -n 1)
  [[ "$line" =~ in\ pid\ ([0-9]+)\ on\ window\ (0x[0-9a-f]+) ]] || return 1
  forked_pid=${BASH_REMATCH[1]} forked_window=${BASH_REMATCH[2]}
}

# process_ended PID: the process is gone, or a zombie that nobody has collected yet.
process_ended() { [ ! -e "/proc/$1" ] || grep -q '^State:.*Z' "/proc/$1/status"; }

# show_linux_desktop: the root window in LINUX_DESKTOP_COLOUR, as a desktop to grab. ImageMagick's
# display ends with status 1 even when it painted: the screenshot tells.
show_linux_desktop() {
  local picture=$linux_work/desktop.png
  /usr/bin/convert -size 64x64 "xc:rgb(${LINUX_DESKTOP_COLOUR// /,})" "$picture"
  display -display "$DISPLAY" -window root "$picture" || true
  harness_wait_picture 30 "the desktop painted" "$linux_work/desktop-shown.png" \
    expect_colour 512 384 "$LINUX_DESKTOP_COLOUR" 0
}

# start_hack [mirebora options...]: runs the hack in the background, its messages in hack_log.
start_hack() {
  hack_log=$(mktemp "$linux_work/hack.XXXXXX")
  "$HACK" "$@" 2>"$hack_log" &
  hack_pid=$!
  harness_track "$hack_pid"
}

# wait_hack_exit [SECONDS]: waits for the hack to end and expects exit code 0.
hack_ended() { ! kill -0 "$hack_pid" 2>/dev/null; }
wait_hack_exit() {
  local code
  harness_wait "${1:-30}" "the hack to end" hack_ended
  wait "$hack_pid" && code=0 || code=$?
  [ "$code" -eq 0 ] || harness_fail "the hack ended with $code: $(cat "$hack_log")"
}

# The own window of the hack, by its class name; its id in hack_window.
hack_window_shown() {
  hack_window=$(xdotool search --onlyvisible --classname '^mirebora$' 2>/dev/null | head -n 1)
  [ -n "$hack_window" ]
}
wait_hack_window() { harness_wait 30 "the hack's window" hack_window_shown; }

# expect_scene_in PNG LEFT TOP WIDTH HEIGHT: the area shows the nebula sky and the first meteor.
expect_scene_in() {
  local png=$1
  shift
  harness_wait_detail=$(python3 "$SCENE_COLOURS" "$png" "$@") ||
    harness_fail "no sky or no meteor in $*: $harness_wait_detail"
}

# sky_shown PNG LEFT TOP WIDTH HEIGHT [WxH+X+Y...]: the area shows the nebula sky, whatever the
# meteors do, and each part given is drawn over (not one plain colour).
sky_shown() {
  harness_wait_detail=$(python3 "$SCENE_COLOURS" "${@:1:5}" --sky) ||
    harness_fail "no sky in ${*:2:4}: $harness_wait_detail"
  local part spread
  for part in "${@:6}"; do
    spread=$(convert "$1" -crop "$part" +repage -colorspace Gray \
      -format '%[fx:int(1000*standard_deviation)]' info:)
    [ "$spread" -gt 15 ] || harness_fail "$part is plain (grey spread $spread/1000)"
  done
}
# wait_sky WHAT LEFT TOP WIDTH HEIGHT [WxH+X+Y...]: takes screenshots until one shows the sky in
# the area, drawn over each part given.
wait_sky() {
  scene_png=$linux_work/scene-$((++scene_count)).png
  harness_wait_picture 60 "$1" "$scene_png" sky_shown "${@:2}"
}

# scene_shown PNG LEFT TOP WIDTH HEIGHT [CHECK ARGS...]: the area shows the scene, and CHECK
# passes on the picture as `CHECK PNG ARGS...`.
scene_shown() {
  local png=$1
  expect_scene_in "$png" "${@:2:4}"
  [ $# -le 5 ] || "$6" "$png" "${@:7}"
}

# wait_scene WHAT LEFT TOP WIDTH HEIGHT [CHECK ARGS...]: takes screenshots until one shows the
# scene in the area (and passes CHECK); it stays in scene_png.
wait_scene() {
  local what=$1
  shift
  scene_png=$linux_work/scene-$((++scene_count)).png
  harness_wait_picture 60 "$what" "$scene_png" scene_shown "$@"
}
scene_count=0

# expect_no_sanitizer_report: no sanitizer found an error or a leak in any program run so far.
expect_no_sanitizer_report() {
  local report
  for report in "$linux_work"/sanitizer/report.*; do
    [ -e "$report" ] || continue
    if grep -q 'ERROR: \|runtime error:' "$report"; then
      harness_fail "sanitizer report $report: $(head -n 30 "$report")"
    fi
  done
}
