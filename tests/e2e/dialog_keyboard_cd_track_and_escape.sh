# The dialog with the keyboard alone: Escape and Alt+F4 close it without writing after a choice
# made with the arrows; the focus starts on なし, Up from there chooses 音楽CD, Tab goes into the
# repeat box, 7 is typed there and Enter is 設定: kind CD and track 7 are stored. Enter on a
# choice is 設定 too.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
dialog_write_ini 0 0 ''
before=$(md5sum <"$DIALOG_INI")

# choose_with_arrow KEY KIND: on the choices, KEY chooses KIND and the focus follows it.
choose_with_arrow() {
  key_to_focus "$1" ${CHOICE_LABEL_ID[$2]}
  expect_choice "$2" $(($2 == 1 ? 1 : 0)) $(($2 == 2 ? 1 : 0))
}

for close_key in Escape alt+F4; do
  dialog_start /c
  expect_dialog
  expect_focus ${CHOICE_LABEL_ID[0]}
  choose_with_arrow Up 1
  xdotool key $close_key
  wait_host_exit
  [ "$(md5sum <"$DIALOG_INI")" = "$before" ] || harness_fail "$close_key changed the settings file:
$(dialog_ini_text)"
done

dialog_start /c
expect_dialog
expect_focus ${CHOICE_LABEL_ID[0]}
choose_with_arrow Up 1
# Up again goes round the end to MP3、WAV, and Down back to 音楽CD.
choose_with_arrow Up 2
choose_with_arrow Down 1
key_to_focus Tab $REPEAT_ID
xdotool type 7
expect_repeat_text 7
xdotool key Return
wait_host_exit
dialog_ini_text
[ "$(dialog_ini_text | sed 's/= /=/')" = "[Section]
$SETTINGS_KIND_KEY=1
$SETTINGS_TRACK_KEY=7
$SETTINGS_FILE_KEY=" ] || harness_fail "unexpected settings file"

# Opened again, the focus is on 音楽CD; Up chooses MP3、WAV, and Enter on the choice is 設定.
dialog_start /c
expect_dialog
expect_focus ${CHOICE_LABEL_ID[1]}
choose_with_arrow Up 2
xdotool key Return
wait_host_exit
dialog_ini_text | sed 's/= /=/' | grep -qx "$SETTINGS_KIND_KEY=2" ||
  harness_fail "Enter on the choice did not store it: $(dialog_ini_text)"
harness_pass
