# A display that does not offer 1024 x 768 (here 1920 x 1080): the renderer keeps the display's
# mode and runs full screen on it, the scene at the screen's own size and shape; Escape ends it,
# with no display mode to restore, and the cursor shown again.
HARNESS_SCREEN=1920x1080x24
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

write_sample_captures
start_renderer trace+cursor,trace+system
expect_renderer_window
case "$(harness_probe display-mode)" in 1920x1080x*) ;; *) harness_fail "the display mode changed" ;; esac
expect_scene "$HARNESS_WORK/renderer_current_mode.png" "the ground, the sky and the first meteor" \
  "${SAMPLE_CAPTURE_COLOURS[1]}" "${SAMPLE_CAPTURE_COLOURS[2]}" "${SAMPLE_CAPTURE_COLOURS[3]}"

press_escape
wait_renderer_exit
[ "$renderer_exit_code" -eq 0 ] || harness_fail "exit code $renderer_exit_code"
# The renderer's own calls name no device ("(null)"); Wine's desktop process, started with the
# first program and writing to the same trace, records a new display's mode by name.
! grep -q 'NtUserChangeDisplaySettings (null)' "$renderer_log" ||
  harness_fail "the display mode was changed or restored: $(grep NtUserChangeDisplaySettings "$renderer_log")"
grep 'NtUserShowCursor' "$renderer_log" | tail -n 1 | grep -q 'NtUserShowCursor 1, count=0' ||
  harness_fail "the cursor was not shown again"
harness_pass
