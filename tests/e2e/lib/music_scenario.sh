# shellcheck disable=SC2034  # the variables set here are read by the scripts that source this file
# Helpers for the background music scenarios: a PulseAudio null sink that gives Wine its wave
# devices and records what they play, test tones in a folder whose name has blanks and
# characters outside both the English and the Japanese ANSI code page, and the music probe
# traced through MCI. Source after scripts/lib/wine-harness.sh, after harness_start.

MUSIC_PROBE=$MIREBORA_BUILD/tests/music-probe.exe
MUSIC_WORK=$HARNESS_WORK/music
# The music folder, on the Linux side and as Windows programs see it.
MUSIC_ROOT="$MIREBORA_DRIVE_C/音楽 フォルダ"
MUSIC_ROOT_WIN='C:\音楽 フォルダ'
MUSIC_MP3_NAME='thème テスト 曲.mp3'
MUSIC_WAV_NAME='thème テスト 曲.wav'
# The tone lasts less than the probe runs, so the MP3 watch must restart it.
MUSIC_TONE_SECONDS=2
MUSIC_TONE_HZ=440
# A recording of the null sink counts as sound from this peak amplitude on (full scale is 1).
MUSIC_SOUND_THRESHOLD=0.1

music_pulse_pid=
music_record_pid=

# Starts a private PulseAudio server with the null sink "nul" as its default sink; it is ended
# by its id when the scenario ends, after the harness's own cleanup.
music_start_audio() {
  rm -rf "$MUSIC_WORK"
  mkdir -p "$MUSIC_WORK/runtime"
  chmod 700 "$MUSIC_WORK/runtime"
  export XDG_RUNTIME_DIR=$MUSIC_WORK/runtime
  export PULSE_RUNTIME_PATH=$MUSIC_WORK/runtime/pulse
  export PULSE_SERVER=unix:$PULSE_RUNTIME_PATH/native
  HOME=$MUSIC_WORK pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --load="module-null-sink sink_name=nul" \
    --load="module-native-protocol-unix auth-anonymous=1" >"$MUSIC_WORK/pulseaudio.log" 2>&1 &
  music_pulse_pid=$!
  harness_at_exit music_stop_audio
  harness_wait 30 "the PulseAudio server to answer" music_audio_answers
  pactl set-default-sink nul || harness_fail "no null sink"
}

music_audio_answers() {
  pactl info >/dev/null 2>&1 && return 0
  kill -0 "$music_pulse_pid" 2>/dev/null ||
    harness_fail "pulseaudio did not start: $(cat "$MUSIC_WORK/pulseaudio.log")"
  return 1
}

music_stop_audio() {
  set +e
  [ -n "$music_record_pid" ] && kill "$music_record_pid" 2>/dev/null
  if [ -n "$music_pulse_pid" ]; then
    kill "$music_pulse_pid" 2>/dev/null
    wait "$music_pulse_pid" 2>/dev/null
  fi
}

# Writes the test tone as WAV and MP3 into the music folder.
music_make_tones() {
  rm -rf "$MUSIC_ROOT"
  mkdir -p "$MUSIC_ROOT"
  sox -n -r 44100 -c 2 -b 16 "$MUSIC_ROOT/$MUSIC_WAV_NAME" synth "$MUSIC_TONE_SECONDS" \
    sine "$MUSIC_TONE_HZ" vol 0.5 || harness_fail "sox could not make the tone"
  lame --quiet "$MUSIC_ROOT/$MUSIC_WAV_NAME" "$MUSIC_ROOT/$MUSIC_MP3_NAME" ||
    harness_fail "lame could not make the MP3"
}

# The null sink is recorded raw in this form.
MUSIC_RECORD_RATE=44100
MUSIC_RECORD_CHANNELS=2

# Records the null sink's monitor into FILE until music_stop_recording.
music_start_recording() {
  parec -d nul.monitor --raw --format=s16le --rate="$MUSIC_RECORD_RATE" \
    --channels="$MUSIC_RECORD_CHANNELS" >"$1" &
  music_record_pid=$!
}

music_stop_recording() {
  kill "$music_record_pid" 2>/dev/null
  wait "$music_record_pid" 2>/dev/null
  music_record_pid=
}

