# shellcheck disable=SC2034  # the variables set here are read by the scripts that source this file
# Shared steps of the host scenarios: installing ミレボラ.scr and ミレボラ.dll into a folder whose
# name has blanks and Japanese characters, a desktop to capture, starting and ending the host,
# and checking the capture files. Sourced after scripts/lib/wine-harness.sh; brings the renderer
# scenarios' steps (expect_colour, press_escape) with it.

source "$(dirname "${BASH_SOURCE[0]}")/renderer_scenario.sh"

HOST_PROBE=$MIREBORA_BUILD/tests/host-probe.exe
# Installed as a user would: under Program Files, in a folder with blanks and kanji in its name.
HOST_FOLDER_NAME="ミレボラ スクリーン セーバー"
HOST_DIR="$MIREBORA_DRIVE_C/Program Files/$HOST_FOLDER_NAME"
# The desktop colour the scenarios show; the renderer's first seconds show it at GROUND_POINT.
DESKTOP_COLOUR="200 40 160"

host_log=
host_pid=

# install_host [--without-renderer]: copies the programs into HOST_DIR, starting from an empty
# folder and an empty capture folder.
# shellcheck disable=SC2120  # host_reports_missing_renderer.sh passes --without-renderer
install_host() {
  rm -rf "$HOST_DIR" "$MIREBORA_CAPTURE_DIR"
  mkdir -p "$HOST_DIR"
  cp "$MIREBORA_DIST/ミレボラ.scr" "$HOST_DIR/" || harness_fail "no ミレボラ.scr built"
  if [ "${1:-}" != --without-renderer ]; then
    cp "$MIREBORA_DIST/ミレボラ.dll" "$HOST_DIR/" || harness_fail "no ミレボラ.dll built"
  fi
}

host_probe() { harness_run_windows "$HOST_PROBE" "$@"; }

# show_desktop: a full-screen borderless window in DESKTOP_COLOUR with a white "window" on it,
# standing in for the user's desktop that the host copies.
show_desktop() {
  local picture
  picture=$(mktemp --suffix=.png)
  local size=${HARNESS_SCREEN_WIDTH}x$HARNESS_SCREEN_HEIGHT
  /usr/bin/convert -size "$size" "xc:rgb(${DESKTOP_COLOUR// /,})" \
    -fill white -draw 'rectangle 60,60 420,300' -fill '#1040c0' -draw 'rectangle 60,60 420,92' \
    "$picture"
  display -display "$DISPLAY" -geometry "$size+0+0" -borderwidth 0 -title desktop "$picture" &
  harness_track $!
  harness_wait_picture 30 "the sample desktop to be shown" "$HARNESS_WORK/desktop.png" \
    expect_colour $GROUND_POINT "$DESKTOP_COLOUR"
}

# expect_desktop_as_ground PNG: the scene is up, with the desktop as its ground: the ground point
# shows the desktop's colour while the corners, where the desktop was before, show the sky.
expect_desktop_as_ground() {
  local point
  expect_colour "$1" $GROUND_POINT "$DESKTOP_COLOUR"
  for point in "${SKY_POINTS[@]}"; do
    expect_other_colour "$1" $point "$DESKTOP_COLOUR"
  done
}

# start_host ARGS [WINEDEBUG]: starts the installed host from its folder, as Windows does, with the
# argument string ARGS (may be empty); its Wine trace goes to $host_log. With HOST_FILE_LIMIT_KB
# set, no file the host (or the renderer it starts) writes grows past that size: the write that
# would fails, as on a full disk.
start_host() {
  host_log=$(mktemp "${TMPDIR:-/tmp}/host-trace.XXXXXX")
  if [ -n "$1" ]; then
    (cd "$HOST_DIR" && host_limit_files && WINEDEBUG=${2:--all} exec wine ./ミレボラ.scr $1) \
      2>"$host_log" &
  else
    (cd "$HOST_DIR" && host_limit_files && WINEDEBUG=${2:--all} exec wine ./ミレボラ.scr) \
      2>"$host_log" &
  fi
  host_pid=$!
  harness_track "$host_pid"
}

# The limit of HOST_FILE_LIMIT_KB on the calling shell; the signal that would end the process at
# the limit is ignored, so the write fails instead.
host_limit_files() {
  [ -z "${HOST_FILE_LIMIT_KB:-}" ] && return 0
  trap '' XFSZ
  ulimit -f "$HOST_FILE_LIMIT_KB"
}

