# Clicking a music choice never leaves the dialog without a focus: the same choice clicked again
# leaves the focus in the repeat box; a choice that disables the focused control hands the focus
# on to the next control in tab order; Tab and Shift+Tab go on from there. A Tab that reaches
# the dialog as a system key (as it does when no control has the focus) moves the focus too.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
dialog_write_ini 1 0 ''
dialog_start /c
expect_dialog

# Into the repeat box's edit field with the mouse, then 音楽CD once more: typing still reaches
# the box, and Tab and Shift+Tab move on from it (the file button stays disabled and is skipped).
click_control $REPEAT_ID 10 10
expect_focus $REPEAT_ID
click_control ${CHOICE_LABEL_ID[1]}
xdotool type 7
expect_repeat_text 7
key_to_focus Tab $LINK_ID
key_to_focus shift+Tab $REPEAT_ID

# MP3、WAV disables the focused repeat box: the focus goes on to the file button it enables.
click_control ${CHOICE_LABEL_ID[2]}
expect_choice 2 0 1
expect_focus $FILE_BUTTON_ID
key_to_focus Tab $LINK_ID
key_to_focus shift+Tab $FILE_BUTTON_ID

# MP3、WAV again keeps the focus on the file button; なし disables it: the focus goes on to the
# link.
click_control ${CHOICE_IMAGE_ID[2]}
key_to_focus Tab $LINK_ID
key_to_focus shift+Tab $FILE_BUTTON_ID
click_control ${CHOICE_LABEL_ID[0]}
expect_choice 0 0 0
expect_focus $LINK_ID

# A Tab that arrives as a system key press without Alt still moves the focus.
harness_probe post "$DIALOG_TITLE" $((0x104)) 9 0 || harness_fail "cannot post the Tab"
expect_focus $SET_ID

harness_probe post "$DIALOG_TITLE" close 0 0
wait_host_exit
harness_pass
