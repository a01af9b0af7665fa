# shellcheck disable=SC2034  # the variables set here are read by the scripts that source this file
# Shared steps of the Command button scenarios: the test window and its layout; the button's
# looks come from command_looks.sh. Sourced after scripts/lib/wine-harness.sh and
# tests/e2e/lib/renderer_scenario.sh (for expect_colour).

source "$(dirname "${BASH_SOURCE[0]}")/command_looks.sh"

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

command_dir=
command_log=
command_trace=
command_pid=

# start_command_window [bench N]: starts the test window in a fresh folder; Clicks (and the
# benchmark's figure) go to $command_log, the messages it takes from its queue to $command_trace.
start_command_window() {
  command_dir=$(mktemp -d "${TMPDIR:-/tmp}/command-scenario.XXXXXX")
  command_log=$command_dir/clicks.log
  command_trace=$command_dir/messages.log
  : >"$command_log"
  local channels=trace+msg
  [ "${1:-}" != bench ] || channels=-all  # the benchmark times paints without the trace's cost
  (cd "$command_dir" && WINEDEBUG=$channels exec wine "$COMMAND_TEST_WINDOW" clicks.log "$@") \
    2>"$command_trace" &
  command_pid=$!
  harness_track "$command_pid"
}

# input_taken MSG: how many input messages MSG (WM_LBUTTONUP ...) the test window has taken.
input_taken() { grep -c "got type 7 msg [0-9a-f]* ($1)" "$command_trace"; }

# input_handled MSG N: the test window has taken its Nth MSG and handled it: a timer message came
# after it, and the queue hands out timer messages only when no input is waiting.
input_handled() {
  awk -v input="($1)" -v n="$2" '
    index($0, "got type 7 ") && index($0, input) { if (++seen == n) after = 1; next }
    after && index($0, "(WM_TIMER)") { found = 1; exit }
    END { exit !found }' "$command_trace"
}

# with_input MSG XDOTOOL_ARGS...: sends input with xdotool and waits until the test window has
# taken and handled the MSG that comes of it (the last one, for a click WM_xBUTTONUP), so that
# whatever that input did, or did not do, has happened.
with_input() {
  local msg=$1 target
  shift
  target=$(($(input_taken "$msg") + 1))
  xdotool "$@"
  harness_wait 30 "the test window to handle $msg" input_handled "$msg" "$target"
}

command_window_shown() {
  command_window_facts=$(harness_probe find "$COMMAND_TITLE" 0) || return 1
  case "$command_window_facts" in *visible=1*) ;; *) return 1 ;; esac
}

# The test window is shown at the screen's top left and its buttons are painted.
expect_command_window() {
  harness_wait 30 "the window '$COMMAND_TITLE' to be shown" command_window_shown
  case "$command_window_facts" in
    *count=1\ client=300x200\ at=0,0*visible=1*) ;;
    *) harness_fail "unexpected test window: $command_window_facts" ;;
  esac
  harness_wait_picture 30 "the buttons' first paint" "$HARNESS_WORK/command-painted.png" \
    expect_look "${OK_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0
}

# move_pointer_to LEFT TOP WIDTH HEIGHT: the pointer moves to the button's centre, and the test
# window has handled the move.
move_pointer_to() { with_input WM_MOUSEMOVE mousemove "$(($1 + $3 / 2))" "$(($2 + $4 / 2))"; }

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

# post_to_window MESSAGE WPARAM LPARAM: posts to the test window. A post the probe could not make
# (no window found at that moment, a probe that did not start) made nothing happen, and is tried
# again.
posted_to_window() { harness_probe post "$COMMAND_TITLE" "$@" >/dev/null; }
post_to_window() { harness_wait 30 "the message $1 to be posted to the window" posted_to_window "$@"; }

# report_properties ID: has the test window log the button's properties as read and as stored,
# and waits for the lines.
report_properties() {
  local before
  before=$(grep -c "^Stored $1 " "$command_log")
  post_to_window "$REPORT" "$1" 0
  harness_wait_lines 30 "$command_log" "^Stored $1 " $((before + 1))
}

# hover LEFT TOP WIDTH HEIGHT: moves the pointer to the enabled button's centre and waits for its
# hover look (HighLight, or HighLightSelect with the same frame): the button has seen the pointer.
hover() {
  move_pointer_to "$@"
  harness_wait_picture 30 "the hover look" "$HARNESS_WORK/command-hover.png" \
    expect_colour $(($1 + 30)) $(($2 + 2)) "$HIGHLIGHT_RING" 4
}
