# The dialog with the keyboard alone: it opens with the focus and its mark on the chosen なし;
# Down chooses MP3、WAV and the mark follows; Tab goes on to "..."; Space down shows its Pressed
# look and Space up opens the file chooser; a path typed there and Enter take the file; the focus
# comes back to "..." with its focused look. Enter on "..." opens the chooser again (Escape there
# keeps the file); Tab goes on to the link, which shows its focus mark, and to 設定, where Enter
# stores the kind and the file.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
mkdir -p "$MIREBORA_DRIVE_C/keys"
: >"$MIREBORA_DRIVE_C/keys/tune.mp3"
music='C:\keys\tune.mp3'

dialog_start /c
expect_dialog
expect_focus ${CHOICE_LABEL_ID[0]}
wait_focus_mark ${CHOICE_LABEL_ID[0]} 1
key_to_focus Down ${CHOICE_LABEL_ID[2]}
expect_choice 2 0 1
wait_focus_mark ${CHOICE_LABEL_ID[2]} 1
wait_focus_mark ${CHOICE_LABEL_ID[0]} 0

key_to_focus Tab $FILE_BUTTON_ID
wait_button_look $FILE_BUTTON_ID Selected "$NAVY" "$SELECTED_RING"
xdotool keydown space
wait_button_look $FILE_BUTTON_ID Pressed "$BEIGE_TOP" "$NAVY"
harness_probe gone "$CHOOSER_TITLE" 0 >/dev/null || harness_fail "the chooser opened before Space came up"
xdotool keyup space
harness_wait_window "$CHOOSER_TITLE" >/dev/null

xdotool type --delay 50 "$music"
chooser_name_is() { dialog_probe chooser "$CHOOSER_TITLE" | grep -qxF "name=$1"; }
harness_wait 30 "the typed path in the chooser" chooser_name_is "$music"
xdotool key Return
harness_wait_gone "$CHOOSER_TITLE"
expect_control_text_soon $FILE_NAME_ID "$music"
expect_focus $FILE_BUTTON_ID
wait_button_look $FILE_BUTTON_ID Selected "$NAVY" "$SELECTED_RING"

xdotool key Return
harness_wait_window "$CHOOSER_TITLE" >/dev/null
xdotool key Escape
harness_wait_gone "$CHOOSER_TITLE"
expect_focus $FILE_BUTTON_ID
expect_control_text $FILE_NAME_ID "$music"

wait_focus_mark $LINK_ID 0 band
key_to_focus Tab $LINK_ID
wait_focus_mark $LINK_ID 1 band
key_to_focus Tab $SET_ID
[ ! -e "$DIALOG_INI" ] || harness_fail "a settings file was written before 設定"
xdotool key Return
wait_host_exit
dialog_ini_text
[ "$(dialog_ini_text | sed 's/= /=/')" = "[Section]
$SETTINGS_KIND_KEY=2
$SETTINGS_TRACK_KEY=0
$SETTINGS_FILE_KEY=$music" ] || harness_fail "unexpected settings file"
harness_pass
