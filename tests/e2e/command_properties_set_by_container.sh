# The container sets a Command button's properties through its functions: a new caption in red
# shows at once; Enabled false gives the Disable look and a button that ignores clicks, Enabled
# true the Normal look and Clicks again. Every change is announced to the window, and the
# properties read back as set.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
shot=$(mktemp -d)/set-by-container
RED=$((0x0000FF))  # a COLORREF: red in the low byte

start_command_window
expect_command_window
harness_screenshot "$shot-before.png"
red=$(reddest_in_caption "$shot-before.png" "${CANCEL_BUTTON[@]}")
[ "$red" -le 20 ] || harness_fail "a red caption before it was set ($red)"

post_to_window "$RENAME" 2 "$RED"
harness_screenshot "$shot-renamed.png"
red=$(reddest_in_caption "$shot-renamed.png" "${CANCEL_BUTTON[@]}")
[ "$red" -ge 150 ] || harness_fail "no red caption after the change ($red)"
expect_look "$shot-renamed.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0
post_to_window "$REPORT" 2 0
grep -qx "Properties 2 Visible=255 Enabled=1 FontColour=$RED Caption=Renamed Font=.*" \
  "$command_log" || harness_fail "unexpected properties: $(cat "$command_log")"
grep -q "^Stored 2 Caption=Renamed .*FontColour=$RED" "$command_log" ||
  harness_fail "caption or colour not stored: $(grep '^Stored' "$command_log")"

post_to_window "$SET_ENABLED" 2 0
harness_screenshot "$shot-disabled.png"
expect_look "$shot-disabled.png" "${CANCEL_BUTTON[@]}" "$DISABLE_LINE" "$DISABLE_RING" 0
xdotool mousemove $(centre_of "${CANCEL_BUTTON[@]}")
sleep 0.3
xdotool click 1
sleep 0.5
[ "$(all_clicks)" -eq 0 ] || harness_fail "the disabled button raised a Click"

post_to_window "$SET_ENABLED" 2 1
harness_screenshot "$shot-enabled.png"
expect_look "$shot-enabled.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0
# Hovered first: a press on a button that has not seen the pointer selects it without a Click.
xdotool mousemove_relative 2 0
sleep 0.3
xdotool click 1
sleep 0.5
[ "$(clicks_of 2)" -eq 1 ] || harness_fail "the enabled button raised $(clicks_of 2) Clicks"

changes=$(grep '^Changed' "$command_log" | tr '\n' ',')
[ "$changes" = "Changed 2 Caption,Changed 2 FontColour,Changed 2 Enabled,Changed 2 Enabled," ] ||
  harness_fail "announced: $changes"
echo "screenshots: $shot-*.png"
echo "PASS"
