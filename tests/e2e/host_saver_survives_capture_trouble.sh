# Capture files that cannot all be written into C:\k_vusa do not stop the saver: with a capture
# file locked by another program the run's files go into a folder of its own, which the renderer
# shows; the locked file stays as it was, and the three the run had written beside it are taken
# back at once, so that nothing of the run, whole or half-written, lies there. With nowhere to
# write at all (the capture folder's name taken by a file, no temporary folder) the renderer ends
# by itself and the host follows it.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8
install_host
show_desktop
# A temporary folder of the scenario's own, holding no folder of an earlier run.
harness_set_temp_folder saver-run

# An older set, as a run that could not remove it leaves it.
mkdir -p "$MIREBORA_CAPTURE_DIR"
write_sample_captures
old2=$(stat -c %.9Y "$MIREBORA_CAPTURE_DIR/Valdorique2.bmp")

# Another program holds file 2 open, shared with nobody.
lock_out=$(mktemp)
wine "$HOST_PROBE" lock 'C:\k_vusa\Valdorique2.bmp' 60 >"$lock_out" 2>/dev/null &
harness_track $!
harness_wait_lines 30 "$lock_out" locked 1
start_host /s
expect_window Valdorique_VC >/dev/null
[ "$(stat -c %.9Y "$MIREBORA_CAPTURE_DIR/Valdorique2.bmp")" = "$old2" ] ||
  harness_fail "the locked file changed"
[ "$(ls -A "$MIREBORA_CAPTURE_DIR")" = Valdorique2.bmp ] ||
  harness_fail "not the locked file alone: $(ls -A "$MIREBORA_CAPTURE_DIR")"
[ "$(own_capture_folders | wc -l)" -eq 1 ] || harness_fail "not one folder of the run's own"
harness_wait_picture 30 "the desktop as the scene's ground" "$HARNESS_WORK/saver.png" \
  expect_desktop_as_ground
press_escape
expect_host_exit
expect_no_own_capture_folder

# The capture folder's name is taken by a file and the temporary folder is missing: nothing can be
# written.
harness_set_temp_folder "no such folder" --missing
rm -rf "$MIREBORA_CAPTURE_DIR"
echo "not a folder" >"$MIREBORA_CAPTURE_DIR"
start_host /s +pid,trace+cursor
expect_host_exit
rm -f "$MIREBORA_CAPTURE_DIR"
! grep -q 'NtUserShowCursor 0' "$host_log" || tail -n 2 "$host_log" | grep -q 'count=0' ||
  harness_fail "the cursor was not shown again"
harness_pass
