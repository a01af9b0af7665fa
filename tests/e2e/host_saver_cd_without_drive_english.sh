# A saver run with the audio CD chosen on a machine without a CD drive: the CD watch stops at its
# first tick, the saver runs on in silence and ends normally, and the CD device, never opened, is
# not closed.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
# The first tick of the CD watch asks for the current track; with no drive that ends the watch.
cd_watch_ticked() { grep -q 'mciSendStringW (L"status cdaudio current track"' "$MUSIC_TRACE"; }
host_music_run C.UTF-8 1 "" cd_watch_ticked

# Wine opens a device named in a command by itself first ("open cdaudio wait"): left out.
commands=$(music_sent_commands | grep -vxF 'open cdaudio wait')
echo "$commands"
[ "$commands" = "open cdaudio
set cdaudio time format tmsf
status cdaudio current track" ] || harness_fail "unexpected CD commands"
expect_silence_after
harness_pass