# wait_host_exit: waits up to 30 s for the host to end, sets host_exit_code and
# host_exit_ms (how long the wait took).
# Once the host's process has ended, Wine takes a moment more to destroy its windows: the wait
# includes that, since a saver window still there would make the next host end at once.
host_ended() { ! kill -0 "$host_pid" 2>/dev/null; }
wait_host_exit() {
  harness_wait 30 "the host to end" host_ended
  wait "$host_pid"
  host_exit_code=$?
  # shellcheck disable=SC2154  # set by harness_wait
  host_exit_ms=$harness_waited_ms
  harness_wait_gone Valdorique_Main 30 Valdorique_S
  harness_wait_gone '<ミレボラ>' 30 Valdorique_P
  harness_wait_gone 'ミレボラ (ScreenSaver)' 30 '#32770'
}

# expect_window TITLE: the window appears; prints its facts.
expect_window() { harness_wait_window "$1"; }

# expect_no_window TITLE
expect_no_window() {
  if harness_probe find "$1" 0 >/dev/null 2>&1; then harness_fail "a window $1 exists"; fi
}

# bitmap_size FILE: "WIDTHxHEIGHTxBITS" from the file's headers.
bitmap_size() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read(54)
assert data[:2] == b'BM', 'not a bitmap file'
width, height, _, bits = struct.unpack('<iiHH', data[18:30])
print(f'{width}x{abs(height)}x{bits}')
PY
}

# expect_capture_files [DIR]: the four files in C:\k_vusa (or DIR) with the sizes the renderer
# expects, file 2 at the screen size, written in the order 1 to 4.
expect_capture_files() {
  local i expected=(128x128 "${HARNESS_SCREEN_WIDTH}x$HARNESS_SCREEN_HEIGHT" 256x256 256x256)
  local size previous=0 stamp
  for i in 1 2 3 4; do
    local file=${1:-$MIREBORA_CAPTURE_DIR}/Valdorique$i.bmp
    [ -f "$file" ] || harness_fail "Valdorique$i.bmp was not written"
    size=$(bitmap_size "$file") || harness_fail "Valdorique$i.bmp is no bitmap file"
    echo "Valdorique$i.bmp: $size, $(stat -c %s "$file") bytes"
    case "$size" in "${expected[$((i - 1))]}"x*) ;; *) harness_fail "Valdorique$i.bmp is $size" ;; esac
    stamp=$(stat -c %.9Y "$file")
    python3 -c "import sys; sys.exit(0 if float('$stamp') >= float('$previous') else 1)" ||
      harness_fail "Valdorique$i.bmp was written before the file before it"
    previous=$stamp
  done
}

# expect_no_capture_files: C:\k_vusa comes to hold nothing, neither a capture file nor a
# half-written one. A file the host deleted while the renderer was still reading it (a saver ended
# at its start) stays listed until the renderer closes it: that is what is waited for.
capture_folder_empty() {
  harness_wait_detail="left in C:\\k_vusa: $(ls -A "$MIREBORA_CAPTURE_DIR")"
  [ -z "$(ls -A "$MIREBORA_CAPTURE_DIR")" ]
}
expect_no_capture_files() { harness_wait 15 "an empty C:\\k_vusa" capture_folder_empty; }

# expect_private WINDOWS_PATH: the access list of the file or folder, as the system reports it,
# lets in the user running the saver and otherwise SYSTEM and the Administrators group only.
expect_private() {
  local facts user sid name=${1##*\\}
  facts=$(host_probe access "$1") || harness_fail "cannot read the access list of $1"
  user=$(sed -n 's/^user=//p' <<<"$facts")
  echo "$name: $(grep '^ace=' <<<"$facts" | paste -s -d ' ')"
  grep -qx "ace=allow $user 0x[0-9a-f]*" <<<"$facts" ||
    harness_fail "$name does not let its user in: $facts"
  for sid in $(sed -n 's/^ace=[a-z]* \([^ ]*\) .*/\1/p' <<<"$facts"); do
    case "$sid" in
      "$user" | S-1-5-18 | S-1-5-32-544) ;;
      *) harness_fail "$name lets $sid in: $facts" ;;
    esac
  done
}

# expect_private_capture_files [WINDOWS_FOLDER]: each capture file in C:\k_vusa (or the folder)
# is private to the user running the saver.
expect_private_capture_files() {
  local i
  for i in 1 2 3 4; do
    expect_private "${1:-C:\\k_vusa}\\Valdorique$i.bmp"
  done
}

# The folders of a run's own, where the host puts the capture files when they cannot all go into
# C:\k_vusa: in the user's temporary folder, named after the host's process. A scenario that looks
# for them gives itself a temporary folder of its own first (harness_set_temp_folder), so that no
# earlier run's is found.
OWN_CAPTURE_FOLDER_PATTERN='ミレボラ-*'

# own_capture_folders: the names of those folders there are, one a line.
own_capture_folders() {
  find "$MIREBORA_TEMP_DIR" -mindepth 1 -maxdepth 1 -name "$OWN_CAPTURE_FOLDER_PATTERN" \
    -printf '%f\n' 2>/dev/null
}

