# shellcheck disable=SC2034  # the variables set here are read by the scripts that source this file
# Shared steps of the renderer scenarios: sample capture files, starting and ending ミレボラ.dll,
# and looking at what it shows. Sourced after scripts/lib/wine-harness.sh.

# The colours of the sample capture files 1 to 4 (debris, ground, sky, meteor): red, green, blue,
# yellow.
SAMPLE_CAPTURE_COLOURS=("255 0 0" "0 255 0" "0 0 255" "255 255 0")
# In the first seconds the camera rides high above the first meteor looking at the origin: the
# ground lies in the middle of the screen and the sky fills the corners.
GROUND_POINT="$((HARNESS_SCREEN_WIDTH / 2)) $((HARNESS_SCREEN_HEIGHT / 2))"
SKY_POINTS=("40 40" "$((HARNESS_SCREEN_WIDTH - 40)) 40" "40 $((HARNESS_SCREEN_HEIGHT - 40))"
  "$((HARNESS_SCREEN_WIDTH - 40)) $((HARNESS_SCREEN_HEIGHT - 40))")
# The riding camera sees the first meteor below the middle of the screen.
METEOR_POINT="$((HARNESS_SCREEN_WIDTH / 2)) $((HARNESS_SCREEN_HEIGHT - 28))"

renderer_log=
renderer_pid=

# Writes capture files 1 to 4 as plain 24-bit bitmaps of one colour each (made by ImageMagick, so
# the decoder is checked against files it did not write).
write_sample_captures() {
  rm -f "$MIREBORA_CAPTURE_DIR"/Valdorique*.bmp
  local i rgb
  for i in 1 2 3 4; do
    rgb=${SAMPLE_CAPTURE_COLOURS[$((i - 1))]}
    /usr/bin/convert -size 64x64 "xc:rgb(${rgb// /,})" \
      BMP3:"$MIREBORA_CAPTURE_DIR/Valdorique$i.bmp" || harness_fail "cannot write capture $i"
  done
}

# write_detailed_captures: capture files of the sizes the host writes, with detail in them, so
# that texturing does real work (for benchmarks).
write_detailed_captures() {
  local dir=$MIREBORA_CAPTURE_DIR
  rm -f "$dir"/Valdorique*.bmp
  /usr/bin/convert -size 128x128 radial-gradient:white-black BMP3:"$dir/Valdorique1.bmp" &&
    /usr/bin/convert -size 1024x768 plasma:fractal -type truecolor BMP3:"$dir/Valdorique2.bmp" &&
    /usr/bin/convert -size 256x256 plasma:fractal -colors 256 -type palette \
      BMP3:"$dir/Valdorique3.bmp" &&
    /usr/bin/convert -size 256x256 plasma:fractal -type truecolor BMP3:"$dir/Valdorique4.bmp" ||
    harness_fail "cannot write the capture files"
}

# start_renderer [WINEDEBUG channels]: starts ミレボラ.dll from its folder as the host does; its
# Wine trace goes to $renderer_log.
start_renderer() {
  renderer_log=$(mktemp "${TMPDIR:-/tmp}/renderer-trace.XXXXXX")
  (cd "$MIREBORA_DIST" && WINEDEBUG=${1:--all} exec wine ./ミレボラ.dll) 2>"$renderer_log" &
  renderer_pid=$!
  harness_track "$renderer_pid"
}

# wait_renderer_exit [SECONDS]: waits for the renderer to end (30 s by default) and sets
# renderer_exit_code.
renderer_ended() { ! kill -0 "$renderer_pid" 2>/dev/null; }
wait_renderer_exit() {
  harness_wait "${1:-30}" "the renderer to end" renderer_ended
  wait "$renderer_pid"
  renderer_exit_code=$?
}

# renderer_window_shown: the window Valdorique_VC exists and is shown; its facts in
# renderer_window_facts.
renderer_window_shown() {
  renderer_window_facts=$(harness_probe find Valdorique_VC 0) || return 1
  harness_wait_detail=$renderer_window_facts
  case "$renderer_window_facts" in *visible=1*) ;; *) return 1 ;; esac
}

# The renderer's window is found, shown and fills the screen with its client area (1024 x 768,
# or the display's own size when it offers no 1024 x 768).
expect_renderer_window() {
  harness_wait 30 "the window Valdorique_VC to be shown" renderer_window_shown
  echo "window: $renderer_window_facts"
  case "$renderer_window_facts" in
    "count=1 client=${HARNESS_SCREEN_WIDTH}x$HARNESS_SCREEN_HEIGHT at=0,0 "*visible=1*) ;;
    *) harness_fail "unexpected window: $renderer_window_facts" ;;
  esac
}

# expect_ground_and_sky PNG "R G B" "R G B": the ground and sky points show these colours.
expect_ground_and_sky() {
  local point
  expect_colour "$1" $GROUND_POINT "$2"
  for point in "${SKY_POINTS[@]}"; do
    expect_colour "$1" $point "$3"
  done
}

