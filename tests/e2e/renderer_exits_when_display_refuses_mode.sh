# A display that cannot show 1024 x 768: the renderer ends at once with exit code 0, without a
# window and without ever hiding the cursor.
HARNESS_SCREEN=800x600x24
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

write_sample_captures
start_renderer trace+cursor,trace+system
wait_renderer_exit
[ "$renderer_exit_code" -eq 0 ] || harness_fail "exit code $renderer_exit_code"
grep 'NtUserChangeDisplaySettings' "$renderer_log" | head -n 3
grep -q 'dmPelsWidth=1024 dmPelsHeight=768' "$renderer_log" || harness_fail "no mode change asked"
[ "$(count_in_log 'NtUserShowCursor')" -eq 0 ] || harness_fail "the cursor was hidden"
harness_probe gone Valdorique_VC 0 || harness_fail "a window was left behind"
echo "PASS"
