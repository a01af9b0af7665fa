# The Command button's looks under Wine, by colour at chosen pixels: Normal, Disable, HighLight
# (hovered, inverted body), Pressed (frame one pixel further in) and Selected (focused).
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
shot=$HARNESS_WORK/looks

start_command_window
expect_command_window
harness_screenshot "$shot-normal.png"
expect_look "$shot-normal.png" "${OK_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0
expect_colour "$shot-normal.png" $((OK_BUTTON[0] + 30)) "${OK_BUTTON[1]}" "$BEIGE_TOP" 4
# The caption is drawn in black; the disabled one greyed, but still there.
dark=$(darkest_in_caption "$shot-normal.png" "${OK_BUTTON[@]}")
[ "$dark" -le 40 ] || harness_fail "no black caption on OK (darkest $dark)"
expect_colour "$shot-normal.png" $((DISABLED_BUTTON[0] + 30)) "${DISABLED_BUTTON[1]}" "$FACE" 4
expect_look "$shot-normal.png" "${DISABLED_BUTTON[@]}" "$DISABLE_LINE" "245 244 234" 0
grey=$(darkest_in_caption "$shot-normal.png" "${DISABLED_BUTTON[@]}")
[ "$grey" -ge 90 ] && [ "$grey" -le 200 ] || harness_fail "no greyed caption (darkest $grey)"

hover "${CANCEL_BUTTON[@]}"
wait_look HighLight "$shot-hover.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$HIGHLIGHT_RING" 1
expect_look "$shot-hover.png" "${OK_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0

# Pressed: face outside, beige, then the frame line one pixel further in; the body as hovered.
expect_pressed() {
  expect_colour "$1" $((CANCEL_BUTTON[0] + 30)) "${CANCEL_BUTTON[1]}" "$FACE" 4
  expect_look "$1" "${CANCEL_BUTTON[@]}" "$BEIGE_TOP" "$NAVY" 1
}
with_input WM_LBUTTONDOWN mousedown 1
harness_wait_picture 30 "the Pressed look" "$shot-pressed.png" expect_pressed

with_input WM_LBUTTONUP mouseup 1
with_input WM_MOUSEMOVE mousemove $ON_THE_WINDOW
wait_look Selected "$shot-selected.png" "${CANCEL_BUTTON[@]}" "$NAVY" "$SELECTED_RING" 0
echo "screenshots: $shot-*.png"
harness_pass
