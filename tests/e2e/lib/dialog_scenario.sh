# shellcheck disable=SC2034  # the variables set here are read by the scripts that source this file
# Shared steps of the settings dialog scenarios: the host copied into a folder whose name has
# blanks and Japanese characters, started with /c; the dialog's controls, looked at with the
# dialog probe and clicked with xdotool; the settings file it writes.
# Sourced after scripts/lib/wine-harness.sh, tests/e2e/lib/renderer_scenario.sh and
# tests/e2e/lib/settings_scenario.sh.

source "$(dirname "${BASH_SOURCE[0]}")/command_looks.sh"

DIALOG_PROBE=$MIREBORA_BUILD/tests/dialog-probe.exe
DIALOG_TITLE='<ミレボラ>'
# The host program; DIALOG_HOST may name another program that shows the dialog in its place
# (tests/e2e/dialog_probe/dialog_test_host.cpp), to look at the dialog alone.
DIALOG_HOST=${DIALOG_HOST:-$MIREBORA_DIST/ミレボラ.scr}
DIALOG_HOST_NAME=$(basename "$DIALOG_HOST")
# The program folder inside drive C, on the Linux side and as Windows programs see it.
DIALOG_FOLDER="$MIREBORA_DRIVE_C/ミレボラ 設定 テスト"
DIALOG_FOLDER_WIN='C:\ミレボラ 設定 テスト'
DIALOG_INI="$DIALOG_FOLDER/ミレボラ.ini"
CHOOSER_TITLE='ﾌｧｲﾙを開く'

# Control identifiers and places in the dialog's client area (the panel's controls moved by the
# panel's place, 12, 16).
DIALOG_CLIENT=495x246
PANEL_ID=2001
REPEAT_ID=2030
FILE_BUTTON_ID=2032
FILE_NAME_ID=2033
SET_ID=2036
CANCEL_ID=2037
CHOICE_IMAGE_ID=(2010 2011 2012)  # by music kind: none, CD, file
CHOICE_LABEL_ID=(2020 2021 2022)
LINK_ID=2035

dialog_pid=
dialog_shown_by=
dialog_origin_x=
dialog_origin_y=
dialog_controls=

dialog_probe() { harness_run_windows "$DIALOG_PROBE" "$@"; }

