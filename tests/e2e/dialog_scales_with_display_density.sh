# The dialog at 125 % and 150 % display scaling (120 and 144 dots per inch): the client area and
# every control's place and size grow in proportion to the design at 96, each edge rounded once;
# the labels' and buttons' fonts are 9.75 points at the display's density, rounded once (16 and
# 20 pixels), and the texts are drawn inside their controls. A dialog opened at 96 that is told
# the display's density changed to 120 or 144 (WM_DPICHANGED, inside its process) lays itself out
# again as one opened at that density, in the window rectangle the system suggests.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder

# The labels sized to their text, and the combo box, whose height the system sets from its font.
FITTED_IDS="2020 2021 2022 2031 2034 2035"
COMBO_IDS="2030 1001"

# open_dialog: starts /c and waits for the dialog; its controls in dialog_controls.
open_dialog() {
  : >"$dialog_log"
  DIALOG_WINEDEBUG=-all,trace+font dialog_start /c
  wait_dialog_shown
}

close_dialog() {
  harness_probe post "$DIALOG_TITLE" close 0 0 >/dev/null || harness_fail "cannot close the dialog"
  wait_host_exit
}

# The design: the dialog at 96 dots per inch.
open_dialog
design_controls=$dialog_controls
close_dialog

for dpi in 120 144; do
  harness_set_dpi "$dpi"
  open_dialog
  echo "at $dpi dpi: $(head -n 1 <<<"$dialog_controls")"
  python3 - "$dpi" "$design_controls" "$dialog_controls" "$FITTED_IDS" "$COMBO_IDS" <<'PY' ||
import re, sys
dpi, design, scaled = int(sys.argv[1]), sys.argv[2], sys.argv[3]
fitted, combo = set(sys.argv[4].split()), set(sys.argv[5].split())
px = lambda v: (v * dpi + 48) // 96
def controls(text):
    out = {}
    for line in text.splitlines()[1:]:
        m = re.match(r"id=(\d+) .*at=(-?\d+),(-?\d+) size=(\d+)x(\d+)", line)
        out[m.group(1)] = tuple(map(int, m.groups()[1:]))
    return out
client = re.match(r"client=(\d+)x(\d+)", scaled).groups()
want = (px(495), px(246))
faults = [] if tuple(map(int, client)) == want else [f"client {client}, expected {want}"]
before, after = controls(design), controls(scaled)
for id, (x, y, w, h) in before.items():
    got = after.get(id)
    left, top = px(x), px(y)
    if id in fitted or id in combo:
        expected = (left, top) if id != "1001" else got[:2]
        if got[:2] != expected:
            faults.append(f"{id} at {got[:2]}, expected {expected}")
        continue
    expected = (left, top, px(x + w) - left, px(y + h) - top)
    if got != expected:
        faults.append(f"{id} is {got}, expected {expected}")
print("\n".join(faults))
sys.exit(1 if faults else 0)
PY
    harness_fail "controls not scaled to $dpi dpi"

  # Fonts: 9.75 points at this density in the labels and the buttons alike, rounded once (Wine's
  # font trace names each font made, with its height and face). Each button makes its caption's
  # 8-point design font first, before the dialog gives it the dialog's.
  height=$(python3 -c "print(-int(9.75 * $dpi / 72 + 0.5))")
  design=$(python3 -c "print(-int(8 * $dpi / 72 + 0.5))")
  fonts=$(grep -a 'NtGdiHfontCreate .*L"\\ff2d\\ff33 \\ff30\\30b4\\30b7\\30c3\\30af"' \
    "$dialog_log" | sed -E 's/.*HfontCreate \((-?[0-9]+) .*/\1/')
  echo "fonts made in ＭＳ Ｐゴシック, heights: $(tr '\n' ' ' <<<"$fonts")"
  [ "$(grep -cx -- "$height" <<<"$fonts")" -ge 5 ] &&
    [ -z "$(grep -vx -e "$height" -e "$design" <<<"$fonts")" ] ||
    harness_fail "fonts at $dpi dpi are not $height pixels high (the two labels' and three buttons')"
  # Texts drawn inside their controls: each shows dark text in its box, and none in the row below.
  texts_inside() {
    local id line at size x y w h inside below
    for id in 2021 2020 2022 2031 2036 2037; do
      line=$(grep "^id=$id " <<<"$dialog_controls")
      at=${line#* at=} at=${at%% *} size=${line#* size=} size=${size%% *}
      x=${at%,*} y=${at#*,} w=${size%x*} h=${size#*x}
      x=$((dialog_origin_x + x)) y=$((dialog_origin_y + y))
      inside=$(/usr/bin/convert "$1" -crop "${w}x$h+$x+$y" +repage -colorspace gray \
        -format '%[fx:int(255*minima)]' info:)
      [ "$inside" -le 80 ] || harness_fail "no text drawn in control $id (darkest $inside)"
      below=$(/usr/bin/convert "$1" -crop "${w}x1+$x+$((y + h))" +repage -colorspace gray \
        -format '%[fx:int(255*minima)]' info:)
      [ "$id" = 2036 ] || [ "$id" = 2037 ] || [ "$below" -gt 80 ] ||
        harness_fail "control $id's text runs below it (darkest $below)"
    done
  }
  harness_wait_picture 30 "the texts drawn in their controls at $dpi dpi" \
    "$HARNESS_WORK/dialog-$dpi.png" texts_inside
  echo "screenshot: $HARNESS_WORK/dialog-$dpi.png"
  declare "controls_at_$dpi=$dialog_controls"
  close_dialog
done

# controls_alike A B: the same client size and the same controls at the same places and sizes;
# the combo box's edit field (1001) is laid out by the system from its own metrics, which follow
# the density the system started at.
controls_alike() {
  [ "$(sed -E -e '1s/ origin=.*//' -e '/^id=1001 /d' <<<"$1")" = \
    "$(sed -E -e '1s/ origin=.*//' -e '/^id=1001 /d' <<<"$2")" ]
}
# The density changes while the dialog is open at 96.
harness_set_dpi 96
for dpi in 144 120; do
  open_dialog
  controls_alike "$dialog_controls" "$design_controls" || harness_fail "the dialog did not open at 96"
  harness_probe density "$DIALOG_TITLE" "$dpi" >/dev/null || harness_fail "cannot change to $dpi"
  wait_dialog_shown
  expected=controls_at_$dpi
  controls_alike "$dialog_controls" "${!expected}" ||
    harness_fail "after the change to $dpi dpi the dialog differs from one opened there:
$(diff <(echo "${!expected}") <(echo "$dialog_controls"))"
  close_dialog
done
harness_pass
