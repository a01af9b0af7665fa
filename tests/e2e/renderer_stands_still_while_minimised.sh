# Minimised, the renderer draws no frames; restored, it draws again. Frames are counted by the
# screen clears in the renderer's OpenGL trace.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

readonly SC_MINIMIZE=0xF020 SC_RESTORE=0xF120
# How long the minimised renderer is watched for frames it should not draw.
readonly MINIMISED_SECONDS=2

write_sample_captures
start_renderer trace+opengl
expect_renderer_window
wait_frames 10 "while shown"

harness_probe post Valdorique_VC syscommand $SC_MINIMIZE 0 || harness_fail "cannot post"
harness_wait 30 "the renderer's window to be minimised" renderer_minimised
# The window turns minimised inside the renderer's own handling of the command, between two
# passes of its loop: no frame is under way once it shows as minimised.
minimised_start=$(frames_drawn)
sleep "$MINIMISED_SECONDS"  # the time itself is what is tested: no frame in it
minimised_end=$(frames_drawn)
kill -0 "$renderer_pid" 2>/dev/null || harness_fail "the renderer ended"
[ "$minimised_end" -eq "$minimised_start" ] ||
  harness_fail "$((minimised_end - minimised_start)) frames drawn while minimised"

harness_probe post Valdorique_VC syscommand $SC_RESTORE 0 || harness_fail "cannot post"
wait_frames 10 "after restoring"

harness_probe post Valdorique_VC close 0 0
wait_renderer_exit
harness_pass
