# "/a 1234" (change password) and a lone "s" end the host after it made the capture folder and
# read the settings, without any window, capture file or renderer.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8
install_host

for args in "/a 1234" "s" "/x"; do
  rm -rf "$MIREBORA_CAPTURE_DIR"
  start_host "$args" +pid,trace+win
  expect_host_exit
  [ -d "$MIREBORA_CAPTURE_DIR" ] || harness_fail "'$args' did not make the capture folder"
  [ -z "$(ls -A "$MIREBORA_CAPTURE_DIR")" ] || harness_fail "'$args' wrote capture files"
  # None of the host's windows: the saver window, the preview window or the settings dialog.
  ! grep -E 'CreateWindowEx.*(Valdorique|Preview Window|<)' "$host_log" ||
    harness_fail "'$args' created a window"
  expect_no_window Valdorique_VC
done
harness_pass
