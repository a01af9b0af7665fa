# Minimised, the renderer draws no frames; restored, it draws again. Frames are counted by the
# screen clears in the renderer's OpenGL trace.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

readonly SC_MINIMIZE=0xF020 SC_RESTORE=0xF120

write_sample_captures
start_renderer trace+opengl
expect_renderer_window
sleep 1
running=$(count_in_log 'opengl:glClear ')
[ "$running" -gt 10 ] || harness_fail "only $running frames in the first second"

harness_probe post Valdorique_VC syscommand $SC_MINIMIZE 0 || harness_fail "cannot post"
sleep 1
harness_probe find Valdorique_VC 100 | grep -q 'minimized=1' || harness_fail "not minimised"
minimised_start=$(count_in_log 'opengl:glClear ')
sleep 2
minimised_end=$(count_in_log 'opengl:glClear ')
kill -0 "$renderer_pid" 2>/dev/null || harness_fail "the renderer ended"
[ "$minimised_end" -eq "$minimised_start" ] ||
  harness_fail "$((minimised_end - minimised_start)) frames drawn while minimised"

harness_probe post Valdorique_VC syscommand $SC_RESTORE 0 || harness_fail "cannot post"
sleep 2
restored=$(count_in_log 'opengl:glClear ')
echo "frames: $running running, $((minimised_end - minimised_start)) minimised, $((restored - minimised_end)) restored"
[ "$restored" -gt "$((minimised_end + 10))" ] || harness_fail "no frames after restoring"

harness_probe post Valdorique_VC close 0 0
wait_renderer_exit 10
echo "PASS"
