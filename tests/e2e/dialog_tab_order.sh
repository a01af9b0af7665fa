# The dialog opens with the focus on the chosen music choice. Tab moves it on along the repeat
# box, "...", the link, 設定, ｷｬﾝｾﾙ, the panel, the music choices (one stop, on the selected one)
# and round again, past the controls that the choice disables; Shift+Tab goes back.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
dialog_write_ini 1 7 ''
dialog_start /c
expect_dialog

# expect_focus_path KEY ID...: the focus comes to each ID in turn, a KEY press after each (also
# after the last, which the next path starts from).
expect_focus_path() {
  local key=$1 id
  shift
  for id in "$@"; do
    expect_focus "$id"
    xdotool key "$key"
  done
}

# 音楽CD: the choices are one stop, on 音楽CD; the file button is disabled and skipped.
expect_focus_path Tab ${CHOICE_LABEL_ID[1]} $REPEAT_ID $LINK_ID $SET_ID $CANCEL_ID $PANEL_ID \
  ${CHOICE_LABEL_ID[1]}
expect_focus_path shift+Tab $REPEAT_ID ${CHOICE_LABEL_ID[1]} $PANEL_ID $CANCEL_ID $SET_ID $LINK_ID \
  $REPEAT_ID
# MP3、WAV: the choices' stop moves to it; the repeat box is skipped and the file button takes
# the focus.
click_control ${CHOICE_LABEL_ID[2]}
click_control $PANEL_ID 400 150
expect_focus_path Tab $PANEL_ID ${CHOICE_LABEL_ID[2]} $FILE_BUTTON_ID $LINK_ID $SET_ID $CANCEL_ID \
  $PANEL_ID
harness_probe post "$DIALOG_TITLE" close 0 0
wait_host_exit
harness_pass
