# A display that changes its mode while the saver runs, as another program or the user may: the
# scene follows it to a larger size and to a smaller one, filling the display each time, and the
# saver still ends on Escape. The display is a Wine desktop inside a larger screen, since the
# display alone offers no mode but its own.
HARNESS_SCREEN=1280x1024x24
HARNESS_WINE_DESKTOP=1024x768
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8

install_host
start_host /s
# renderer_fills WxH: the scene's window has that client size at the origin.
renderer_fills() {
  local facts
  facts=$(harness_probe find Valdorique_VC 0) || return 1
  harness_wait_detail=$facts
  case "$facts" in "count=1 client=$1 at=0,0 "*visible=1*) ;; *) return 1 ;; esac
}
# scene_in PNG WxH+X+Y: that part of the screen shows the scene's sky, not a plain colour.
scene_in() {
  local spread
  spread=$(/usr/bin/convert "$1" -crop "$2" +repage -colorspace Gray \
    -format '%[fx:int(1000*standard_deviation)]' info:)
  [ "$spread" -gt 15 ] || harness_fail "$2 is plain (grey spread $spread/1000)"
}
# change_mode W H: the display takes the mode, and the scene's window fills it.
change_mode() {
  harness_probe set-display-mode "$1" "$2" || harness_fail "the display did not take $1 x $2"
  harness_wait 10 "the scene's window to fill $1 x $2" renderer_fills "$1x$2"
  echo "the scene's window filled $1 x $2 within $harness_waited_ms ms of the change"
}
harness_wait 30 "the scene's window to fill 1024 x 768" renderer_fills 1024x768

change_mode 1280 720
# The strip the display gained on the right shows the scene.
harness_wait_picture 30 "the scene over the whole 1280 x 720" "$HARNESS_WORK/wide.png" \
  scene_in 256x720+1024+0
change_mode 800 600
harness_wait_picture 30 "the scene over the whole 800 x 600" "$HARNESS_WORK/small.png" \
  scene_in 800x600+0+0

press_escape
harness_wait_gone Valdorique_VC
expect_exit_within $HOST_PROMPT_END_MS
harness_pass
