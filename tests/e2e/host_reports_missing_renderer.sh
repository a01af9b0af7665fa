# Without ミレボラ.dll beside it, the host says so in settings and saver mode, and with any other
# argument, and ends when the message is dismissed, leaving the cursor alone; the preview still
# works.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8
install_host --without-renderer

caption="ミレボラ (ScreenSaver)"
message="ミレボラ.dll が同じﾌｫﾙﾀﾞに見つかりません！"
for args in "/c" "/s" "/a 1234"; do
  start_host "$args" +pid,trace+cursor
  message_box_shown() { boxes=$(host_probe message-box "$caption") && [ -n "$boxes" ]; }
  harness_wait 30 "the message box '$caption'" message_box_shown
  echo "$args: $boxes"
  [ "$boxes" = "text=$message buttons=OK icon=0" ] ||
    harness_fail "$args: not the message alone with an OK button and no icon"
  expect_no_window Valdorique_Main
  expect_no_window "<ミレボラ>"
  harness_probe press-ok "$caption" >/dev/null || harness_fail "cannot press OK"
  expect_host_exit
  ! grep -q 'NtUserShowCursor' "$host_log" || harness_fail "$args: the cursor was touched"
done

open_probe_window "Preview Parent" 152 112 100 100
start_host "/p $probe_window_hwnd"
wait_preview
case "$preview_children" in
  "title=Preview Window "*) ;;
  *) harness_fail "no preview: $preview_children" ;;
esac
harness_pass
