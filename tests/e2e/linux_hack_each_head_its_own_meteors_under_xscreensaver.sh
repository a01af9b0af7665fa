# Two monitors under the real XScreenSaver daemon: a nested X server with Xinerama shows a
# 1024 x 768 head and an 800 x 600 head on its right, with one one-colour desktop across both. On
# xscreensaver-command -activate the daemon starts a hack on each head's window; each hack says
# which head it is on, and it is the head of its window. While the first meteors fall, the first
# head shows the scene every single-monitor run shows, and the second head, in the same
# screenshot, the sky and the desktop too, but a scene of its own: the two pictures differ in a
# quarter of their parts or more. Both heads' pictures then move. On -deactivate both hacks end,
# with nothing for the sanitizers to report.
HARNESS_HEADS="1024x768 800x600"
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/linux_scenario.sh"
linux_start
# The heads as "WIDTHxHEIGHT+X+Y", in the order the server lists them.
readonly heads=("1024x768+0+0" "800x600+1024+0")

show_linux_desktop
start_saver_daemon "$HACK --root"
saver_command -activate || harness_fail "xscreensaver-command -activate failed"

# window_area WINDOW: the window's place on the screen as "WIDTHxHEIGHT+X+Y".
window_area() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { printf "%dx%d+%d+%d\n", w, h, x, y }'
}
hack_pids=()
for n in 0 1; do
  harness_wait 20 "the daemon to start a hack on head $((n + 1))" daemon_forked "$n" "$HACK --root"
  echo "head $((n + 1)): hack pid $forked_pid on window $forked_window"
  hack_pids+=("$forked_pid")
  [ "$(readlink "/proc/$forked_pid/exe")" = "$HACK" ] ||
    harness_fail "pid $forked_pid is not the hack"
  area=$(window_area "$forked_window")
  [ "$area" = "${heads[n]}" ] ||
    harness_fail "the window $forked_window for head $((n + 1)) is at $area, not at the head"
  # The hacks' messages come out in the daemon's log.
  harness_wait_lines 30 "$daemon_log" "^mirebora: head $((n + 1)) of 2, ${heads[n]}\$" 1
done

# cells_differing PNG: in how many of 64 x 48 cells the two heads' pictures differ, each brought
# down to that many cells, each the mean of its pixels, so that heads of different sizes compare
# cell for cell.
readonly cells=$((64 * 48))
cells_differing() {
  local n differ
  for n in 0 1; do
    convert "$1" -crop "${heads[n]}" +repage -resize '64x48!' "$linux_work/cells-$n.png" ||
      harness_fail "cannot cut head $((n + 1)) out of $1"
  done
  differ=$(compare -metric AE -fuzz 10% "$linux_work/cells-0.png" "$linux_work/cells-1.png" \
    null: 2>&1)
  [[ "$differ" =~ ^[0-9]+$ ]] || harness_fail "cannot compare the heads: $differ"
  echo "$differ"
}

# heads_show_their_scenes PNG: while the first meteors fall on both heads, with the desktop as
# the ground at each head's middle, the first head shows the first head's scene, the second the
# sky, and the two pictures differ in at least a quarter of their cells. The camera rides the
# first meteor down looking at the ground's middle, so the sky stays put while it falls: two heads
# with the same meteors show the same picture then, give or take the ground's growing and the
# meteor's turning (under a tenth of the cells, measured), however far apart the hacks started.
heads_show_their_scenes() {
  expect_colour "$1" 512 384 "$LINUX_DESKTOP_COLOUR" 40
  expect_colour "$1" 1424 300 "$LINUX_DESKTOP_COLOUR" 40
  local differ
  differ=$(cells_differing "$1")
  [ "$differ" -ge $((cells / 4)) ] ||
    harness_fail "the heads show the same scene: $differ of $cells cells differ"
  expect_scene_in "$1" 0 0 1024 768
  expect_scene_in "$1" 1024 0 800 600 --sky
}
first_png=$linux_work/heads-first.png
harness_wait_picture 60 "each head to show a scene of its own" "$first_png" heads_show_their_scenes
echo "the heads' pictures differ in $(cells_differing "$first_png") of $cells cells"
echo "first head: $(python3 "$SCENE_COLOURS" "$first_png" 0 0 1024 768)"
echo "second head: $(python3 "$SCENE_COLOURS" "$first_png" 1024 0 800 600)"

# heads_moved PNG: on each head, at least a hundredth of the pixels differ from the first picture.
heads_moved() {
  local n width height changed
  local before=$linux_work/head-before.png after=$linux_work/head-after.png
  for n in 0 1; do
    width=${heads[n]%%x*} height=${heads[n]#*x} height=${height%%+*}
    convert "$first_png" -crop "${heads[n]}" +repage "$before" &&
      convert "$1" -crop "${heads[n]}" +repage "$after" ||
      harness_fail "cannot cut head $((n + 1)) out of the pictures"
    changed=$(compare -metric AE -fuzz 10% "$before" "$after" null: 2>&1)
    [[ "$changed" =~ ^[0-9]+$ ]] || harness_fail "cannot compare the pictures: $changed"
    [ "$changed" -ge $((width * height / 100)) ] ||
      harness_fail "head $((n + 1)) stands still: $changed pixels changed"
  done
}
harness_wait_picture 60 "both heads' pictures to move" "$linux_work/heads-later.png" heads_moved

saver_command -deactivate || harness_fail "xscreensaver-command -deactivate failed"
for pid in "${hack_pids[@]}"; do
  harness_wait 20 "the hack $pid to end" process_ended "$pid"
done
expect_no_sanitizer_report
harness_pass
