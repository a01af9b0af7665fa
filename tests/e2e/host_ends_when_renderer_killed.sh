# The renderer ended from outside, without closing its window: the host notices promptly
# and ends too, removing the capture files.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8
install_host
show_desktop

start_host /s
renderer=$(expect_window Valdorique_VC) || exit 1
pid=$(echo "$renderer" | sed -n 's/.*pid=\([0-9]*\).*/\1/p')
harness_run_windows taskkill /F /PID "$pid" || harness_fail "cannot end the renderer"
harness_wait_gone Valdorique_VC
expect_exit_within $HOST_PROMPT_END_MS
expect_no_capture_files
harness_pass
