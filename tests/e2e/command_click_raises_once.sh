# A real click by xdotool on a Command button raises exactly one Click, for that button only;
# a click on the disabled button raises none.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8

start_command_window
expect_command_window
hover "${OK_BUTTON[@]}"
with_input WM_LBUTTONUP click 1
move_pointer_to "${DISABLED_BUTTON[@]}"
with_input WM_LBUTTONUP click 1
echo "log:"; cat "$command_log"
[ "$(clicks_of 1)" -eq 1 ] || harness_fail "OK raised $(clicks_of 1) Clicks, expected 1"
[ "$(all_clicks)" -eq 1 ] || harness_fail "other Clicks were raised"
harness_pass
