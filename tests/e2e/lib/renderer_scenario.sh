# Shared steps of the renderer scenarios: sample capture files, starting and ending ミレボラ.dll,
# and looking at what it shows. Sourced after scripts/lib/wine-harness.sh.

# The colours of the sample capture files 1 to 4 (debris, ground, sky, meteor): red, green, blue,
# yellow.
SAMPLE_CAPTURE_COLOURS=("255 0 0" "0 255 0" "0 0 255" "255 255 0")
# In the first seconds the camera rides high above the first meteor looking at the origin: the
# ground lies in the middle of the screen and the sky fills the corners.
GROUND_POINT="512 384"
SKY_POINTS=("40 40" "984 40" "40 728" "984 728")
# The riding camera sees the first meteor below the middle of the screen.
METEOR_POINT="512 740"

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

# start_renderer [WINEDEBUG channels]: starts ミレボラ.dll from its folder as the host does; its
# Wine trace goes to $renderer_log.
start_renderer() {
  renderer_log=$(mktemp "${TMPDIR:-/tmp}/renderer-trace.XXXXXX")
  (cd "$MIREBORA_DIST" && WINEDEBUG=${1:--all} exec wine ./ミレボラ.dll) 2>"$renderer_log" &
  renderer_pid=$!
  harness_track "$renderer_pid"
}

# wait_renderer_exit SECONDS: waits for the renderer to end and sets renderer_exit_code;
# fails the scenario when it is still running after SECONDS.
wait_renderer_exit() {
  local deadline=$((SECONDS + $1))
  while kill -0 "$renderer_pid" 2>/dev/null; do
    [ $SECONDS -lt "$deadline" ] || harness_fail "the renderer still runs after $1 s"
    sleep 0.1
  done
  wait "$renderer_pid"
  renderer_exit_code=$?
}

# The renderer's window is found, shown and 1024 x 768 in its client area.
expect_renderer_window() {
  local facts
  for _ in $(seq 50); do
    facts=$(harness_probe find Valdorique_VC 10000) || harness_fail "no window Valdorique_VC"
    case "$facts" in *visible=1*) break ;; esac
    sleep 0.1
  done
  echo "window: $facts"
  case "$facts" in
    *count=1\ client=1024x768*visible=1*) ;;
    *) harness_fail "unexpected window: $facts" ;;
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
  local actual expected=($4) tolerance=${5:-24} i
  actual=($(harness_pixel "$1" "$2" "$3"))
  for i in 0 1 2; do
    local d=$((actual[i] - expected[i]))
    [ ${d#-} -le "$tolerance" ] || harness_fail "pixel ($2, $3) is ${actual[*]}, expected $4"
  done
}

# press_escape: focuses the renderer's X window and presses Escape, as a user would. The window
# may not be mapped yet right after it was created: focusing is tried again for a few seconds.
press_escape() {
  local window
  for _ in $(seq 50); do
    window=$(xdotool search --name '^Valdorique_VC$' | head -n 1)
    if [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null; then
      xdotool key Escape
      return 0
    fi
    sleep 0.1
  done
  harness_fail "cannot focus the renderer's window"
}

# count_in_log PATTERN: lines of the renderer's trace matching PATTERN.
count_in_log() { grep -c -- "$1" "$renderer_log"; }
