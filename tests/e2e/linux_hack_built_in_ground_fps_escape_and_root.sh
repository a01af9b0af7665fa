# The hack's own options: with -no-grab the ground is the built-in desktop even where grabs are
# allowed; -fps writes the frame rate in the window's bottom-left corner; Escape ends a hack in its
# own window, and on the standard error -fps prints the pace line once a second after the
# announcement of the software renderer's budget. With -root it draws over the whole screen and
# ends on SIGTERM, printing no pace line. Nothing is left for the sanitizers to report.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/linux_scenario.sh"
linux_start

show_linux_desktop
private_home grabbing "grabDesktopImages: True"
HOME=$private_home_dir start_hack -no-grab -fps -geometry 480x360+20+20
wait_hack_window

# The F of "FPS:" on the overlay's upper line: its top bar, two screen pixels a font pixel in a
# window 360 high, 10 pixels from the left edge and 42 above the bottom one.
fps_shown() {
  local x
  for x in 31 35 39; do
    expect_colour "$1" "$x" 336 "255 255 255" 16
  done
}
ground_not_desktop() { expect_other_colour "$1" 260 200 "$LINUX_DESKTOP_COLOUR"; }
both() { ground_not_desktop "$1" && fps_shown "$1"; }
wait_scene "the scene on the built-in ground with the frame rate" 20 20 480 360 both
# Xvfb's OpenGL is Mesa's llvmpipe: the budget is announced first, then the pace follows.
harness_wait_lines 30 "$hack_log" '^mirebora: steps [0-9]* frames [0-9]* skipped [0-9]*$' 2
head -n 1 "$hack_log" | grep -q '^mirebora: drawing in software (llvmpipe.*): frames within 0.5 cores$' ||
  harness_fail "no announcement of the budget first: $(head -n 3 "$hack_log")"

xdotool windowfocus --sync "$hack_window" key Escape
wait_hack_exit

start_hack -root -no-grab
wait_scene "the scene over the whole screen" 0 0 1024 768
kill -TERM "$hack_pid"
wait_hack_exit
! grep -q '^mirebora: steps' "$hack_log" || harness_fail "a pace line without -fps or -pace"
expect_no_sanitizer_report
harness_pass
