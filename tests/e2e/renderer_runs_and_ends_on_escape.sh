# Four valid capture files: the window appears full screen and shows the textures; Escape ends
# the renderer, which restores the display mode and shows the cursor again.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start ja_JP.UTF-8

write_sample_captures
start_renderer trace+cursor,trace+system
expect_renderer_window
[ "$(harness_probe display-mode)" = "1024x768x32" ] || harness_fail "display mode not 1024x768x32"

sleep 1
harness_screenshot "$MIREBORA_BUILD/renderer_runs.png"
expect_ground_and_sky "$MIREBORA_BUILD/renderer_runs.png" "${SAMPLE_CAPTURE_COLOURS[1]}" \
  "${SAMPLE_CAPTURE_COLOURS[2]}"
expect_colour "$MIREBORA_BUILD/renderer_runs.png" $METEOR_POINT "${SAMPLE_CAPTURE_COLOURS[3]}"

press_escape
wait_renderer_exit 10
[ "$renderer_exit_code" -eq 0 ] || harness_fail "exit code $renderer_exit_code"

# The display mode was changed to 1024 x 768 x 32 and restored from the registry at the end,
# and the cursor hidden at start is shown again.
grep -q 'dmBitsPerPel=32 dmPelsWidth=1024 dmPelsHeight=768' "$renderer_log" ||
  harness_fail "no change to 1024 x 768 x 32"
tail_calls=$(grep -E 'NtUserChangeDisplaySettings \(null\)|NtUserShowCursor' "$renderer_log" |
  tail -n 2)
echo "$tail_calls"
echo "$tail_calls" | head -n 1 | grep -q 'NtUserChangeDisplaySettings (null) (nil) (nil) 0' ||
  harness_fail "the display mode was not restored last"
echo "$tail_calls" | tail -n 1 | grep -q 'NtUserShowCursor 1, count=0' ||
  harness_fail "the cursor was not shown again"
echo "PASS"
