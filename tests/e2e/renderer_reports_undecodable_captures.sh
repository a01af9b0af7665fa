# All four capture files there but none of them a picture: the renderer says so for each, in
# message boxes with the caption "Error" over its window, one after the other; once the last is
# answered it ends by itself with exit code 0, since it has nothing to draw.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

rm -f "$MIREBORA_CAPTURE_DIR"/Valdorique*.bmp
: >"$MIREBORA_CAPTURE_DIR/Valdorique1.bmp"
echo "not a picture" >"$MIREBORA_CAPTURE_DIR/Valdorique2.bmp"
# A bitmap of 16 x 16 at 8 bits whose colour table is cut off after the headers.
python3 -c '
import struct, sys
info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 8, 0, 0, 0, 0, 256, 0)
sys.stdout.buffer.write(b"BM" + struct.pack("<IHHI", 14 + 40 + 1024 + 256, 0, 0, 14 + 40 + 1024) + info)
' >"$MIREBORA_CAPTURE_DIR/Valdorique3.bmp"
# The two letters of a bitmap file and nothing after them.
printf 'BM' >"$MIREBORA_CAPTURE_DIR/Valdorique4.bmp"
start_renderer trace+msgbox

# box_shown N: the Nth message box of the run is up (the trace counts the boxes made).
box_shown() {
  harness_has_lines "$renderer_log" MSGBOX_OnInit "$1" &&
    dialogs=$(harness_probe dialogs Error) && [ "$dialogs" != "count=0" ]
}
texts=('Failed to open DIB file c:\k_vusa\Valdorique1.bmp.\n' 'Unknown DIB file format.'
  'Image file conversion error.' 'Unknown DIB file format.')
for n in 1 2 3 4; do
  harness_wait 30 "message box $n" box_shown $n
  echo "box $n: $dialogs"
  [ "$dialogs" = "count=1
text=${texts[n - 1]}
owner=Valdorique_VC" ] || harness_fail "box $n is not the one expected, alone over the window"
  harness_probe press-ok Error || harness_fail "cannot press OK on box $n"
done
wait_renderer_exit
[ "$renderer_exit_code" -eq 0 ] || harness_fail "exit code $renderer_exit_code"
boxes=$(count_in_log MSGBOX_OnInit)
[ "$boxes" -eq 4 ] || harness_fail "$boxes message boxes"
harness_probe gone Valdorique_VC 0 || harness_fail "a window was left behind"
harness_pass