# expect_colour PNG X Y "R G B" [TOLERANCE]
expect_colour() {
  local actual expected tolerance=${5:-24} i
  read -r -a expected <<<"$4"
  read -r -a actual <<<"$(harness_pixel "$1" "$2" "$3")"
  for i in 0 1 2; do
    local d=$((actual[i] - expected[i]))
    [ ${d#-} -le "$tolerance" ] || harness_fail "pixel ($2, $3) is ${actual[*]}, expected $4"
  done
}

# expect_other_colour PNG X Y "R G B": the pixel differs from that colour clearly (by more than 60
# in some channel).
expect_other_colour() {
  local actual expected i
  read -r -a expected <<<"$4"
  read -r -a actual <<<"$(harness_pixel "$1" "$2" "$3")"
  for i in 0 1 2; do
    local d=$((actual[i] - expected[i]))
    [ ${d#-} -le 60 ] || return 0
  done
  harness_fail "pixel ($2, $3) is ${actual[*]}, too close to $4"
}

# press_escape: focuses the renderer's X window and presses Escape, as a user would. The window
# may not be mapped yet right after it was created: focusing is tried again until it works.
focus_renderer_window() {
  local window
  window=$(xdotool search --name '^Valdorique_VC$' | head -n 1)
  [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null
}
press_escape() {
  harness_wait 30 "the renderer's window to take the focus" focus_renderer_window
  xdotool key Escape
}

# expect_scene PNG WHAT GROUND SKY [METEOR]: waits for the scene to show GROUND at the ground
# point and SKY at the sky points (and METEOR at the meteor point), as in its first seconds.
expect_scene() {
  local png=$1 what=$2
  shift 2
  harness_wait_picture 30 "$what" "$png" expect_scene_colours "$@"
}
expect_scene_colours() {
  expect_ground_and_sky "$1" "$2" "$3"
  [ -z "${4:-}" ] || expect_colour "$1" $METEOR_POINT "$4"
}

# count_in_log PATTERN: lines of the renderer's trace matching PATTERN.
count_in_log() { grep -c -- "$1" "$renderer_log"; }

# frames_drawn: the screen clears in the renderer's OpenGL trace (started with trace+opengl), one
# a frame. wait_frames N WHAT: waits until N more frames than now have been drawn.
frames_drawn() { count_in_log 'opengl:glClear '; }
frames_at_least() { [ "$(frames_drawn)" -ge "$1" ]; }
wait_frames() {
  local target=$(($(frames_drawn) + $1))
  harness_wait 30 "$1 frames $2" frames_at_least "$target"
}

# renderer_minimised: the renderer's window is there and minimised.
renderer_minimised() { harness_probe find Valdorique_VC 0 | grep -q 'minimized=1'; }

# process_cpu_seconds PID: CPU time the process has used so far, user and system, all threads.
process_cpu_seconds() {
  awk -v hz="$(getconf CLK_TCK)" '{ sub(/.*\) /, ""); printf "%.2f\n", ($12 + $13) / hz }' \
    "/proc/$1/stat"
}

# process_waits PID: how often the process's main thread has waited so far (its voluntary
# context switches): under Wine every call into the server and every blocking wait counts.
process_waits() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$1/status"; }

# cores_between CPU0 CPU1 WALL0 WALL1: the cores a process used, from its CPU seconds at two
# wall-clock times (date +%s.%N).
cores_between() {
  awk -v a="$1" -v b="$2" -v s="$3" -v e="$4" 'BEGIN { printf "%.3f\n", (b - a) / (e - s) }'
}

# cores_used_over PID SECONDS: the cores the process uses over the next SECONDS.
cores_used_over() {
  local cpu0 wall0
  cpu0=$(process_cpu_seconds "$1")
  wall0=$(date +%s.%N)
  sleep "$2"  # the passing of time is what is measured
  cores_between "$cpu0" "$(process_cpu_seconds "$1")" "$wall0" "$(date +%s.%N)"
}

# The renderer reports its pace once a second through OutputDebugStringA, which Wine's
# warn+debugstr channel shows: "mirebora: steps N frames M skipped K", the counts since it
# started (K: steps let go after stalls). With +timestamp each trace line starts with Wine's
# clock in seconds.
PACE_LINE='mirebora: steps'

# pace_counts: "TIME STEPS FRAMES SKIPPED" for each pace line of the trace so far.
pace_counts() {
  grep -- "$PACE_LINE" "$renderer_log" |
    sed -E 's/^([0-9.]+):.*steps ([0-9]+) frames ([0-9]+) skipped ([0-9]+).*/\1 \2 \3 \4/'
}

# paced_without_stall SECONDS: the latest SECONDS seconds of pace lines skipped no step; their
# steps and frames a second, by Wine's timestamps, are in pace_rates ("STEPS FRAMES").
paced_without_stall() {
  pace_rates=$(pace_counts | tail -n $(($1 + 1)) | awk -v lines=$(($1 + 1)) '
    NR == 1 { t0 = $1; s0 = $2; f0 = $3; k0 = $4 }
    END {
      if (NR < lines) exit 1
      printf "%.2f %.2f\n", ($2 - s0) / ($1 - t0), ($3 - f0) / ($1 - t0)
      exit $4 != k0
    }')
  local status=$?
  harness_wait_detail="latest steps and frames a second: $pace_rates"
  return $status
}

# expect_mode_and_cursor_restored: the renderer (traced with trace+cursor,trace+system) changed
# the display to 1024 x 768 x 32, and at its end restored the mode from the registry and then
# showed the cursor it had hidden.
expect_mode_and_cursor_restored() {
  local tail_calls
  grep -q 'dmBitsPerPel=32 dmPelsWidth=1024 dmPelsHeight=768' "$renderer_log" ||
    harness_fail "no change to 1024 x 768 x 32"
  tail_calls=$(grep -E 'NtUserChangeDisplaySettings \(null\)|NtUserShowCursor' "$renderer_log" |
    tail -n 2)
  echo "$tail_calls"
  echo "$tail_calls" | head -n 1 | grep -q 'NtUserChangeDisplaySettings (null) (nil) (nil) 0' ||
    harness_fail "the display mode was not restored last"
  echo "$tail_calls" | tail -n 1 | grep -q 'NtUserShowCursor 1, count=0' ||
    harness_fail "the cursor was not shown again"
}
