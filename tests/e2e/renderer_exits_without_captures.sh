# No capture file at all: the renderer ends by itself, quickly, with exit code 0 and no message
# (a message box would keep it waiting for a click), leaving no window behind.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

rm -f "$MIREBORA_CAPTURE_DIR"/Valdorique*.bmp
start_renderer trace+cursor
wait_renderer_exit
[ "$renderer_exit_code" -eq 0 ] || harness_fail "exit code $renderer_exit_code"
harness_probe gone Valdorique_VC 0 || harness_fail "a window was left behind"
# The cursor hidden at start is visible again.
grep 'NtUserShowCursor' "$renderer_log" | tail -n 1 | grep -q 'NtUserShowCursor 1, count=0' ||
  harness_fail "the cursor was not shown again"
harness_pass