# expect_no_own_capture_folder: there is no such folder (none kept while the saver runs, or none
# left once the host has ended).
expect_no_own_capture_folder() {
  [ -z "$(own_capture_folders)" ] ||
    harness_fail "left in $MIREBORA_TEMP_DIR: $(own_capture_folders | paste -s -d ' ')"
}

# open_probe_window TITLE W H X Y: a window of another program (the preview area of Display
# Properties, or a stand-in for another host's window); sets probe_window_hwnd.
open_probe_window() {
  local out
  out=$(mktemp)
  wine "$HOST_PROBE" window "$@" >"$out" 2>"$out.err" &
  probe_window_pid=$!
  harness_track "$probe_window_pid"
  probe_window_opened() {
    probe_window_hwnd=$(tr -d '\r' <"$out" | sed -n 's/^hwnd=//p')
    [ -n "$probe_window_hwnd" ] && return 0
    # What a failed wait shows: whether the probe still runs, and what Wine said.
    kill -0 "$probe_window_pid" 2>/dev/null && harness_wait_detail="the probe runs" ||
      harness_wait_detail="the probe ended"
    harness_wait_detail+="; $(tail -n 5 "$out.err" | tr '\n' ' ')"
    return 1
  }
  harness_wait 30 "the probe window $1 to open" probe_window_opened
}

# wait_preview: waits for the host's preview window to be shown inside the probe window
# "Preview Parent"; the probe's lines for the parent's children are then in preview_children.
preview_shown() {
  preview_children=$(host_probe children "Preview Parent") &&
    grep -q ' visible=1 ' <<<"$preview_children"
}
wait_preview() { harness_wait 30 "a preview window in the probe's window" preview_shown; }

# windows_pid_hex FACTS: the pid= field of the probe's window facts, as the 4-digit hex id that
# prefixes Wine's trace lines of that process.
windows_pid_hex() { printf '%04x' "$(echo "$1" | sed -n 's/.*pid=\([0-9]*\).*/\1/p')"; }

# cursor_calls PIDHEX: the ShowCursor calls one process made, from the host's trace.
cursor_calls() { grep "^$1:.*NtUserShowCursor" "$host_log"; }

# expect_exit_within MS: the host ends on its own, with code 0, no later than MS after the wait
# began (waited for up to 30 s, so that a late end is reported with its time).
expect_exit_within() {
  expect_host_exit
  [ "$host_exit_ms" -le "$1" ] || harness_fail "the host took ${host_exit_ms} ms to end"
}

# expect_host_exit: the host ends on its own (waited for up to 30 s) with code 0.
expect_host_exit() {
  wait_host_exit
  echo "host ended ${host_exit_ms} ms after the wait began, code $host_exit_code"
  [ "$host_exit_code" -eq 0 ] || harness_fail "host exit code $host_exit_code"
}

# The host ends promptly once what ends it has happened (the renderer's window gone, which it
# looks for every 500 ms; the preview's parent closed): within this bound, which leaves room for
# a busy machine.
HOST_PROMPT_END_MS=5000

# save_host_settings KIND TRACK FILE: writes ミレボラ.ini beside the installed host, as the settings
# dialog would (through the settings probe, over the system's profile functions).
save_host_settings() {
  harness_run_windows "$MIREBORA_BUILD/tests/settings-probe.exe" save \
    "C:\\Program Files\\$HOST_FOLDER_NAME" "$@" >/dev/null || harness_fail "cannot save settings"
}

# host_music_run LOCALE KIND FILE UNTIL...: a whole saver run ("/s") with the music settings KIND
# and FILE that lasts until the command UNTIL holds (waited for up to a minute); the null sink is
# recorded while the saver runs (into $MUSIC_WORK/run.raw) and for two seconds after the host has
# ended (into $MUSIC_WORK/after.raw); the MCI commands go to MUSIC_TRACE.
host_music_run() {
  music_start "$1"
  install_host
  show_desktop
  save_host_settings "$2" 0 "$3"
  shift 3
  music_start_recording "$MUSIC_WORK/run.raw"
  start_host /s trace+mci
  MUSIC_TRACE=$host_log
  expect_window Valdorique_VC >/dev/null
  harness_wait 60 "$*" "$@"
  press_escape
  harness_wait_gone Valdorique_VC
  expect_exit_within $HOST_PROMPT_END_MS
  music_stop_recording
  music_start_recording "$MUSIC_WORK/after.raw"
  sleep 2  # the time itself is what is tested: nothing sounds in it
  music_stop_recording
}

# expect_silence_after: nothing sounds once the host has ended.
expect_silence_after() {
  local peak
  read -r peak _ <<<"$(music_measure "$MUSIC_WORK/after.raw")"
  echo "after the end: peak amplitude $peak"
  awk -v p="$peak" -v t="$MUSIC_SOUND_THRESHOLD" 'BEGIN { exit !(p < t) }' ||
    harness_fail "the music still sounds after the host ended"
}
