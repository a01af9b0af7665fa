# A second /c while the dialog is open ends at once without a second dialog, and first shows the
# user the open dialog: behind another program's window, or minimised, it comes back to the front.
# The first dialog goes on working and Set still writes the settings.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
dialog_start /c
expect_dialog
first_pid=$dialog_pid

# dialog_front_is PATTERN: the probe's "front" line for the dialog matches the shell PATTERN.
dialog_front_is() {
  local front
  front=$(dialog_probe front "$DIALOG_TITLE")
  harness_wait_detail=$front
  # shellcheck disable=SC2254
  case "$front" in $1) return 0 ;; *) return 1 ;; esac
}

# Another program's window in front of the dialog.
wine notepad &
harness_track $!
harness_wait 30 "another window in front of the dialog" dialog_front_is "front=0 iconic=0 shown=0"

for argument in /c /c:1234; do
  dialog_clock_start
  dialog_start "$argument"
  wait_host_exit
  echo "a second $argument ended after $(dialog_clock_ms) ms (exit code $host_exit_code)"
  facts=$(harness_probe find "$DIALOG_TITLE" 0) || harness_fail "the first dialog is gone"
  case "$facts" in count=1\ *) ;; *) harness_fail "not exactly one dialog: $facts" ;; esac
  harness_wait 30 "the dialog in front after a second $argument" dialog_front_is \
    "front=1 iconic=0 shown=1"
  # Minimised for the next start.
  if [ "$argument" = /c ]; then
    harness_probe post "$DIALOG_TITLE" syscommand 0xF020 0 || harness_fail "cannot minimise"
    harness_wait 30 "the dialog minimised" dialog_front_is "front=? iconic=1 shown=0"
  fi
done

dialog_pid=$first_pid
wait_dialog_shown
click_control ${CHOICE_LABEL_ID[1]}
expect_choice 1 1 0
click_control $SET_ID
wait_host_exit
[ "$(dialog_ini_text | sed 's/= /=/' | sed -n 2p)" = "$SETTINGS_KIND_KEY=1" ] ||
  harness_fail "Set after a second start did not write: $(dialog_ini_text)"
harness_pass
