# A program folder the user cannot write (as Program Files is for a standard user): 設定 stores
# the settings in the user's own file, %APPDATA%\ミレボラ\ミレボラ.ini, in the Japanese form, and a
# later /c shows the choice from there.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
harness_respect_file_modes "$0" "$@"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
harness_read_only "$DIALOG_FOLDER"
user_ini=$MIREBORA_USER_SETTINGS_DIR/ミレボラ.ini

dialog_start /c
expect_dialog
dialog_choose_cd_track 7
click_control $SET_ID
wait_host_exit
[ ! -e "$DIALOG_INI" ] || harness_fail "a settings file appeared in the read-only folder"
[ -f "$user_ini" ] || harness_fail "no per-user settings file: $(ls -R "$MIREBORA_APPDATA")"
text=$(iconv -f CP932 -t UTF-8 "$user_ini" | tr -d '\r') || harness_fail "not Shift-JIS"
echo "$text"
[ "$(sed 's/= /=/' <<<"$text")" = "[Section]
$SETTINGS_KIND_KEY=1
$SETTINGS_TRACK_KEY=7
$SETTINGS_FILE_KEY=" ] || harness_fail "unexpected per-user settings file"

dialog_start /c
expect_dialog
expect_dialog_cd_track 7
click_control $CANCEL_ID
wait_host_exit
harness_pass
