# A request to close the hidden saver window (as the system makes at shutdown), and the end of the
# session, end the saver the same way the renderer's end does: the host gives the cursor back,
# removes the capture files and ends.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8
install_host

start_host /s +pid,trace+cursor
host_facts=$(expect_window Valdorique_Main) || exit 1
expect_window Valdorique_VC >/dev/null
harness_probe post Valdorique_Main close 0 0 >/dev/null || harness_fail "cannot post WM_CLOSE"
expect_host_exit
expect_no_capture_files
host=$(windows_pid_hex "$host_facts")
cursor_calls "$host" | tail -n 1 | grep -q 'NtUserShowCursor 1, count=0' ||
  harness_fail "the cursor was not shown again"
# The renderer is not the host's to end: it runs on until it is closed.
expect_window Valdorique_VC >/dev/null
harness_probe post Valdorique_VC close 0 0 >/dev/null
harness_wait_gone Valdorique_VC

# The session ends (WM_ENDSESSION with wParam TRUE).
start_host /s
expect_window Valdorique_VC >/dev/null
harness_probe post Valdorique_Main 22 1 0 >/dev/null || harness_fail "cannot post WM_ENDSESSION"
expect_host_exit
expect_no_capture_files
harness_probe post Valdorique_VC close 0 0 >/dev/null
harness_wait_gone Valdorique_VC
harness_pass
