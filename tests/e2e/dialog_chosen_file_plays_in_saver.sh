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

dialog_choose_mp3_and_set "$path"
dialog_ini_text

# The saver, started from the same folder, plays the chosen file.
dialog_saver_plays_mp3 "$MUSIC_WORK/saver.raw"
commands=$(music_sent_commands)
echo "$commands" | head -n 3
[ "$(head -n 1 <<<"$commands")" = "open \\\"$(music_trace_form "$path")\\\" type MPEGVideo Alias MP3Play" ] ||
  harness_fail "the saver did not open the chosen MP3"
music_expect_sound "$MUSIC_WORK/saver.raw"
harness_pass
