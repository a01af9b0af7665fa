# At 200 % display scaling (192 dots per inch) the saver copies the screen in its real pixels: the
# snapshot is the screen's full size, and the renderer shows the whole desktop as its ground, as
# at 100 %. (Windows scales the pixels of programs that do not declare themselves aware of the
# density; Wine does not, so here this guards the chain at that density, and the host file's
# scenario checks the declaration.)
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8
install_host
show_desktop

harness_set_dpi 192
start_host /s
expect_window Valdorique_VC >/dev/null
expect_capture_files
harness_wait_picture 30 "the desktop as the scene's ground" "$HARNESS_WORK/saver-192.png" \
  expect_desktop_as_ground
press_escape
harness_wait_gone Valdorique_VC
expect_host_exit
harness_pass
