# The file chooser "ﾌｧｲﾙを開く" opens in the folder of the current music file, or in the program
# folder when there is none, with the MP3 and WAV filter; a chosen file (its name with a letter
# outside code page 932) is shown and Set stores it; a cancelled chooser changes nothing.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
music_unix="$MIREBORA_DRIVE_C/音楽 フォルダ"
music_win='C:\音楽 フォルダ'
rm -rf "$music_unix"
mkdir -p "$music_unix"
: >"$music_unix/テスト 曲.mp3"
: >"$music_unix/thème 曲.wav"

# expect_chooser FOLDER: the chooser is shown, owned by the dialog, in FOLDER, for MP3 and WAV.
expect_chooser() {
  local facts
  facts=$(dialog_probe chooser "$CHOOSER_TITLE") || harness_fail "no file chooser '$CHOOSER_TITLE'"
  echo "$facts"
  [ "$facts" = "owner=$DIALOG_TITLE
folder=$1
filter=BGMﾌｧｲﾙ (MP3 WAV)
name=" ] || harness_fail "unexpected file chooser"
}

# A settings file for the MP3: the chooser opens in its folder.
dialog_write_ini 2 0 "$music_win\\テスト 曲.mp3"
dialog_start /c
expect_dialog
expect_choice 2 0 1
expect_control_text $FILE_NAME_ID "$music_win\\テスト 曲.mp3"
dialog_clock_start
click_control $FILE_BUTTON_ID
expect_chooser '音楽 フォルダ'
echo "the chooser was found $(dialog_clock_ms) ms after the click on ..."
dialog_probe choose "$CHOOSER_TITLE" 'thème 曲.wav' || harness_fail "cannot choose a file"
harness_wait_gone "$CHOOSER_TITLE"
expect_control_text_soon $FILE_NAME_ID "$music_win\\thème 曲.wav"
click_control $SET_ID
wait_host_exit
dialog_ini_text
expect_load "$DIALOG_FOLDER_WIN" 2 0 "$music_win\\thème 曲.wav" "$music_win"

# No settings file: the chooser opens in the program folder; cancelled, nothing changes.
rm -f "$DIALOG_INI"
dialog_start /c
expect_dialog
click_control ${CHOICE_LABEL_ID[2]}
expect_choice 2 0 1
click_control $FILE_BUTTON_ID
expect_chooser 'ミレボラ 設定 テスト'
dialog_probe press "$CHOOSER_TITLE" 2 || harness_fail "cannot cancel the chooser"
harness_wait_gone "$CHOOSER_TITLE"
expect_control_text_soon $FILE_NAME_ID ''
# Set with MP3、WAV and no file stores kind 2 and an empty file, which loads as no music.
click_control $SET_ID
wait_host_exit
[ "$(dialog_ini_text | sed 's/= /=/')" = "[Section]
$SETTINGS_KIND_KEY=2
$SETTINGS_TRACK_KEY=0
$SETTINGS_FILE_KEY=" ] || harness_fail "unexpected settings file: $(dialog_ini_text)"
expect_load "$DIALOG_FOLDER_WIN" 0 0 '' "$DIALOG_FOLDER_WIN"
harness_pass
