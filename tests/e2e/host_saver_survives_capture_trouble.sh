# Capture files that cannot be written do not stop the saver: with a capture file locked by
# another program the other three are written, the locked one stays as it was and nothing
# half-written is left beside it; with no capture folder at all the renderer ends by itself and
# the host follows it.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8
install_host
show_desktop

# An older set, as a run that could not remove it leaves it.
mkdir -p "$MIREBORA_CAPTURE_DIR"
write_sample_captures
old2=$(stat -c %.9Y "$MIREBORA_CAPTURE_DIR/Valdorique2.bmp")
old4=$(stat -c %.9Y "$MIREBORA_CAPTURE_DIR/Valdorique4.bmp")

# Another program holds file 2 open, shared with nobody.
lock_out=$(mktemp)
wine "$HOST_PROBE" lock 'C:\k_vusa\Valdorique2.bmp' 60 >"$lock_out" 2>/dev/null &
harness_track $!
harness_wait_lines 30 "$lock_out" locked 1
start_host /s
expect_window Valdorique_VC >/dev/null
[ "$(stat -c %.9Y "$MIREBORA_CAPTURE_DIR/Valdorique2.bmp")" = "$old2" ] ||
  harness_fail "the locked file changed"
[ "$(stat -c %.9Y "$MIREBORA_CAPTURE_DIR/Valdorique4.bmp")" != "$old4" ] ||
  harness_fail "file 4 was not written after the locked file 2"
[ "$(ls "$MIREBORA_CAPTURE_DIR")" = "$(printf 'Valdorique%d.bmp\n' 1 2 3 4)" ] ||
  harness_fail "not the four capture files alone: $(ls "$MIREBORA_CAPTURE_DIR")"
press_escape
expect_host_exit

# The capture folder's name is taken by a file: nothing can be written.
rm -rf "$MIREBORA_CAPTURE_DIR"
echo "not a folder" >"$MIREBORA_CAPTURE_DIR"
start_host /s +pid,trace+cursor
expect_host_exit
rm -f "$MIREBORA_CAPTURE_DIR"
! grep -q 'NtUserShowCursor 0' "$host_log" || tail -n 2 "$host_log" | grep -q 'count=0' ||
  harness_fail "the cursor was not shown again"
harness_pass
