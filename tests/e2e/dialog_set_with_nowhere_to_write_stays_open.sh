# Neither the program folder nor the user's application-data folder can be written: 設定 says so
# in a message box owned by the dialog, and the dialog stays open with the choice as it was; once
# the program folder can be written again, 設定 stores that choice and closes.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
harness_respect_file_modes "$0" "$@"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
harness_read_only "$DIALOG_FOLDER"
harness_read_only "$MIREBORA_APPDATA"
caption="ミレボラ (ScreenSaver)"
message='設定を保存できませんでした！\nﾌﾟﾛｸﾞﾗﾑのﾌｫﾙﾀﾞにもﾕｰｻﾞｰのﾌｫﾙﾀﾞにも書き込めません。'

dialog_start /c
expect_dialog
dialog_choose_cd_track 7
click_control $SET_ID
harness_wait 30 "the message box" harness_probe dialogs "$caption"
boxes=$(harness_probe dialogs "$caption")
echo "$boxes"
[ "$boxes" = "count=1
text=$message
owner=$DIALOG_TITLE" ] || harness_fail "not the one message box over the dialog"
harness_probe press-ok "$caption" >/dev/null || harness_fail "cannot press OK"
harness_wait_gone "$caption"

kill -0 "$dialog_pid" 2>/dev/null || harness_fail "the host ended"
expect_dialog_cd_track 7
[ ! -e "$DIALOG_INI" ] && [ ! -e "$MIREBORA_USER_SETTINGS_DIR" ] ||
  harness_fail "something was written"

chmod u+w "$DIALOG_FOLDER"
click_control $SET_ID
wait_host_exit
[ "$(iconv -f CP932 -t UTF-8 "$DIALOG_INI" | tr -d '\r' | sed 's/= /=/')" = "[Section]
$SETTINGS_KIND_KEY=1
$SETTINGS_TRACK_KEY=7
$SETTINGS_FILE_KEY=" ] || harness_fail "the choice was not stored once the folder could be written"
harness_pass
