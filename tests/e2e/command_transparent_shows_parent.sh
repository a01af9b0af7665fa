# A transparent Command button (Visible 0, loaded from stored properties) shows the window's
# stripes where its body would be and its caption over them, also while hovered; it still
# raises Click. Visible 255 brings back the Normal look, 0 takes it away again, and each change
# is announced to the window. The properties read and saved through the button are the stored
# ones.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/command_scenario.sh"
harness_start C.UTF-8
shot=$HARNESS_WORK/transparent
x=${CLEAR_BUTTON[0]} y=${CLEAR_BUTTON[1]} h=${CLEAR_BUTTON[3]}

# expect_stripes PNG: frame rows, body corners and the right end show the stripes beneath, and
# a black caption is drawn over them.
expect_stripes() {
  local column row dark
  for column in $((x + 5)) $((x + 11)) $((x + 113)); do
    for row in $((y + 1)) $((y + 4)) $((y + h - 5)) $((y + h - 2)); do
      expect_colour "$1" "$column" "$row" "$(stripe_at "$column")" 4
    done
  done
  dark=$(darkest_in_caption "$1" "${CLEAR_BUTTON[@]}")
  [ "$dark" -le 40 ] || harness_fail "no caption over the stripes (darkest $dark)"
}

start_command_window
expect_command_window
harness_wait_picture 30 "the transparent button's caption over the stripes" "$shot-loaded.png" \
  expect_stripes

report_properties 5
grep -qx "Properties 5 Visible=0 Enabled=1 FontColour=0 Caption=Clear Font=.*" "$command_log" ||
  harness_fail "unexpected properties: $(cat "$command_log")"
stored=$(grep '^Stored 5 ' "$command_log")
case "$stored" in
  *" Caption=Clear "*Visible=0) ;;
  *) harness_fail "unexpected stored properties: $stored" ;;
esac
case "$stored" in
  *Enabled=* | *FirstRun=* | *FontColour=*) harness_fail "defaults were stored: $stored" ;;
esac

# Hovered, the button paints HighLight on its unseen surface: still only the caption shows.
with_input WM_MOUSEMOVE mousemove $((x + 30)) $((y + h - 6))
harness_screenshot "$shot-hover.png"
expect_stripes "$shot-hover.png"
with_input WM_LBUTTONUP click 1
[ "$(clicks_of 5)" -eq 1 ] || harness_fail "the transparent button raised $(clicks_of 5) Clicks"
with_input WM_MOUSEMOVE mousemove $ON_THE_WINDOW

expect_opaque() {
  local dark
  expect_look "$1" "${CLEAR_BUTTON[@]}" "$NAVY" "$NORMAL_RING" 0
  dark=$(darkest_in_caption "$1" "${CLEAR_BUTTON[@]}")
  [ "$dark" -le 40 ] || harness_fail "no caption on the opaque button (darkest $dark)"
}
post_to_window "$SET_VISIBLE" 5 255
harness_wait_picture 30 "the opaque button's Normal look" "$shot-opaque.png" expect_opaque

post_to_window "$SET_VISIBLE" 5 0
harness_wait_picture 30 "the stripes again" "$shot-again.png" expect_stripes
[ "$(grep -c '^Changed 5 Visible$' "$command_log")" -eq 2 ] ||
  harness_fail "Visible changes announced: $(grep '^Changed' "$command_log")"
echo "screenshots: $shot-*.png"
harness_pass