# "PEAK SECONDS" of a raw recording: its peak amplitude (full scale 1) and for how many seconds,
# counted in quarter seconds, it held sound at or above MUSIC_SOUND_THRESHOLD.
music_measure() {
  python3 -c '
import array, sys
rate, channels, threshold = int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
data = open(sys.argv[1], "rb").read()
samples = array.array("h", data[: len(data) // 2 * 2])
chunk = rate * channels // 4
peaks = [max(map(abs, samples[i : i + chunk]), default=0) / 32768
         for i in range(0, len(samples), chunk)]
print("%.3f %.2f" % (max(peaks, default=0), sum(p >= threshold for p in peaks) / 4))
' "$1" "$MUSIC_RECORD_RATE" "$MUSIC_RECORD_CHANNELS" "$MUSIC_SOUND_THRESHOLD"
}

# music_heard_again FILE: the recording, perhaps still growing, holds sound for longer than the
# tone lasts: the tone was played again after it ended.
music_heard_again() {
  local peak seconds
  read -r peak seconds <<<"$(music_measure "$1")"
  harness_wait_detail="$seconds s of sound so far"
  awk -v s="$seconds" -v t="$MUSIC_TONE_SECONDS" 'BEGIN { exit !(s > t + 0.5) }'
}

# music_expect_sound FILE: the recording holds sound for longer than the tone lasts, so the tone
# was played again after it ended.
music_expect_sound() {
  local measured peak seconds
  measured=$(music_measure "$1") || harness_fail "cannot read the recording $1"
  read -r peak seconds <<<"$measured"
  echo "recorded: peak amplitude $peak, $seconds s of sound"
  awk -v p="$peak" -v t="$MUSIC_SOUND_THRESHOLD" 'BEGIN { exit !(p >= t) }' ||
    harness_fail "the null sink heard nothing (peak amplitude $peak)"
  awk -v s="$seconds" -v t="$MUSIC_TONE_SECONDS" 'BEGIN { exit !(s > t + 0.5) }' ||
    harness_fail "the tone was heard for $seconds s only: it was not played again"
}

# Runs the probe with the MCI calls traced into MUSIC_TRACE; its output goes through a file as in
# harness_probe, line ends made LF.
MUSIC_TRACE=$MUSIC_WORK/trace.log
music_probe() {
  local out status
  out=$(mktemp)
  WINEDEBUG=trace+mci wine "$MUSIC_PROBE" "$@" >"$out" 2>"$MUSIC_TRACE"
  status=$?
  tr -d '\r' <"$out"
  rm -f "$out"
  return $status
}

# The commands the probe sent, in order, as the MCI trace writes them (non-ASCII characters as
# \xxxx escapes, backslashes doubled).
music_sent_commands() {
  sed -n 's/^[0-9a-f]*:trace:mci:mciSendStringW (L"\(.*\)", [0-9A-F]*, [0-9]*, [0-9A-F]*)$/\1/p' \
    "$MUSIC_TRACE"
}

# TEXT in the MCI trace's escaped form.
music_trace_form() {
  python3 -c '
import sys
out = []
for c in sys.argv[1]:
    if c == "\\": out.append("\\\\")
    elif c == "\"": out.append("\\\"")
    elif 32 <= ord(c) < 127: out.append(c)
    else: out.append("\\%04x" % ord(c))
print("".join(out))' "$1"
}

# music_play_file PATH UNTIL...: the probe plays the music file PATH, with the MCI calls traced
# into MUSIC_TRACE and the null sink recorded into $MUSIC_WORK/play.raw, until the command UNTIL
# holds (waited for up to a minute); then the probe stops the music and ends. Its output is in
# music_play_output.
music_play_file() {
  local path=$1 stop=$MIREBORA_DRIVE_C/music-probe.stop
  shift
  rm -f "$stop"
  music_start_recording "$MUSIC_WORK/play.raw"
  WINEDEBUG=trace+mci wine "$MUSIC_PROBE" play-file "$path" 120 'C:\music-probe.stop' \
    >"$MUSIC_WORK/play.out" 2>"$MUSIC_TRACE" &
  music_probe_pid=$!
  harness_track "$music_probe_pid"
  harness_wait 60 "$*" "$@"
  : >"$stop"
  harness_wait 30 "the music probe to stop the music and end" music_probe_ended
  wait "$music_probe_pid" || harness_fail "play-file: exit $?"
  rm -f "$stop"
  music_stop_recording
  music_play_output=$(tr -d '\r' <"$MUSIC_WORK/play.out")
  echo "$music_play_output"
  music_expect_line "$music_play_output" "stopped-by=file" "the probe's end"
}
music_probe_ended() { ! kill -0 "$music_probe_pid" 2>/dev/null; }

# music_mp3_heard_again FILE: the MP3 watch has started the ended MP3 again (MUSIC_TRACE shows
# the command) and the recording FILE holds sound for longer than the tone.
music_mp3_heard_again() {
  grep -q 'mciSendStringW (L"play MP3Play from 0"' "$MUSIC_TRACE" 2>/dev/null &&
    music_heard_again "$1"
}

# music_expect_line TEXT NAME WHAT: TEXT holds the line NAME, exactly.
music_expect_line() {
  grep -qxF -- "$2" <<<"$1" || harness_fail "$3: no line '$2' in
$1"
}

# Starts the harness on LOCALE with the null sink and the tones.
music_start() {
  harness_start "$1"
  music_start_audio
  music_make_tones
  local devices
  devices=$(music_probe wave-devices) || harness_fail "wave-devices: exit $?"
  [ "$devices" != "wave-devices=0" ] || harness_fail "Wine has no wave device on the null sink"
  echo "$devices"
}

# The MP3 file with blanks and Japanese characters in its path opens as MPEGVideo under its
# alias, plays and is restarted by the watch once it has ended; the null sink hears it; at the
# end neither the alias nor any other device is open.
music_mp3_scenario() {
  music_start "$1"
  local path="$MUSIC_ROOT_WIN\\$MUSIC_MP3_NAME" out commands
  music_play_file "$path" music_mp3_heard_again "$MUSIC_WORK/play.raw"
  out=$music_play_output
  music_expect_line "$out" "mp3-timer=on" "the MP3 watch"
  music_expect_line "$out" "open-devices-started=1" "the MP3 device while playing"
  # After each tick the MP3 is playing; the tone may end just after the watch looked, and then
  # shows as stopped until the next tick starts it again.
  grep -q '^tick=' <<<"$out" || harness_fail "the MP3 watch never ticked"
  grep '^tick=' <<<"$out" | sed 's/.* mode=//' | awk '
    $0 != "playing" && $0 != "stopped" { exit 1 }
    previous == "stopped" && $0 != "playing" { exit 1 }
    { previous = $0 }' || harness_fail "the MP3 was not kept playing by its watch"
  # The alias no longer names a device (Wine then looks for a file of that name: error 281).
  grep -qxE 'mp3-after-stop=error=[1-9][0-9]*' <<<"$out" ||
    harness_fail "the alias MP3Play still answers after stopping"
  music_expect_line "$out" "open-devices=0" "the devices after stopping"

  # The path reached MCI whole, quoted; "play MP3Play" follows only when the open succeeded.
  local open
  open="open \\\"$(music_trace_form "$path")\\\" type MPEGVideo Alias MP3Play"
  commands=$(music_sent_commands)
  [ "$(head -n 2 <<<"$commands")" = "$open
play MP3Play" ] || harness_fail "the MP3 did not open and play first:
$commands"
  grep -A1 -xF 'stop MP3Play' <<<"$commands" | grep -qxF 'play MP3Play from 0' ||
    harness_fail "the watch never restarted the ended MP3:
$commands"
  # Last come the stop and close, then only the probe's own queries (and Wine's attempt to open
  # the name it no longer knows).
  [ "$(grep -vxE 'sysinfo all quantity open|open mp3play wait' <<<"$commands" | tail -n 3)" = \
    "stop MP3Play
close MP3Play
status MP3Play mode" ] || harness_fail "the MP3 was not stopped and closed at the end:
$commands"
  music_expect_sound "$MUSIC_WORK/play.raw"
}

# With no CD drive the first CD-watch tick fails on the current-track query and ends the watch;
# the CD is neither played nor closed, and nothing is left open.
music_cd_scenario() {
  music_start "$1"
  local out commands
  out=$(music_probe cd 30) || harness_fail "cd: exit $?"
  echo "$out"
  [ "$out" = "cd-timer=on
open-devices-started=0
cd-tick=1 cd-timer=off
open-devices=0" ] || harness_fail "the CD watch did not stop at its first tick"
  # Wine opens a device named in a command by itself first ("open cdaudio wait"): left out.
  commands=$(music_sent_commands | grep -vxF 'open cdaudio wait')
  echo "$commands"
  [ "$commands" = "open cdaudio
set cdaudio time format tmsf
sysinfo all quantity open
status cdaudio current track
sysinfo all quantity open" ] || harness_fail "unexpected CD commands:
$commands"
}

# The WAV file with blanks and Japanese characters in its path plays, looping, through the sound
# player while there is a wave device; the null sink hears it for longer than the tone lasts.
music_wav_scenario() {
  music_start "$1"
  local path="$MUSIC_ROOT_WIN\\$MUSIC_WAV_NAME" out
  music_play_file "$path" music_heard_again "$MUSIC_WORK/play.raw"
  out=$music_play_output
  music_expect_line "$out" "mp3-timer=off" "the MP3 watch for a WAV file"
  music_expect_line "$out" "open-devices=0" "the devices after stopping"
  music_expect_sound "$MUSIC_WORK/play.raw"
}
