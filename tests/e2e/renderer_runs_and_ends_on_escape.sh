# Four valid capture files: the window appears full screen and shows the textures; Escape ends
# the renderer, which restores the display mode and shows the cursor again.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start ja_JP.UTF-8

write_sample_captures
start_renderer trace+cursor,trace+system
expect_renderer_window
[ "$(harness_probe display-mode)" = "1024x768x32" ] || harness_fail "display mode not 1024x768x32"

expect_scene "$HARNESS_WORK/renderer_runs.png" "the ground, the sky and the first meteor" \
  "${SAMPLE_CAPTURE_COLOURS[1]}" "${SAMPLE_CAPTURE_COLOURS[2]}" "${SAMPLE_CAPTURE_COLOURS[3]}"

press_escape
wait_renderer_exit
[ "$renderer_exit_code" -eq 0 ] || harness_fail "exit code $renderer_exit_code"
expect_mode_and_cursor_restored
harness_pass