# A fresh program folder with the host, its renderer and the guide, without a settings file.
dialog_fresh_folder() {
  [ -f "$DIALOG_HOST" ] || harness_fail "no host program $DIALOG_HOST"
  rm -rf "$DIALOG_FOLDER"
  mkdir -p "$DIALOG_FOLDER"
  cp -r "$MIREBORA_DIST"/* "$DIALOG_HOST" "$DIALOG_FOLDER/" 2>/dev/null
  [ -f "$DIALOG_FOLDER/$DIALOG_HOST_NAME" ] || harness_fail "cannot copy the host"
}

# fake_opener: the desktop's opener (xdg-open, to which Wine's browser hands pages and files)
# replaced by a stand-in that records what it is given in $opener_log. Pages (.html) open with
# Wine's browser, as they open with the default browser on Windows.
fake_opener() {
  local bin
  bin=$(mktemp -d "${TMPDIR:-/tmp}/dialog-opener.XXXXXX")
  opener_log=$bin/opened.log
  cat >"$bin/xdg-open" <<OPENER
#!/bin/sh
printf '%s\\n' "\$@" >>"$opener_log"
OPENER
  chmod +x "$bin/xdg-open"
  export PATH="$bin:$PATH"
  wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1 ||
    harness_fail "cannot open pages with Wine's browser"
}

opener_called() { [ -s "$opener_log" ]; }

# expect_opened_file PATH: the opener was given the file PATH (of the Unix side), as a file: URL.
expect_opened_file() {
  harness_wait 30 "the desktop's opener to be called" opener_called
  echo "the opener was given: $(cat "$opener_log")"
  local url
  url=$(head -n 1 "$opener_log")
  python3 - "$url" "$1" <<'CHECK' || harness_fail "the opener was not given $1"
import os, sys, urllib.parse
url, expected = sys.argv[1], sys.argv[2]
assert url.startswith("file://"), url
assert os.path.realpath(urllib.parse.unquote(url[len("file://"):])) == os.path.realpath(expected)
CHECK
}

# dialog_write_ini KIND TRACK FILE: a settings file as a Japanese system writes it.
dialog_write_ini() {
  printf '[Section]\r\n%s= %s\r\n%s= %s\r\n%s=%s\r\n' \
    "$SETTINGS_KIND_KEY" "$1" "$SETTINGS_TRACK_KEY" "$2" "$SETTINGS_FILE_KEY" "$3" |
    iconv -f UTF-8 -t CP932 >"$DIALOG_INI" || harness_fail "cannot write the settings file"
}

# dialog_start [ARGUMENT]: starts the host from its folder with /c (or ARGUMENT); Wine's messages
# (the channels in DIALOG_WINEDEBUG) go to $dialog_log.
dialog_log=$(mktemp "${TMPDIR:-/tmp}/dialog-host.XXXXXX")
dialog_start() {
  (cd "$DIALOG_FOLDER" && WINEDEBUG=${DIALOG_WINEDEBUG:-$WINEDEBUG} \
    exec wine "./$DIALOG_HOST_NAME" "${1:-/c}") 2>>"$dialog_log" &
  dialog_pid=$!
  harness_track "$dialog_pid"
}

# Waits for the dialog to be shown; reads its controls, the client's origin and the frame's size
# and place.
dialog_shown() { dialog_controls=$(dialog_probe controls "$DIALOG_TITLE"); }
wait_dialog_shown() {
  harness_wait 30 "the dialog '$DIALOG_TITLE' to be shown" dialog_shown
  dialog_shown_by=$dialog_pid
  read -r dialog_origin_x dialog_origin_y dialog_frame_w dialog_frame_h dialog_at_x dialog_at_y \
    <<<"$(head -n 1 <<<"$dialog_controls" |
      sed -E 's/.*origin=([-0-9]+),([-0-9]+) frame=([0-9]+)x([0-9]+) at=([-0-9]+),([-0-9]+)/\1 \2 \3 \4 \5 \6/')"
}

# Waits for the dialog to be shown, at its design size, and painted.
expect_dialog() {
  wait_dialog_shown
  case "$(head -n 1 <<<"$dialog_controls")" in
    "client=$DIALOG_CLIENT origin="*) ;;
    *) harness_fail "unexpected dialog: $(head -n 1 <<<"$dialog_controls")" ;;
  esac
  harness_wait_picture 30 "the dialog's first paint" "$HARNESS_WORK/dialog-painted.png" \
    dialog_painted
}

# dialog_painted PNG: the band, the panel and both buttons are painted.
dialog_painted() {
  expect_client_colour "$1" 6 123 "$(band_colour 123)" 2
  expect_client_colour "$1" $((316 + 30)) 201 "$NAVY" 4
  expect_client_colour "$1" $((400 + 30)) 201 "$NAVY" 4
}

# control_line ID: the probe's line of the control ID, read anew. A probe that could not list
# the dialog's controls at that moment (on a busy machine it may start late or find no window
# in its own bound) is asked again for a while.
control_line() {
  local id=$1 listing=
  control_listed() {
    listing=$(dialog_probe controls "$DIALOG_TITLE") && grep -q "^id=$id " <<<"$listing"
  }
  harness_wait 10 "control $id in the probe's list of the dialog's controls" control_listed
  grep -m 1 "^id=$id " <<<"$listing"
}

# expect_control ID PATTERN: the control's line matches the shell PATTERN.
expect_control() {
  local line
  line=$(control_line "$1")
  # shellcheck disable=SC2254
  case "$line" in
    $2) ;;
    *) harness_fail "control $1: expected $2, got: $line" ;;
  esac
}

# expect_control_text ID TEXT: the control shows exactly TEXT.
expect_control_text() {
  local line
  line=$(control_line "$1")
  [ "${line#* text=}" = "$2" ] || harness_fail "control $1 shows '${line#* text=}', expected '$2'"
}

# point_at_control ID [X Y]: moves the pointer to X Y inside the control (its centre by default).
# An enabled Command button takes a press as a click only once it has seen the pointer: then
# this waits for its hover look.
point_at_control() {
  local line at size x y w h
  line=$(control_line "$1")
  at=${line#* at=}
  at=${at%% *}
  size=${line#* size=}
  size=${size%% *}
  x=${at%,*} y=${at#*,} w=${size%x*} h=${size#*x}
  xdotool mousemove $((dialog_origin_x + x + ${2:-$((w / 2))})) \
    $((dialog_origin_y + y + ${3:-$((h / 2))}))
  case "$line" in
    *class=Valdorique.Command\ *enabled=1\ *)
      harness_wait_picture 30 "control $1 to show its hover look" "$HARNESS_WORK/hover.png" \
        expect_client_colour $((x + 30)) $((y + 2)) "$HIGHLIGHT_RING" 4 ;;
  esac
}

# click_control ID [X Y]: a left click on the control, at X Y inside it (its centre by default).
click_control() {
  point_at_control "$@"
  xdotool click 1
}

# wait_host_exit: the host ends within 30 s; sets host_exit_code.
# When it showed the dialog, the wait lasts until Wine has destroyed the window too, since a
# dialog still there would make the next host end at once.
dialog_host_ended() { ! kill -0 "$dialog_pid" 2>/dev/null; }
wait_host_exit() {
  harness_wait 30 "the host to end" dialog_host_ended
  wait "$dialog_pid"
  host_exit_code=$?
  if [ "$dialog_pid" = "$dialog_shown_by" ]; then
    harness_wait_gone "$DIALOG_TITLE"
  fi
}

# expect_control_text_soon ID TEXT: waits until the control shows exactly TEXT.
expect_control_text_soon() {
  harness_wait 30 "control $1 to show '$2'" harness_passes expect_control_text "$1" "$2"
}

# expect_repeat_text TEXT: waits until the repeat box's field shows TEXT.
repeat_text_is() {
  local combo
  combo=$(dialog_probe combo "$DIALOG_TITLE" $REPEAT_ID) || return 1
  harness_wait_detail="it shows $(head -n 1 <<<"$combo")"
  [ "$(head -n 1 <<<"$combo")" = "text=$1" ]
}
expect_repeat_text() { harness_wait 30 "the repeat box to show '$1'" repeat_text_is "$1"; }

# The settings file's lines as UTF-8 without carriage returns.
dialog_ini_text() { iconv -f CP932 -t UTF-8 "$DIALOG_INI" | tr -d '\r'; }

# expect_ini_line KEY VALUE: the settings file has the line KEY=VALUE.
expect_ini_line() {
  local text
  text=$(dialog_ini_text) || harness_fail "no readable settings file"
  grep -qxF -- "$1=$2" <<<"$text" || harness_fail "the settings file lacks '$1=$2':
$text"
}

# The time since the scenario's clock started, in milliseconds.
dialog_clock_start() { dialog_clock=$(date +%s%N); }
dialog_clock_ms() { echo $((($(date +%s%N) - dialog_clock) / 1000000)); }

# The band's colour at client row Y of the 246-row client area: (v, v, v + 30) with
# v = |sin(Y x 3.142 / 246)| x 220, rounded.
band_colour() {
  python3 -c '
import math, sys
y = int(sys.argv[1])
v = round(abs(math.sin(y / (246 / 3.142))) * 220)
print(v, v, v + 30)' "$1"
}

# expect_client_colour PNG X Y "R G B" TOLERANCE: a pixel of the dialog's client area.
expect_client_colour() {
  expect_colour "$1" $((dialog_origin_x + $2)) $((dialog_origin_y + $3)) "$4" "$5"
}

# The dialog as it opens on a system of LOCALE with no settings file: its place, its controls with
# their texts and states, the repeat list, the band, the panel and the buttons on screen.
dialog_appears_scenario() {
  harness_start "$1"
  dialog_fresh_folder
  dialog_clock_start
  dialog_start /c
  expect_dialog
  echo "dialog shown and painted after $(dialog_clock_ms) ms"
  echo "$dialog_controls"

  # Centred across the screen, a third of the free height down.
  [ "$dialog_at_x" -eq $(((1024 - dialog_frame_w) / 2)) ] &&
    [ "$dialog_at_y" -eq $(((768 - dialog_frame_h) / 3)) ] ||
    harness_fail "the dialog is placed at $dialog_at_x,$dialog_at_y (frame ${dialog_frame_w}x$dialog_frame_h)"

  # Every control at its place; with no settings file nothing is chosen but なし.
  expect_control $PANEL_ID '*class=Mirebora.DialogPanel at=12,16 size=469x165 *'
  expect_control 2003 '*at=32,40 size=111x13 *text=BGM'
  expect_control ${CHOICE_IMAGE_ID[1]} '*at=40,72 size=13x13 *'
  expect_control ${CHOICE_LABEL_ID[1]} '*at=56,72 *text=音楽CD'
  expect_control ${CHOICE_IMAGE_ID[0]} '*at=40,92 size=13x13 *'
  expect_control ${CHOICE_LABEL_ID[0]} '*at=56,92 *text=なし'
  expect_control ${CHOICE_IMAGE_ID[2]} '*at=40,112 size=13x13 *'
  expect_control ${CHOICE_LABEL_ID[2]} '*at=56,112 *text=MP3、WAV'
  expect_control $REPEAT_ID '*class=ComboBox at=124,68 size=41x* enabled=0 *'
  expect_control 2031 '*at=168,72 *text=曲目をﾘﾋﾟｰﾄ'
  expect_control $FILE_BUTTON_ID '*class=Valdorique.Command at=124,108 size=41x21 enabled=0 *text=...'
  expect_control $FILE_NAME_ID '*at=56,132 size=409x33 *text='
  expect_control 2034 '*at=12,192 *'
  expect_control_text 2034 "Designed by ミレボラ developers  Ver.$MIREBORA_VERSION"
  expect_control $LINK_ID '*at=12,208 *'
  expect_control_text $LINK_ID "$DIALOG_FOLDER_WIN\\guide\\index.html"
  expect_control $SET_ID '*class=Valdorique.Command at=316,200 size=81x25 enabled=1 *text=設定'
  expect_control $CANCEL_ID '*class=Valdorique.Command at=400,200 size=81x25 enabled=1 *text=ｷｬﾝｾﾙ'

  local combo
  combo=$(dialog_probe combo "$DIALOG_TITLE" $REPEAT_ID) || harness_fail "no repeat list"
  [ "$(head -n 2 <<<"$combo")" = "text=
count=31" ] || harness_fail "unexpected repeat list: $(head -n 3 <<<"$combo")"
  [ "$(sed -n 3p <<<"$combo")" = "item=" ] && [ "$(sed -n 4p <<<"$combo")" = "item=1" ] &&
    [ "$(tail -n 1 <<<"$combo")" = "item=30" ] || harness_fail "unexpected repeat entries"

  # The program carries the 32 x 32 icon of 256 colours and the link cursor.
  local resources
  resources=$(dialog_probe resources "$DIALOG_FOLDER_WIN\\$DIALOG_HOST_NAME")
  echo "$resources"
  grep -qx 'icon=32x32 colour=1 hotspot=16,16' <<<"$resources" &&
    grep -qx 'icon-entry=32x32 bits=8' <<<"$resources" &&
    grep -qx 'cursor=32x32 colour=0 hotspot=12,10' <<<"$resources" ||
    harness_fail "unexpected icon or cursor"

  local shot
  shot=$(mktemp -d)/dialog.png
  harness_screenshot "$shot"
  echo "screenshot: $shot"
  # The band: navy at the top and bottom rows, pale blue-white across the middle.
  local y
  for y in 0 5 60 123 200 245; do
    expect_client_colour "$shot" 6 "$y" "$(band_colour "$y")" 2
  done
  # Row 109 tells the constant 3.142 from pi: 217 with it, 216 with pi.
  expect_client_colour "$shot" 6 109 "217 217 247" 0
  # The panel: light grey texture; brighter at its left than at its right.
  local left right
  left=$(harness_pixel "$shot" $((dialog_origin_x + 12 + 5)) $((dialog_origin_y + 16 + 150)))
  right=$(harness_pixel "$shot" $((dialog_origin_x + 12 + 460)) $((dialog_origin_y + 16 + 150)))
  read -r lr _ lb <<<"$left"
  read -r rr _ _ <<<"$right"
  [ "$lr" -ge 200 ] && [ "$lr" -gt "$rr" ] && [ $((lb - lr)) -le 10 ] ||
    harness_fail "no brushed grey panel ($left at its left, $right at its right)"
  # The choices from top to bottom: 音楽CD unselected (grey), なし selected (blue), MP3、WAV grey.
  expect_client_colour "$shot" 46 78 "244 244 244" 12
  expect_client_colour "$shot" 46 98 "61 115 230" 40
  expect_client_colour "$shot" 46 118 "244 244 244" 12
  # The two buttons' navy frame lines.
  expect_client_colour "$shot" $((316 + 30)) 201 "0 60 116" 4
  expect_client_colour "$shot" $((400 + 30)) 201 "0 60 116" 4
}

# expect_choice KIND REPEAT_ENABLED FILE_ENABLED: waits until the choice KIND's image shows
# selected (none when KIND is -), the others not, and the repeat box and the file button are
# enabled as given.
expect_choice() {
  harness_wait 30 "choice $1 shown, repeat box enabled=$2, file button enabled=$3" \
    harness_passes choice_shown "$@"
}
choice_shown() {
  local controls shot kind y
  controls=$(dialog_probe controls "$DIALOG_TITLE")
  grep -q "^id=$REPEAT_ID .* enabled=$2 " <<<"$controls" ||
    harness_fail "choice $1: the repeat box is not enabled=$2"
  grep -q "^id=$FILE_BUTTON_ID .* enabled=$3 " <<<"$controls" ||
    harness_fail "choice $1: the file button is not enabled=$3"
  shot=$HARNESS_WORK/dialog-choice.png
  harness_screenshot "$shot"
  # The images' rows by kind: none 92, CD 72, file 112.
  for kind in 0 1 2; do
    y=$((kind == 1 ? 72 : kind == 0 ? 92 : 112))
    if [ "$kind" = "$1" ]; then
      expect_client_colour "$shot" 46 $((y + 6)) "57 112 228" 30
    else
      expect_client_colour "$shot" 46 $((y + 6)) "244 244 244" 12
    fi
  done
}

# focus_is ID: the dialog's keyboard focus is on the control ID (0: on none of its controls).
focus_is() {
  local focus
  focus=$(dialog_probe focus "$DIALOG_TITLE")
  harness_wait_detail="the focus is on: ${focus#focus=}"
  [ "$focus" = "focus=$1" ]
}

# expect_focus ID: waits for the focus to reach the control ID.
expect_focus() { harness_wait 30 "the focus on control $1" focus_is "$1"; }

# key_to_focus KEY ID: presses KEY (an xdotool key name) and waits for the focus to reach ID.
key_to_focus() {
  xdotool key "$1"
  harness_wait 30 "the focus on control $2 after $1" focus_is "$2"
}

# control_box ID: the control's place and size in the client area, as "X Y WIDTH HEIGHT".
control_box() {
  local line at size
  line=$(control_line "$1")
  at=${line#* at=}
  at=${at%% *}
  size=${line#* size=}
  size=${size%% *}
  echo "${at%,*} ${at#*,} ${size%x*} ${size#*x}"
}

# expect_focus_mark PNG ID SHOWN [band]: the dotted focus mark is on the control's top edge
# (SHOWN 1) or not (0). Of six pixels side by side there, the mark changes every other one: on the
# panel it darkens its light grey; on the band ("band") the pixel is no longer the band's colour.
expect_focus_mark() {
  local x y _ i r g b marked=0 band_r
  read -r x y _ _ <<<"$(control_box "$2")"
  read -r band_r _ _ <<<"$(band_colour "$y")"
  for i in 2 3 4 5 6 7; do
    read -r r g b <<<"$(harness_pixel "$1" $((dialog_origin_x + x + i)) $((dialog_origin_y + y)))"
    if [ "${4:-}" = band ]; then
      [ $((r > band_r ? r - band_r : band_r - r)) -gt 30 ] && marked=$((marked + 1))
    else
      [ "$r" -lt 100 ] && marked=$((marked + 1))
    fi
  done
  if [ "$3" = 1 ]; then
    [ "$marked" -ge 2 ] && [ "$marked" -le 4 ] || harness_fail "no focus mark on $2 ($marked of 6)"
  else
    [ "$marked" = 0 ] || harness_fail "a focus mark on $2 ($marked of 6)"
  fi
}

# wait_focus_mark ID SHOWN [band]: waits until a screenshot shows the focus mark on ID (SHOWN 1) or
# not.
wait_focus_mark() {
  harness_wait_picture 30 "the focus mark on control $1 shown=$2" "$HARNESS_WORK/dialog-mark.png" \
    expect_focus_mark "$1" "$2" "${3:-}"
}

# wait_button_look ID NAME LINE RING: waits until a screenshot shows the Command button ID with the
# look NAME (see expect_look in command_scenario.sh, the body not inverted).
wait_button_look() {
  local x y w h
  read -r x y w h <<<"$(control_box "$1")"
  wait_look "$2" "$HARNESS_WORK/dialog-look.png" $((dialog_origin_x + x)) \
    $((dialog_origin_y + y)) "$w" "$h" "$3" "$4" 0
}

# dialog_choose_cd_track TRACK: chooses 音楽CD and types TRACK into the empty repeat box.
dialog_choose_cd_track() {
  click_control ${CHOICE_LABEL_ID[1]}
  expect_choice 1 1 0
  click_control $REPEAT_ID 10
  xdotool type --delay 50 "$1"
  expect_dialog_cd_track "$1"
}

# expect_dialog_cd_track TRACK: 音楽CD is chosen and the repeat box shows TRACK.
expect_dialog_cd_track() {
  expect_repeat_text "$1"
  expect_choice 1 1 0
}

# dialog_set_then_saver_scenario LOCALE CODE_PAGE: on a system of that locale, 設定 stores the CD
# with track 7, a later /c shows that choice, and a later /s plays the CD (here: opens it and
# stops watching, there being no drive) and leaves no capture file behind.
dialog_set_then_saver_scenario() {
  harness_start "$1"
  expect_code_page "$2"
  dialog_fresh_folder
  dialog_start /c
  expect_dialog
  dialog_choose_cd_track 7
  click_control $SET_ID
  wait_host_exit
  # The Japanese key names have no form in this code page: the keys go under ASCII names.
  local text
  text=$(tr -d '\r' <"$DIALOG_INI") || harness_fail "no settings file"
  echo "$text"
  [ "$(sed 's/= /=/' <<<"$text")" = "[Section]
BGMKind=1
BGMRepeatTrack=7
BGMFile=" ] || harness_fail "unexpected settings file"

  dialog_start /c
  expect_dialog
  expect_dialog_cd_track 7
  click_control $CANCEL_ID
  wait_host_exit

  : >"$dialog_log"
  DIALOG_WINEDEBUG=-all,trace+mci dialog_start /s
  harness_wait_window Valdorique_VC >/dev/null
  harness_wait_lines 30 "$dialog_log" 'mciSendStringW (L"status cdaudio current track"' 1
  MUSIC_TRACE=$dialog_log
  [ "$(music_sent_commands | grep -vxF 'open cdaudio wait' | head -n 3)" = "open cdaudio
set cdaudio time format tmsf
status cdaudio current track" ] || harness_fail "the saver did not start the CD"
  press_escape
  wait_host_exit
  [ -z "$(ls -A "$MIREBORA_CAPTURE_DIR")" ] || harness_fail "files left in C:\\k_vusa"
}

# dialog_choose_mp3_and_set PATH: a new /c chooses MP3、WAV, takes PATH in the file chooser
# (typed whole), shows it in the file field and stores it with 設定; the host has ended.
dialog_choose_mp3_and_set() {
  dialog_start /c
  expect_dialog
  click_control ${CHOICE_LABEL_ID[2]}
  click_control $FILE_BUTTON_ID
  dialog_probe chooser "$CHOOSER_TITLE" >/dev/null || harness_fail "no file chooser"
  dialog_probe choose "$CHOOSER_TITLE" "$1" || harness_fail "cannot choose the MP3"
  harness_wait_gone "$CHOOSER_TITLE"
  expect_control_text_soon $FILE_NAME_ID "$1"
  click_control $SET_ID
  wait_host_exit
}

# dialog_saver_plays_mp3 RAW: a /s run from the same folder, with Wine's MCI trace in
# dialog_log (MUSIC_TRACE), records into RAW until the stored MP3 has ended, been started again
# and been heard again; Escape ends it.
dialog_saver_plays_mp3() {
  music_start_recording "$1"
  DIALOG_WINEDEBUG=-all,trace+mci dialog_start /s
  harness_wait_window Valdorique_VC >/dev/null
  MUSIC_TRACE=$dialog_log
  harness_wait 60 "the chosen MP3 to be heard again after it ended" music_mp3_heard_again "$1"
  press_escape
  harness_wait_gone Valdorique_VC
  wait_host_exit
  music_stop_recording
}
