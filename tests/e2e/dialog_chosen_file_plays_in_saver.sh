# An MP3 file chosen in the dialog's file chooser (typed with its whole path: blanks, Japanese
# characters and a letter outside code page 932) and stored with Set is what a later /s run
# opens and plays: the null sink hears it.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
music_start ja_JP.UTF-8
dialog_fresh_folder
path="$MUSIC_ROOT_WIN\\$MUSIC_MP3_NAME"

dialog_start /c
expect_dialog
click_control ${CHOICE_LABEL_ID[2]}
click_control $FILE_BUTTON_ID
dialog_probe chooser "$CHOOSER_TITLE" >/dev/null || harness_fail "no file chooser"
dialog_probe choose "$CHOOSER_TITLE" "$path" || harness_fail "cannot choose the MP3"
harness_wait_gone "$CHOOSER_TITLE"
expect_control_text_soon $FILE_NAME_ID "$path"
click_control $SET_ID
wait_host_exit
dialog_ini_text

# The saver, started from the same folder, plays the chosen file.
music_start_recording "$MUSIC_WORK/saver.raw"
DIALOG_WINEDEBUG=-all,trace+mci dialog_start /s
harness_wait_window Valdorique_VC >/dev/null
# The saver runs until the MP3 has ended, been started again and heard again.
MUSIC_TRACE=$dialog_log
harness_wait 60 "the chosen MP3 to be heard again after it ended" \
  music_mp3_heard_again "$MUSIC_WORK/saver.raw"
press_escape
harness_wait_gone Valdorique_VC
wait_host_exit
music_stop_recording
commands=$(music_sent_commands)
echo "$commands" | head -n 3
[ "$(head -n 1 <<<"$commands")" = "open \\\"$(music_trace_form "$path")\\\" type MPEGVideo Alias MP3Play" ] ||
  harness_fail "the saver did not open the chosen MP3"
music_expect_sound "$MUSIC_WORK/saver.raw"
harness_pass
