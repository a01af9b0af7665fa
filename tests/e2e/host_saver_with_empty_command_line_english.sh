# An empty command line runs the saver too, on an English system, and leaves the cursor alone:
# the host neither hides nor shows it.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8

install_host
show_desktop
start_host "" +pid,trace+cursor
host_facts=$(expect_window Valdorique_Main) || exit 1
expect_window Valdorique_VC
expect_capture_files
harness_wait_picture 30 "the desktop as the scene's ground" "$HARNESS_WORK/saver.png" \
  expect_desktop_as_ground

press_escape
harness_wait_gone Valdorique_VC
expect_exit_within $HOST_PROMPT_END_MS
host=$(windows_pid_hex "$host_facts")
if cursor_calls "$host"; then harness_fail "the host touched the cursor"; fi
harness_pass
