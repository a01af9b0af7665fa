# Another user's capture files in C:\k_vusa, held open and shared with nobody (that user's saver
# still runs in a session switched away from), do not keep this user's saver from running: the
# host writes this run's four files into a new folder of its own in the user's temporary folder,
# private to the user, and names it to the renderer, which shows this run's copy of the desktop
# as the ground. On a Western system (code page 1252) whose temporary folder has a Japanese name
# in its path, as a Japanese user name gives, which the ANSI code page cannot spell. Escape ends
# the saver and its folder goes with it; the held files stay as they were.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8
install_host
show_desktop
harness_set_temp_folder "山田 太郎"

# The other user's set, of other colours than this desktop's, and a copy to compare it with.
mkdir -p "$MIREBORA_CAPTURE_DIR"
write_sample_captures
held_copy=$HARNESS_WORK/held-captures
rm -rf "$held_copy"
cp -a "$MIREBORA_CAPTURE_DIR" "$held_copy"
lock_out=$(mktemp)
wine "$HOST_PROBE" lock 'C:\k_vusa\Valdorique1.bmp' 'C:\k_vusa\Valdorique2.bmp' \
  'C:\k_vusa\Valdorique3.bmp' 'C:\k_vusa\Valdorique4.bmp' 300 >"$lock_out" 2>/dev/null &
lock_pid=$!
harness_track "$lock_pid"
harness_wait_lines 30 "$lock_out" locked 1

start_host /s
expect_window Valdorique_VC >/dev/null
harness_wait_picture 30 "this run's desktop as the scene's ground" "$HARNESS_WORK/saver.png" \
  expect_desktop_as_ground
boxes=$(harness_probe dialogs Error)
[ "$boxes" = "count=0" ] || harness_fail "the renderer reports an error: $boxes"

# The files are placed before the renderer starts, in one folder of the run's own.
own=$(own_capture_folders)
[ "$(wc -l <<<"$own")" -eq 1 ] && [ -n "$own" ] ||
  harness_fail "not one folder of the run's own in the temporary folder: '$own'"
echo "the run's own folder: $MIREBORA_TEMP_WINDOWS\\$own"
expect_capture_files "$MIREBORA_TEMP_DIR/$own"
[ "$(ls -A "$MIREBORA_TEMP_DIR/$own")" = "$(printf 'Valdorique%d.bmp\n' 1 2 3 4)" ] ||
  harness_fail "not the four capture files alone: $(ls -A "$MIREBORA_TEMP_DIR/$own")"
expect_private "$MIREBORA_TEMP_WINDOWS\\$own"
expect_private_capture_files "$MIREBORA_TEMP_WINDOWS\\$own"

press_escape
harness_wait_gone Valdorique_VC
expect_exit_within $HOST_PROMPT_END_MS
[ -z "$(ls -A "$MIREBORA_TEMP_DIR")" ] ||
  harness_fail "left in the temporary folder: $(ls -A "$MIREBORA_TEMP_DIR")"

# The other user's files, still held, are as they were, and nothing lies beside them.
kill -0 "$lock_pid" 2>/dev/null || harness_fail "the probe holding the files ended early"
diff -r "$held_copy" "$MIREBORA_CAPTURE_DIR" || harness_fail "the held files changed"
harness_pass
