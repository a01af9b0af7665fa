# The saver as Windows starts it, "/s", on a Japanese system: the desktop is copied into the
# capture files, which only the user can open, the renderer shows it as the ground, Escape ends
# the renderer and promptly the host too, which shows the cursor again and removes the
# capture files.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8

install_host
show_desktop
start_host /s +pid,trace+cursor
host_facts=$(expect_window Valdorique_Main) || exit 1
echo "saver window: $host_facts"
case "$host_facts" in *visible=0*) ;; *) harness_fail "the saver window is shown" ;; esac
expect_window Valdorique_VC
expect_capture_files
expect_private_capture_files

harness_wait_picture 30 "the desktop as the scene's ground" "$HARNESS_WORK/saver.png" \
  expect_desktop_as_ground

press_escape
harness_wait_gone Valdorique_VC
expect_exit_within $HOST_PROMPT_END_MS

# The host hid the cursor at its start and gave back the count it got, which shows it again.
host=$(windows_pid_hex "$host_facts")
cursor_calls "$host"
[ "$(cursor_calls "$host" | wc -l)" -eq 2 ] || harness_fail "the host did not hide and show once"
cursor_calls "$host" | head -n 1 | grep -q 'NtUserShowCursor 0, count=-1' ||
  harness_fail "the host did not hide the cursor first"
cursor_calls "$host" | tail -n 1 | grep -q 'count=0$' || harness_fail "the cursor is not shown"

# The snapshot of the screen does not outlast the saver.
expect_no_capture_files
harness_pass
