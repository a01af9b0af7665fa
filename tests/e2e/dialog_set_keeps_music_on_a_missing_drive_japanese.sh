# The stored MP3 lies on a drive that is not there now (Q:, a USB stick taken out): the dialog
# shows no music, and 設定, after a press on the choice already shown and nothing else about the
# music, keeps the stored kind and path in the settings file byte for byte, so that the music
# plays again once the drive is back.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
[ ! -e "$WINEPREFIX/dosdevices/q:" ] || harness_fail "drive Q: exists in this prefix"
dialog_write_ini 2 3 'Q:\音楽\テーマ 曲.mp3'
stored=$HARNESS_WORK/stored.ini
cp "$DIALOG_INI" "$stored"

dialog_start /c
expect_dialog
expect_choice 0 0 0
expect_control_text $FILE_NAME_ID ""
click_control ${CHOICE_LABEL_ID[0]}
expect_choice 0 0 0
click_control $SET_ID
wait_host_exit
cmp "$stored" "$DIALOG_INI" ||
  harness_fail "設定 changed the stored music: $(dialog_ini_text)"
harness_pass
