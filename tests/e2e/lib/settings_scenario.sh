# shellcheck disable=SC2034  # the variables set here are read by the scripts that source this file
# Helpers for the settings file scenarios: the settings probe and a scratch folder in drive C.
# Source after scripts/lib/wine-harness.sh.

SETTINGS_PROBE=$MIREBORA_BUILD/tests/settings-probe.exe
# The scratch folder, on the Linux side and as Windows programs see it.
SETTINGS_ROOT=$MIREBORA_DRIVE_C/settings_e2e
SETTINGS_ROOT_WIN='C:\settings_e2e'

# The settings file's key names as a Japanese system writes them.
SETTINGS_KIND_KEY=BGM区分
SETTINGS_TRACK_KEY=BGMﾘﾋﾟｰﾄ
SETTINGS_FILE_KEY=BGMﾌｧｲﾙ

settings_probe() { harness_run_windows "$SETTINGS_PROBE" "$@"; }

settings_fresh_root() {
  rm -rf "$SETTINGS_ROOT"
  mkdir -p "$SETTINGS_ROOT"
}

# The Linux path of a Windows path under SETTINGS_ROOT_WIN.
settings_unix_path() {
  local rest=${1#"$SETTINGS_ROOT_WIN"}
  echo "$SETTINGS_ROOT${rest//\\//}"
}

# An empty music file at a Windows path under SETTINGS_ROOT_WIN.
settings_make_music_file() {
  local unix
  unix=$(settings_unix_path "$1")
  mkdir -p "$(dirname "$unix")"
  : >"$unix"
}

# Text as Windows code page 932 bytes (0x5C is the backslash there, as in Windows paths).
settings_sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

expect_code_page() {
  local got
  got=$(settings_probe code-page) || harness_fail "code-page: exit $?"
  [ "$got" = "code-page=$1" ] || harness_fail "expected code page $1, got '$got'"
}

# expect_load FOLDER KIND TRACK FILE DIALOG_FOLDER: loading FOLDER's settings gives these.
expect_load() {
  local got expected
  got=$(settings_probe load "$1") || harness_fail "load $1: exit $?"
  expected=$(printf 'kind=%s\ntrack=%s\nfile=%s\ndialog-folder=%s' "$2" "$3" "$4" "$5")
  [ "$got" = "$expected" ] || harness_fail "load $1: expected
$expected
got
$got"
}

# expect_saved_music FILE CODE_PAGE_NAME MUSIC: FILE, read in that code page, stores MUSIC as
# it is, under the music file key (whose Shift-JIS bytes read as other letters in code page 1252).
expect_saved_music() {
  local text key
  text=$(iconv -f "$2" -t UTF-8 "$1" | tr -d '\r') || harness_fail "$1 is not valid $2"
  key=$(settings_sjis "$SETTINGS_FILE_KEY" | iconv -f "$2" -t UTF-8)
  grep -qxF -- "$key=$3" <<<"$text" || harness_fail "$1 read as $2 lacks the line '$key=$3':
$text"
}

# The program folder: a name with characters outside code page 1252 and outside code page 932.
SETTINGS_PROGRAM_FOLDER='C:\settings_e2e\ミレボラ thème'

# settings_round_trip: saves and loads D:\音楽\thème.mp3 (kept under drive C); the file keeps
# Japanese key names, readable in code page 932.
settings_round_trip() {
  local folder="$SETTINGS_PROGRAM_FOLDER"
  local music='C:\settings_e2e\D\音楽\thème.mp3'
  local ini
  ini="$(settings_unix_path "$folder")/ミレボラ.ini"
  mkdir -p "$(settings_unix_path "$folder")"
  settings_make_music_file "$music"

  settings_probe save "$folder" 2 5 "$music" || harness_fail "save: exit $?"
  [ -f "$ini" ] || harness_fail "no ミレボラ.ini in the program folder: $(ls "$(dirname "$ini")")"
  expect_load "$folder" 2 5 "$music" 'C:\settings_e2e\D\音楽'

  # Read the way a Japanese system reads it: Japanese key names, numbers with or without the
  # blank before them, and the path in its code-page-independent form.
  local text
  text=$(iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r') || harness_fail "the saved file is not Shift-JIS"
  grep -qxE "$SETTINGS_KIND_KEY= ?2" <<<"$text" || harness_fail "no kind line: $text"
  grep -qxE "$SETTINGS_TRACK_KEY= ?5" <<<"$text" || harness_fail "no track line: $text"
  grep -qxF "$SETTINGS_FILE_KEY=<utf-8>C:\\settings_e2e\\D\\%E9%9F%B3%E6%A5%BD\\th%C3%A8me.mp3" \
    <<<"$text" || harness_fail "no file line: $text"
  echo "$text"
}
