# An empty capture file 1 next to three valid ones: one message box, caption "Error", owned by
# the renderer's window; after OK the renderer runs with the other three textures.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start ja_JP.UTF-8

write_sample_captures
: >"$MIREBORA_CAPTURE_DIR/Valdorique1.bmp"
start_renderer trace+msgbox

error_boxes_shown() { dialogs=$(harness_probe dialogs Error) && [ "$dialogs" != "count=0" ]; }
harness_wait 30 "a message box 'Error'" error_boxes_shown
echo "$dialogs"
expected_dialogs='count=1
text=Failed to open DIB file c:\k_vusa\Valdorique1.bmp.\n
owner=Valdorique_VC'
[ "$dialogs" = "$expected_dialogs" ] || harness_fail "unexpected message boxes"
harness_probe press-ok Error || harness_fail "cannot press OK"
# Closed once the probe reports no box at all (a probe that failed to run reports nothing).
error_boxes_closed() { [ "$(harness_probe dialogs Error | head -n 1)" = "count=0" ]; }
harness_wait 30 "the message box to close" error_boxes_closed
expect_renderer_window
# Capture 1 (the debris) did not load; the ground and the sky show captures 2 and 3.
expect_scene "$HARNESS_WORK/renderer_empty_capture.png" "the ground and the sky" \
  "${SAMPLE_CAPTURE_COLOURS[1]}" "${SAMPLE_CAPTURE_COLOURS[2]}"

harness_probe post Valdorique_VC close 0 0
wait_renderer_exit
[ "$renderer_exit_code" -eq 0 ] || harness_fail "exit code $renderer_exit_code"
# One message box in the whole run.
[ "$(count_in_log 'MSGBOX_OnInit')" -eq 1 ] || harness_fail "$(count_in_log 'MSGBOX_OnInit') message boxes"
harness_pass
