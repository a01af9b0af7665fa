# A capture file whose write fails part way (a file-size limit on the host stands in for a full
# disk) leaves nothing half-written, and the old file of that name, a copy of the screen from an
# earlier time, is never shown: the run puts its files into a folder of its own, which holds the
# three smaller ones, and removes the old copy before the renderer starts (it builds its textures
# before its window appears), so the renderer reads only what this run made, without an error
# message. The saver's end removes the run's folder.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8
install_host
show_desktop
harness_set_temp_folder saver-run

old=$HARNESS_WORK/old-Valdorique2.bmp
/usr/bin/convert -size 1024x768 "xc:rgb(0,200,0)" BMP3:"$old" || harness_fail "cannot make the old picture"
mkdir -p "$MIREBORA_CAPTURE_DIR"
cp "$old" "$MIREBORA_CAPTURE_DIR/Valdorique2.bmp"

# The screen copy takes 2.3 MB; the three built-in pictures less than 200 KB each.
HOST_FILE_LIMIT_KB=1024 start_host /s
expect_window Valdorique_VC >/dev/null
[ -z "$(ls -A "$MIREBORA_CAPTURE_DIR")" ] ||
  harness_fail "left in C:\\k_vusa: $(ls -A "$MIREBORA_CAPTURE_DIR")"
own=$(own_capture_folders)
[ "$(wc -l <<<"$own")" -eq 1 ] && [ -n "$own" ] || harness_fail "not one folder of the run's own"
[ "$(ls -A "$MIREBORA_TEMP_DIR/$own")" = "$(printf 'Valdorique%d.bmp\n' 1 3 4)" ] ||
  harness_fail "not the three smaller files alone: $(ls -A "$MIREBORA_TEMP_DIR/$own")"
boxes=$(harness_probe dialogs Error)
[ "$boxes" = "count=0" ] || harness_fail "the renderer reports an error: $boxes"

press_escape
harness_wait_gone Valdorique_VC
expect_host_exit
expect_no_own_capture_folder
expect_no_capture_files
harness_pass
