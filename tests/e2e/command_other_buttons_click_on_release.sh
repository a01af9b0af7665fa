# The right and middle buttons over a Command button: pressing them changes nothing (no Pressed
# look, no focus), releasing them raises Click and paints nothing. Hovered without focus the
# button keeps HighLight and goes back to Normal when left; after a left click it keeps
# HighLightSelect through a right click and goes to Selected when left.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
shot=$HARNESS_WORK/other-buttons

# press_and_release XDOTOOL_BUTTON MESSAGE CLICKS_AFTER NAME: the look stays HighLight (or
# HighLightSelect, the same bitmap) on the inverted body while the button is held and after it
# is released; the release (MESSAGE, WM_xBUTTONUP) raises Click number CLICKS_AFTER.
press_and_release() {
  with_input "${2/UP/DOWN}" mousedown "$1"
  harness_screenshot "$shot-$4-down.png"
  expect_look "$shot-$4-down.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$HIGHLIGHT_RING" 1
  [ "$(all_clicks)" -eq $(($3 - 1)) ] || harness_fail "the $4 press raised a Click"
  with_input "$2" mouseup "$1"
  harness_screenshot "$shot-$4-up.png"
  expect_look "$shot-$4-up.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$HIGHLIGHT_RING" 1
  [ "$(clicks_of 2)" -eq "$3" ] || harness_fail "after the $4 release: $(clicks_of 2) Clicks"
}

start_command_window
expect_command_window
hover "${CANCEL_BUTTON[@]}"
press_and_release 3 WM_RBUTTONUP 1 right
press_and_release 2 WM_MBUTTONUP 2 middle
# Neither press took the focus: leaving shows Normal, not Selected.
with_input WM_MOUSEMOVE mousemove $ON_THE_WINDOW
wait_look Normal "$shot-left.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0

hover "${CANCEL_BUTTON[@]}"
with_input WM_LBUTTONUP click 1
[ "$(clicks_of 2)" -eq 3 ] || harness_fail "the left click raised no Click"
press_and_release 3 WM_RBUTTONUP 4 right-focused
with_input WM_MOUSEMOVE mousemove $ON_THE_WINDOW
wait_look Selected "$shot-selected.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$SELECTED_RING" 0
[ "$(all_clicks)" -eq 4 ] || harness_fail "other Clicks were raised: $(cat "$command_log")"
echo "screenshots: $shot-*.png"
harness_pass
