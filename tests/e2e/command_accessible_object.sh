# A screen reader in the program's process asks a Command button for its accessible object
# (WM_GETOBJECT, OBJID_CLIENT, ObjectFromLresult): a push button named by its caption, focusable,
# focused while it has the focus, pressed while the left button holds it, unavailable when disabled
# by its window or by its Enabled property; its default action "press" raises one Click, and
# fails on a disabled button without a Click.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
PUSH_BUTTON=43  # ROLE_SYSTEM_PUSHBUTTON
FOCUSABLE=0x100000 FOCUSED=0x4 PRESSED=0x8 UNAVAILABLE=0x1

# expect_accessible ID NAME STATE PRESSED_RESULT: what button ID's object tells, and the result of
# its default action.
expect_accessible() {
  local count line
  count=$(($(grep -c "^Pressed " "$command_log") + 1))
  post_to_window $((0x8006)) "$1" 0
  harness_wait_lines 30 "$command_log" "^Pressed " "$count"
  line=$(grep "^Accessible $1 " "$command_log" | tail -n 1)
  echo "$line"
  [ "$line" = "Accessible $1 role=$PUSH_BUTTON name=$2 state=$(printf '0x%x' "$3") action=press" ] ||
    harness_fail "button $1 told: $line"
  line=$(grep "^Pressed $1 " "$command_log" | tail -n 1)
  [ "$line" = "Pressed $1 $4" ] || harness_fail "its default action: $line"
}

start_command_window
expect_command_window
expect_accessible 1 OK $((FOCUSABLE)) 0x0
harness_wait_lines 30 "$command_log" "^Click 1$" 1
expect_accessible 3 Disabled $((FOCUSABLE | UNAVAILABLE)) 0x80004005
expect_accessible 6 Off $((FOCUSABLE | UNAVAILABLE)) 0x80004005

# Held by the left button: focused and pressed; "press" clicks it, and so does the release.
hover "${CANCEL_BUTTON[@]}"
with_input WM_LBUTTONDOWN mousedown 1
expect_accessible 2 Cancel $((FOCUSABLE | FOCUSED | PRESSED)) 0x0
harness_wait_lines 30 "$command_log" "^Click 2$" 1
with_input WM_LBUTTONUP mouseup 1
expect_accessible 2 Cancel $((FOCUSABLE | FOCUSED)) 0x0
harness_wait_lines 30 "$command_log" "^Click 2$" 3
echo "log:"; cat "$command_log"
[ "$(clicks_of 1) $(clicks_of 3) $(clicks_of 6)" = "1 0 0" ] ||
  harness_fail "unexpected Clicks: $(cat "$command_log")"
harness_pass
