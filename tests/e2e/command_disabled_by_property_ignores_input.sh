# A Command button loaded with Enabled false keeps its window enabled, so it gets the mouse,
# and ignores it: hover, a held left press, clicks of every button and the pointer poll leave
# its Disable look and greyed caption, and no Click is raised. Its properties read back as
# stored; reading them keeps the Disable look.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
shot=$HARNESS_WORK/disabled

# expect_disabled PNG: the Disable frame over a light-to-shade body, the caption greyed.
expect_disabled() {
  local grey
  expect_colour "$1" $((OFF_BUTTON[0] + 30)) "${OFF_BUTTON[1]}" "$FACE" 4
  expect_look "$1" "${OFF_BUTTON[@]}" "$DISABLE_LINE" "$DISABLE_RING" 0
  grey=$(darkest_in_caption "$1" "${OFF_BUTTON[@]}")
  [ "$grey" -ge 90 ] && [ "$grey" -le 200 ] || harness_fail "no greyed caption (darkest $grey)"
}

start_command_window
expect_command_window
harness_wait_picture 30 "the Disable look" "$shot-loaded.png" expect_disabled

# Each step waits until the button has handled the input: what it would have painted is painted.
move_pointer_to "${OFF_BUTTON[@]}"
harness_screenshot "$shot-hover.png"
expect_disabled "$shot-hover.png"
with_input WM_LBUTTONDOWN mousedown 1
harness_screenshot "$shot-held.png"
expect_disabled "$shot-held.png"
with_input WM_LBUTTONUP mouseup 1
with_input WM_RBUTTONUP click 3
with_input WM_MBUTTONUP click 2
with_input WM_MOUSEMOVE mousemove $ON_THE_WINDOW
harness_screenshot "$shot-left.png"
expect_disabled "$shot-left.png"

report_properties 6
grep -qx "Properties 6 Visible=255 Enabled=0 FontColour=0 Caption=Off Font=.*" "$command_log" ||
  harness_fail "unexpected properties: $(cat "$command_log")"
grep -q '^Stored 6 .*Enabled=false' "$command_log" || harness_fail "Enabled false not stored"
harness_screenshot "$shot-read.png"
expect_disabled "$shot-read.png"
[ "$(all_clicks)" -eq 0 ] || harness_fail "the disabled button raised: $(cat "$command_log")"
echo "screenshots: $shot-*.png"
harness_pass
