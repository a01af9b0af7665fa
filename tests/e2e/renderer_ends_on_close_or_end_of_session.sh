# WM_CLOSE posted by another program, and the end of the user's session, each end the renderer
# with exit code 0; the display mode is restored and the cursor shown again, as when Escape ends
# it.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

readonly WM_ENDSESSION=0x16 SESSION_ENDS=1

write_sample_captures
for message in "close 0" "$WM_ENDSESSION $SESSION_ENDS"; do
  start_renderer trace+cursor,trace+system
  expect_renderer_window
  harness_probe post Valdorique_VC $message 0 || harness_fail "cannot post $message"
  wait_renderer_exit
  [ "$renderer_exit_code" -eq 0 ] || harness_fail "$message: exit code $renderer_exit_code"
  harness_probe gone Valdorique_VC 0 || harness_fail "$message: the window outlived the process"
  echo "after $message:"
  expect_mode_and_cursor_restored
done
harness_pass
