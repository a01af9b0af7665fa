# A capture file whose write fails part way (a file-size limit on the host stands in for a full
# disk) leaves the old file whole and nothing half-written beside it: the renderer shows the old
# picture without an error message, the smaller files are new, and the saver's end removes all.
# A folder of the run's own would hold no more of the files: none is kept, and the renderer reads
# C:\k_vusa.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8
install_host
show_desktop
harness_set_temp_folder saver-run

old_colour="0 200 0"
old=$HARNESS_WORK/old-Valdorique2.bmp
/usr/bin/convert -size 1024x768 "xc:rgb(${old_colour// /,})" BMP3:"$old" ||
  harness_fail "cannot make the old picture"
mkdir -p "$MIREBORA_CAPTURE_DIR"
cp "$old" "$MIREBORA_CAPTURE_DIR/Valdorique2.bmp"

# The screen copy takes 2.3 MB; the three built-in pictures less than 200 KB each.
HOST_FILE_LIMIT_KB=1024 start_host /s
expect_window Valdorique_VC >/dev/null
cmp "$old" "$MIREBORA_CAPTURE_DIR/Valdorique2.bmp" || harness_fail "the old file 2 was changed"
[ "$(ls "$MIREBORA_CAPTURE_DIR")" = "$(printf 'Valdorique%d.bmp\n' 1 2 3 4)" ] ||
  harness_fail "not the four capture files alone: $(ls "$MIREBORA_CAPTURE_DIR")"
for i in 1 3 4; do
  [ "$MIREBORA_CAPTURE_DIR/Valdorique$i.bmp" -nt "$old" ] || harness_fail "file $i is not new"
done
expect_no_own_capture_folder

harness_wait_picture 30 "the old picture as the scene's ground" "$HARNESS_WORK/ground.png" \
  expect_colour $GROUND_POINT "$old_colour"
boxes=$(harness_probe dialogs Error)
[ "$boxes" = "count=0" ] || harness_fail "the renderer reports an error: $boxes"

press_escape
harness_wait_gone Valdorique_VC
expect_host_exit
expect_no_capture_files
harness_pass
