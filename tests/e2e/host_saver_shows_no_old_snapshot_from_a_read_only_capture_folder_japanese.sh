# A read-only C:\k_vusa holding an older set of capture files, of other colours than this desktop:
# the saver never shows that older snapshot. It shows this run's copy of the desktop from a folder
# of its own, which goes when the saver ends. With no temporary folder either, no place holds this
# run's files alone, so the renderer is not started and the host ends at once, leaving no new
# snapshot behind; the old files are left as they were, where this run may not remove them.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
harness_respect_file_modes "$0" "$@"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8
install_host
show_desktop
harness_set_temp_folder saver-run

mkdir -p "$MIREBORA_CAPTURE_DIR"
write_sample_captures
old_copy=$HARNESS_WORK/old-captures
rm -rf "$old_copy"
cp -a "$MIREBORA_CAPTURE_DIR" "$old_copy"
harness_read_only "$MIREBORA_CAPTURE_DIR"

start_host /s
expect_window Valdorique_VC >/dev/null
harness_wait_picture 30 "this run's desktop, not the old snapshot, as the ground" \
  "$HARNESS_WORK/saver.png" expect_desktop_as_ground
[ "$(own_capture_folders | wc -l)" -eq 1 ] || harness_fail "not one folder of the run's own"
press_escape
harness_wait_gone Valdorique_VC
expect_host_exit
expect_no_own_capture_folder
diff -r "$old_copy" "$MIREBORA_CAPTURE_DIR" || harness_fail "the old files changed"

# Nowhere of its own: an old file that stays in the shared folder means no renderer at all.
harness_set_temp_folder "no such folder" --missing
start_host /s
expect_host_exit
harness_probe gone Valdorique_VC 0 || harness_fail "a renderer window is there"
diff -r "$old_copy" "$MIREBORA_CAPTURE_DIR" || harness_fail "the old files changed"
harness_pass
