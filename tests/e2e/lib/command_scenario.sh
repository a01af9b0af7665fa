# Shared steps of the Command button scenarios: the test window, its layout and the button's
# colours. Sourced after scripts/lib/wine-harness.sh and tests/e2e/lib/renderer_scenario.sh
# (for expect_colour).

COMMAND_TEST_WINDOW=$MIREBORA_BUILD/tests/command-test-window.exe
COMMAND_TITLE="Command test window"
# The test window sits at the screen's top left corner; its buttons' left, top, width, height.
OK_BUTTON=(20 20 81 25)
CANCEL_BUTTON=(120 20 81 25)
DISABLED_BUTTON=(20 70 81 25)
# Loaded from stored properties: transparent over the stripes, and disabled through Enabled.
CLEAR_BUTTON=(20 140 121 30)
OFF_BUTTON=(170 140 81 25)
# A point on the test window away from every button.
ON_THE_WINDOW="250 5"

# The colours of the state images' top rows: light beige outside, then the frame line, then the
# inner ring next to it.
BEIGE_TOP="224 220 201"
FACE="236 233 216"
NAVY="0 60 116"
DISABLE_LINE="201 199 186"
NORMAL_RING="243 243 238"
HIGHLIGHT_RING="255 240 207"
SELECTED_RING="206 231 255"
DISABLE_RING="245 244 234"
# The test window's stripes under the transparent button: 6 pixels wide from x = 10, the first
# one STRIPE_A.
STRIPE_A="120 200 230"
STRIPE_B="250 200 120"
stripe_at() {
  if [ $((($1 - 10) / 6 % 2)) -eq 0 ]; then echo "$STRIPE_A"; else echo "$STRIPE_B"; fi
}

# Messages the test window takes from e2e-probe post (WM_APP + 1 to 4): set a button's Visible;
# log its properties as read and as stored; set its Enabled; caption "Renamed" in a colour.
SET_VISIBLE=$((0x8001))
REPORT=$((0x8002))
SET_ENABLED=$((0x8003))
RENAME=$((0x8004))
# The body's two colours, light and shade, each channel read in red, green, blue order.
LIGHT=(255 255 255)
SHADE=(198 197 215)

command_dir=
command_log=
command_pid=

# start_command_window [bench N]: starts the test window in a fresh folder; Clicks (and the
# benchmark's figure) go to $command_log.
start_command_window() {
  command_dir=$(mktemp -d "${TMPDIR:-/tmp}/command-scenario.XXXXXX")
  command_log=$command_dir/clicks.log
  : >"$command_log"
  (cd "$command_dir" && exec wine "$COMMAND_TEST_WINDOW" clicks.log "$@") &
  command_pid=$!
  harness_track "$command_pid"
}

expect_command_window() {
  local facts
  # The window exists a moment before it is shown.
  for _ in $(seq 50); do
    facts=$(harness_probe find "$COMMAND_TITLE" 15000) || harness_fail "no test window"
    case "$facts" in *visible=1*) break ;; esac
    sleep 0.1
  done
  case "$facts" in
    *count=1\ client=300x200\ at=0,0*visible=1*) ;;
    *) harness_fail "unexpected test window: $facts" ;;
  esac
  sleep 0.5  # the first paint
}

# centre_of LEFT TOP WIDTH HEIGHT: the button's centre as "X Y".
centre_of() { echo "$(($1 + $3 / 2)) $(($2 + $4 / 2))"; }

# body_colour ROW HEIGHT INVERTED: the gradient's colour at ROW of a control HEIGHT pixels high,
# from vertex 0 at row 0 to vertex 1 at row HEIGHT - 1 (light over shade unless INVERTED is 1).
body_colour() {
  local row=$1 last=$(($2 - 1)) top=("${LIGHT[@]}") bottom=("${SHADE[@]}") i out=()
  if [ "$3" = 1 ]; then top=("${SHADE[@]}"); bottom=("${LIGHT[@]}"); fi
  for i in 0 1 2; do
    out+=($((top[i] + (bottom[i] - top[i]) * row / last)))
  done
  echo "${out[*]}"
}

# expect_look PNG LEFT TOP WIDTH HEIGHT LINE RING INVERTED: the frame line one pixel in from the
# top, the inner ring below it, and the body near its top and bottom, a little left of the
# caption, show these colours.
expect_look() {
  local png=$1 x=$2 y=$3 height=$5 column=$(($2 + 30)) body=$(($2 + 6))
  expect_colour "$png" "$column" $((y + 1)) "$6" 4
  expect_colour "$png" "$column" $((y + 2)) "$7" 4
  expect_colour "$png" "$body" $((y + 5)) "$(body_colour 5 "$height" "$8")" 3
  expect_colour "$png" "$body" $((y + height - 5)) "$(body_colour $((height - 5)) "$height" "$8")" 3
}

# darkest_in_caption PNG LEFT TOP WIDTH HEIGHT: the darkest grey level of the caption's band.
darkest_in_caption() {
  /usr/bin/convert "$1" -crop "$4x13+$2+$(($3 + 5))" +repage -colorspace gray \
    -format '%[fx:int(255*minima)]' info:
}

# reddest_in_caption PNG LEFT TOP WIDTH HEIGHT: how much redder than green the caption's band
# gets at most, 0 to 255.
reddest_in_caption() {
  /usr/bin/convert "$1" -crop "$4x13+$2+$(($3 + 5))" +repage -fx 'r - g' \
    -format '%[fx:int(255*maxima)]' info:
}

# clicks_of ID: how many Clicks the button ID raised so far; all_clicks: of every button.
clicks_of() { grep -c "^Click $1\$" "$command_log"; }
all_clicks() { grep -c '^Click ' "$command_log"; }

# post_to_window MESSAGE WPARAM LPARAM: posts to the test window and gives it a moment.
post_to_window() {
  harness_probe post "$COMMAND_TITLE" "$@" >/dev/null || harness_fail "cannot post $1 to the window"
  sleep 0.5
}
