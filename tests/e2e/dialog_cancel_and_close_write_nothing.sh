# ｷｬﾝｾﾙ (clicked, or Enter while it has the focus) and the close box end the host without
# writing: a settings file keeps its bytes after changes made in the dialog, and none is created
# where there was none. A stored kind outside
# 0 to 2 leaves every choice unselected.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder

# No settings file: ｷｬﾝｾﾙ after a change creates none.
dialog_start /c
expect_dialog
click_control ${CHOICE_LABEL_ID[1]}
expect_choice 1 1 0
dialog_clock_start
click_control $CANCEL_ID
wait_host_exit
echo "ｷｬﾝｾﾙ: the host ended after $(dialog_clock_ms) ms (exit code $host_exit_code)"
[ ! -e "$DIALOG_INI" ] || harness_fail "ｷｬﾝｾﾙ wrote a settings file"

# Enter on the focused ｷｬﾝｾﾙ is ｷｬﾝｾﾙ, not 設定.
dialog_start /c
expect_dialog
click_control ${CHOICE_LABEL_ID[1]}
expect_choice 1 1 0
click_control $PANEL_ID 400 150
expect_focus $PANEL_ID
key_to_focus shift+Tab $CANCEL_ID
xdotool key Return
wait_host_exit
[ ! -e "$DIALOG_INI" ] || harness_fail "Enter on ｷｬﾝｾﾙ wrote a settings file"

# A settings file for the audio CD, track 3: the close box after changes leaves it as it was.
dialog_write_ini 1 3 ''
before=$(md5sum <"$DIALOG_INI")
dialog_start /c
expect_dialog
expect_choice 1 1 0
combo=$(dialog_probe combo "$DIALOG_TITLE" $REPEAT_ID)
[ "$(head -n 1 <<<"$combo")" = "text=3" ] || harness_fail "the repeat box shows $(head -n 1 <<<"$combo")"
click_control ${CHOICE_IMAGE_ID[0]}
expect_choice 0 0 0
# The close box sends the window the close command.
dialog_clock_start
harness_probe post "$DIALOG_TITLE" syscommand 0xF060 0 || harness_fail "cannot close the dialog"
wait_host_exit
echo "close box: the host ended after $(dialog_clock_ms) ms (exit code $host_exit_code)"
[ "$(md5sum <"$DIALOG_INI")" = "$before" ] || harness_fail "the close box changed the settings file:
$(dialog_ini_text)"

# The same with ｷｬﾝｾﾙ.
dialog_start /c
expect_dialog
click_control ${CHOICE_LABEL_ID[2]}
expect_choice 2 0 1
click_control $CANCEL_ID
wait_host_exit
[ "$(md5sum <"$DIALOG_INI")" = "$before" ] || harness_fail "ｷｬﾝｾﾙ changed the settings file"

# A stored kind outside 0 to 2 selects no choice and disables both controls; the dialog works.
dialog_write_ini 5 0 ''
before=$(md5sum <"$DIALOG_INI")
dialog_start /c
expect_dialog
expect_choice - 0 0
click_control ${CHOICE_IMAGE_ID[1]}
expect_choice 1 1 0
click_control $CANCEL_ID
wait_host_exit
[ "$(md5sum <"$DIALOG_INI")" = "$before" ] || harness_fail "ｷｬﾝｾﾙ changed the settings file"
harness_pass
