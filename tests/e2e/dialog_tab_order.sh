# Tab moves the focus panel, repeat box, "...", 設定, ｷｬﾝｾﾙ and round again, past the controls that
# the choice disables; Shift+Tab goes back.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
dialog_write_ini 1 7 ''
dialog_start /c
expect_dialog

# expect_focus_path KEY ID...: the focus starts at the first ID and each KEY press moves it to the
# next one.
expect_focus_path() {
  local key=$1 id focus
  shift
  for id in "$@"; do
    focus=$(dialog_probe focus "$DIALOG_TITLE")
    [ "$focus" = "focus=$id" ] || harness_fail "$key: expected the focus on $id, got $focus"
    xdotool key "$key"
    sleep 0.2
  done
}

# 音楽CD: the file button is disabled and skipped.
expect_focus_path Tab $PANEL_ID $REPEAT_ID $SET_ID $CANCEL_ID $PANEL_ID
expect_focus_path shift+Tab $REPEAT_ID $PANEL_ID $CANCEL_ID $SET_ID $REPEAT_ID
# MP3、WAV: the repeat box is skipped and the file button takes the focus.
click_control ${CHOICE_LABEL_ID[2]}
click_control $PANEL_ID 400 150
expect_focus_path Tab $PANEL_ID $FILE_BUTTON_ID $SET_ID $CANCEL_ID $PANEL_ID
harness_probe post "$DIALOG_TITLE" close 0 0
wait_host_exit 10
echo "PASS"
