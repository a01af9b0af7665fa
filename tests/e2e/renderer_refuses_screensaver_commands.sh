# The system's screen-saver and monitor power-down commands leave the renderer running; another
# system command (close) is handled as usual.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

readonly SC_SCREENSAVE=0xF140 SC_MONITORPOWER=0xF170 SC_CLOSE=0xF060
readonly MONITOR_OFF=2

write_sample_captures
start_renderer trace+opengl
expect_renderer_window
harness_probe post Valdorique_VC syscommand $SC_SCREENSAVE 0 || harness_fail "cannot post"
harness_probe post Valdorique_VC syscommand $SC_MONITORPOWER $MONITOR_OFF || harness_fail "cannot post"
# The loop handles every waiting message before it draws: frames drawn after the posts show that
# both commands have been handled.
wait_frames 10 "after the screen-saver and power-down commands"
kill -0 "$renderer_pid" 2>/dev/null || harness_fail "the renderer ended"
expect_renderer_window

harness_probe post Valdorique_VC syscommand $SC_CLOSE 0 || harness_fail "cannot post"
wait_renderer_exit
[ "$renderer_exit_code" -eq 0 ] || harness_fail "exit code $renderer_exit_code"
harness_pass
