# A saver run with a WAV file whose path has blanks and Japanese characters, on an English
# system: the sound loops while the saver runs and stops when it ends. No MCI device is used.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
host_music_run C.UTF-8 2 "$MUSIC_ROOT_WIN\\$MUSIC_WAV_NAME" \
  music_heard_again "$MUSIC_WORK/run.raw"

[ -z "$(music_sent_commands)" ] || harness_fail "MCI was used for a WAV file"
music_expect_sound "$MUSIC_WORK/run.raw"
expect_silence_after
harness_pass
