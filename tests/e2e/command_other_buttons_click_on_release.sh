# The right and middle buttons over a Command button: pressing them changes nothing (no Pressed
# look, no focus), releasing them raises Click and paints nothing. Hovered without focus the
# button keeps HighLight and goes back to Normal when left; after a left click it keeps
# HighLightSelect through a right click and goes to Selected when left.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
shot=$(mktemp -d)/other-buttons

# press_and_release XDOTOOL_BUTTON CLICKS_AFTER NAME: the look stays HighLight (or
# HighLightSelect, the same bitmap) on the inverted body while the button is held and after it
# is released; the release raises Click number CLICKS_AFTER.
press_and_release() {
  xdotool mousedown "$1"
  sleep 0.4
  harness_screenshot "$shot-$3-down.png"
  expect_look "$shot-$3-down.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$HIGHLIGHT_RING" 1
  [ "$(all_clicks)" -eq $(($2 - 1)) ] || harness_fail "the $3 press raised a Click"
  xdotool mouseup "$1"
  sleep 0.4
  harness_screenshot "$shot-$3-up.png"
  expect_look "$shot-$3-up.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$HIGHLIGHT_RING" 1
  [ "$(clicks_of 2)" -eq "$2" ] || harness_fail "after the $3 release: $(clicks_of 2) Clicks"
}

start_command_window
expect_command_window
xdotool mousemove $(centre_of "${CANCEL_BUTTON[@]}")
sleep 0.4
press_and_release 3 1 right
press_and_release 2 2 middle
# Neither press took the focus: leaving shows Normal, not Selected.
xdotool mousemove $ON_THE_WINDOW
sleep 0.5
harness_screenshot "$shot-left.png"
expect_look "$shot-left.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0

xdotool mousemove $(centre_of "${CANCEL_BUTTON[@]}")
sleep 0.4
xdotool click 1
sleep 0.4
[ "$(clicks_of 2)" -eq 3 ] || harness_fail "the left click raised no Click"
press_and_release 3 4 right-focused
xdotool mousemove $ON_THE_WINDOW
sleep 0.5
harness_screenshot "$shot-selected.png"
expect_look "$shot-selected.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$SELECTED_RING" 0
[ "$(all_clicks)" -eq 4 ] || harness_fail "other Clicks were raised: $(cat "$command_log")"
echo "screenshots: $shot-*.png"
echo "PASS"
