# A saver run with an MP3 file whose path has blanks and Japanese characters, on a Japanese
# system: the music sounds while the saver runs, is started again when it ends, and is stopped
# and closed when the saver ends.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
path="$MUSIC_ROOT_WIN\\$MUSIC_MP3_NAME"
host_music_run ja_JP.UTF-8 2 "$path" music_mp3_heard_again "$MUSIC_WORK/run.raw"

commands=$(music_sent_commands)
echo "$commands"
[ "$(head -n 2 <<<"$commands")" = "open \\\"$(music_trace_form "$path")\\\" type MPEGVideo Alias MP3Play
play MP3Play" ] || harness_fail "the MP3 was not opened and played first"
grep -A1 -xF 'stop MP3Play' <<<"$commands" | grep -qxF 'play MP3Play from 0' ||
  harness_fail "the MP3 was not started again when it ended"
[ "$(grep -vxF 'open mp3play wait' <<<"$commands" | tail -n 2)" = "stop MP3Play
close MP3Play" ] || harness_fail "the MP3 was not stopped and closed at the end"
music_expect_sound "$MUSIC_WORK/run.raw"
expect_silence_after
harness_pass
