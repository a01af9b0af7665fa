# An empty command line runs the saver too, on an English system, and leaves the cursor alone:
# the host neither hides nor shows it.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start C.UTF-8

install_host
show_desktop
start_host "" +pid,trace+cursor
host_facts=$(expect_window Valdorique_Main) || exit 1
expect_window Valdorique_VC
expect_capture_files
sleep 1
shot=$MIREBORA_BUILD/host_saver_empty_command_line.png
harness_screenshot "$shot"
expect_colour "$shot" $GROUND_POINT "$DESKTOP_COLOUR"

press_escape
harness_probe gone Valdorique_VC 10000 >/dev/null || harness_fail "the renderer did not end"
expect_exit_within 1000
host=$(windows_pid_hex "$host_facts")
if cursor_calls "$host"; then harness_fail "the host touched the cursor"; fi
echo "PASS"
