# To the dialog manager the Command button is a push button: WM_GETDLGCODE answers DLGC_BUTTON
# and DLGC_DEFPUSHBUTTON for the default button (BS_DEFPUSHBUTTON, button 1) while no other Command
# button has the focus, and for a button that has the focus; DLGC_UNDEFPUSHBUTTON otherwise.
# BM_CLICK raises one Click as a completed press does, and none on a button disabled by its window
# or by its Enabled property.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
GETDLGCODE=$((0x87))
BM_CLICK=$((0xF5))
DEFAULT=0x2010    # DLGC_BUTTON | DLGC_DEFPUSHBUTTON
NOT_DEFAULT=0x2020  # DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON

# answer ID MESSAGE: sends MESSAGE to button ID inside the test window; prints its result.
answer() {
  local count
  count=$(($(grep -c "^Answer " "$command_log") + 1))
  post_to_window $((0x8005)) "$1" "$2"
  harness_wait_lines 30 "$command_log" "^Answer " "$count"
  grep "^Answer " "$command_log" | sed -n "${count}p" | sed -E "s/^Answer $1 $2 //"
}

# expect_dialog_codes FIRST SECOND: what buttons 1 and 2 answer to WM_GETDLGCODE.
expect_dialog_codes() {
  local first second
  first=$(answer 1 $GETDLGCODE)
  second=$(answer 2 $GETDLGCODE)
  [ "$first $second" = "$1 $2" ] || harness_fail "$3: buttons 1 and 2 answer $first $second"
}

start_command_window
expect_command_window
expect_dialog_codes $DEFAULT $NOT_DEFAULT "no button focused"
hover "${CANCEL_BUTTON[@]}"
with_input WM_LBUTTONUP click 1
[ "$(clicks_of 2)" -eq 1 ] || harness_fail "the click on button 2 raised $(clicks_of 2) Clicks"
expect_dialog_codes $NOT_DEFAULT $DEFAULT "button 2 focused"

answer 1 $BM_CLICK >/dev/null
answer 3 $BM_CLICK >/dev/null
answer 6 $BM_CLICK >/dev/null
echo "log:"; cat "$command_log"
[ "$(clicks_of 1)" -eq 1 ] || harness_fail "BM_CLICK raised $(clicks_of 1) Clicks of button 1"
[ "$(all_clicks)" -eq 2 ] || harness_fail "BM_CLICK on a disabled button raised a Click"
harness_pass
