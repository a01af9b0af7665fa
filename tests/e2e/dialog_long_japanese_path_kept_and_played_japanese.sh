# An MP3 file at a Japanese path of more than 150 characters (seven nested folders; far more than
# 255 bytes in code page 932) chosen in the dialog's file chooser and stored with 設定 is shown
# again when the dialog opens next, and is what a later /s run opens and plays.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
music_start ja_JP.UTF-8
dialog_fresh_folder
folder=$MUSIC_ROOT
folder_win=$MUSIC_ROOT_WIN
for name in 星空の下で聴きたい音楽の集まりと思い出の記録 流れ星が降る夜に静かに流れる曲の数々 \
  遠い宇宙の彼方から届いた調べと古い録音 夢の中で何度も聴いたあの旋律とその続き \
  冬の朝に窓辺で聴く穏やかなピアノの小品集 春の訪れを告げる風のような弦楽の響きたち 最後のフォルダ; do
  folder=$folder/$name
  folder_win=$folder_win\\$name
done
mkdir -p "$folder"
cp "$MUSIC_ROOT/$MUSIC_MP3_NAME" "$folder/長い名前の曲.mp3"
path="$folder_win\\長い名前の曲.mp3"
[ "${#path}" -gt 150 ] || harness_fail "the path is only ${#path} characters"
[ "$(printf '%s' "$path" | iconv -f UTF-8 -t CP932 | wc -c)" -gt 255 ] ||
  harness_fail "the path fits in 255 bytes of code page 932"

dialog_choose_mp3_and_set "$path"
expect_ini_line "$SETTINGS_FILE_KEY" "$path"

# Opened again, the dialog shows the file; 設定 again leaves the file as it was.
cp "$DIALOG_INI" "$HARNESS_WORK/first.ini"
dialog_start /c
expect_dialog
expect_choice 2 0 1
expect_control_text_soon $FILE_NAME_ID "$path"
click_control $SET_ID
wait_host_exit
cmp "$HARNESS_WORK/first.ini" "$DIALOG_INI" || harness_fail "設定 changed the file: $(dialog_ini_text)"

# The saver, started from the same folder, opens and plays the chosen file.
dialog_saver_plays_mp3 "$MUSIC_WORK/saver.raw"
# Wine's trace cuts a command this long short ("..." after its first part): the command sent
# begins with what the trace shows of it, a good part of the path.
expected="open \\\"$(music_trace_form "$path")\\\" type MPEGVideo Alias MP3Play"
shown=$(sed -n 's/^[0-9a-f]*:trace:mci:mciSendStringW (L"\(open .*\)"\.\.\., .*$/\1/p' "$dialog_log" |
  head -n 1)
[ "${#shown}" -gt 100 ] && [ "${expected#"$shown"}" != "$expected" ] ||
  harness_fail "the saver did not open the chosen MP3: '$shown'"
music_expect_sound "$MUSIC_WORK/saver.raw"
harness_pass
