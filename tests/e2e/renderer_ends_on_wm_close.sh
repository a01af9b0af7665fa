# WM_CLOSE posted by another program ends the renderer with exit code 0; the display mode is
# restored and the cursor shown again, as when Escape ends it.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

write_sample_captures
start_renderer trace+cursor,trace+system
expect_renderer_window
harness_probe post Valdorique_VC close 0 0 || harness_fail "cannot post WM_CLOSE"
wait_renderer_exit
[ "$renderer_exit_code" -eq 0 ] || harness_fail "exit code $renderer_exit_code"
harness_probe gone Valdorique_VC 0 || harness_fail "the window outlived the process"
expect_mode_and_cursor_restored
echo "PASS"
