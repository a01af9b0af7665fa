# The saver on a desktop of another size than 1024 x 768 (HARNESS_SCREEN, set for each run of
# this scenario: 1366 x 768, whose rows are not a whole number of 4-byte words, 1920 x 1080 and
# 2560 x 1440). The snapshot is the screen's size, the renderer decodes it and shows it as the
# ground, full screen in the display's own mode, and Escape ends the saver.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8

install_host
show_desktop
start_host /s
expect_renderer_window
expect_capture_files
harness_wait_picture 30 "the desktop as the scene's ground" "$HARNESS_WORK/saver-any-size.png" \
  expect_desktop_as_ground
press_escape
harness_wait_gone Valdorique_VC
expect_exit_within $HOST_PROMPT_END_MS
harness_pass
