# A saver run with no music chosen: no MCI command, no sound, only the renderer watch.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
# The time itself is what is tested: three seconds of a saver run without a sound.
host_music_run ja_JP.UTF-8 0 "" sleep 3

[ -z "$(music_sent_commands)" ] || harness_fail "MCI was used without music"
read -r peak seconds <<<"$(music_measure "$MUSIC_WORK/run.raw")"
echo "while the saver ran: peak amplitude $peak"
awk -v p="$peak" -v t="$MUSIC_SOUND_THRESHOLD" 'BEGIN { exit !(p < t) }' ||
  harness_fail "something sounded without music"
harness_pass
