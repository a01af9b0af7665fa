# The container sets a Command button's properties through its functions: a new caption in red
# shows at once; Enabled false gives the Disable look and a button that ignores clicks, Enabled
# true the Normal look and Clicks again. Every change is announced to the window, and the
# properties read back as set.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
shot=$HARNESS_WORK/set-by-container
RED=$((0x0000FF))  # a COLORREF: red in the low byte

# caption_redness PNG AT_LEAST AT_MOST: how much redder than green Cancel's caption gets lies in
# that range.
caption_redness() {
  local red
  red=$(reddest_in_caption "$1" "${CANCEL_BUTTON[@]}")
  [ "$red" -ge "$2" ] && [ "$red" -le "$3" ] || harness_fail "caption redness $red"
}

start_command_window
expect_command_window
harness_screenshot "$shot-before.png"
caption_redness "$shot-before.png" 0 20

post_to_window "$RENAME" 2 "$RED"
harness_wait_picture 30 "a red caption after the change" "$shot-renamed.png" caption_redness 150 255
expect_look "$shot-renamed.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0
report_properties 2
grep -qx "Properties 2 Visible=255 Enabled=1 FontColour=$RED Caption=Renamed Font=.*" \
  "$command_log" || harness_fail "unexpected properties: $(cat "$command_log")"
grep -q "^Stored 2 Caption=Renamed .*FontColour=$RED" "$command_log" ||
  harness_fail "caption or colour not stored: $(grep '^Stored' "$command_log")"

post_to_window "$SET_ENABLED" 2 0
wait_look Disable "$shot-disabled.png" "${CANCEL_BUTTON[@]}" "$DISABLE_LINE" "$DISABLE_RING" 0
move_pointer_to "${CANCEL_BUTTON[@]}"
with_input WM_LBUTTONUP click 1
[ "$(all_clicks)" -eq 0 ] || harness_fail "the disabled button raised a Click"

post_to_window "$SET_ENABLED" 2 1
wait_look Normal "$shot-enabled.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0
# Hovered first: a press on a button that has not seen the pointer selects it without a Click.
with_input WM_MOUSEMOVE mousemove_relative 2 0
wait_look HighLight "$shot-hovered.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$HIGHLIGHT_RING" 1
with_input WM_LBUTTONUP click 1
[ "$(clicks_of 2)" -eq 1 ] || harness_fail "the enabled button raised $(clicks_of 2) Clicks"

changes=$(grep '^Changed' "$command_log" | tr '\n' ',')
[ "$changes" = "Changed 2 Caption,Changed 2 FontColour,Changed 2 Enabled,Changed 2 Enabled," ] ||
  harness_fail "announced: $changes"
echo "screenshots: $shot-*.png"
harness_pass
