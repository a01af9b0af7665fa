# Press on a Command button, leave it for more than 100 ms, release outside: no Click, and the
# pointer poll has dropped the hover (the focused button shows Selected). The release outside
# still reached the button, which kept the mouse: back over it, it shows HighLightSelect. A click
# afterwards raises one, so the missing Click means something.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
shot=$HARNESS_WORK/cancelled

start_command_window
expect_command_window
hover "${OK_BUTTON[@]}"
with_input WM_LBUTTONDOWN mousedown 1
with_input WM_MOUSEMOVE mousemove $ON_THE_WINDOW
wait_look Selected "$shot-left.png" "${OK_BUTTON[@]}" "$NAVY" "$SELECTED_RING" 0
with_input WM_LBUTTONUP mouseup 1
[ "$(all_clicks)" -eq 0 ] || harness_fail "a cancelled press raised: $(cat "$command_log")"

move_pointer_to "${OK_BUTTON[@]}"
wait_look HighLightSelect "$shot-back.png" "${OK_BUTTON[@]}" "$NAVY" "$HIGHLIGHT_RING" 0
with_input WM_LBUTTONUP click 1
[ "$(clicks_of 1)" -eq 1 ] || harness_fail "a later click raised $(clicks_of 1) Clicks"
harness_pass
