# While a saver window "Valdorique_Main" or a settings dialog "<ミレボラ>" of another host exists,
# a new host ends at once in every mode, preview included, without touching anything.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8
install_host
open_probe_window "Preview Parent" 152 112 100 100
preview=$probe_window_hwnd

for running in "Valdorique_Main" "<ミレボラ>"; do
  open_probe_window "$running" 10 10 0 0
  for args in "/s" "" "/c" "/p $preview" "/c:5678"; do
    rm -rf "$MIREBORA_CAPTURE_DIR"
    start_host "$args"
    expect_host_exit
    [ ! -e "$MIREBORA_CAPTURE_DIR" ] || harness_fail "'$args' beside $running made the capture folder"
    [ -z "$(host_probe children "Preview Parent")" ] || harness_fail "'$args' showed a preview"
    expect_no_window Valdorique_VC
  done
  harness_probe post "$running" close 0 0 >/dev/null
  harness_wait_gone "$running"
done

# A host that only shows a preview does not stop a new start.
start_host "/p $preview"
wait_preview
preview_pid=$host_pid
start_host "/a 1234"
expect_host_exit
[ -d "$MIREBORA_CAPTURE_DIR" ] || harness_fail "the second host stopped beside a preview"
kill -0 "$preview_pid" || harness_fail "the preview host ended"
harness_pass
