# A second /c while the dialog is open ends at once without a second dialog; the first dialog
# goes on working and Set still writes the settings.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
dialog_start /c
expect_dialog
first_pid=$dialog_pid

for argument in /c /c:1234; do
  dialog_clock_start
  dialog_start "$argument"
  wait_host_exit
  echo "a second $argument ended after $(dialog_clock_ms) ms (exit code $host_exit_code)"
  facts=$(harness_probe find "$DIALOG_TITLE" 0) || harness_fail "the first dialog is gone"
  case "$facts" in count=1\ *) ;; *) harness_fail "not exactly one dialog: $facts" ;; esac
done

dialog_pid=$first_pid
click_control ${CHOICE_LABEL_ID[1]}
expect_choice 1 1 0
click_control $SET_ID
wait_host_exit
[ "$(dialog_ini_text | sed 's/= /=/' | sed -n 2p)" = "$SETTINGS_KIND_KEY=1" ] ||
  harness_fail "Set after a second start did not write: $(dialog_ini_text)"
harness_pass
