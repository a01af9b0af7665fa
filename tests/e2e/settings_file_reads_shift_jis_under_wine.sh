# On a Japanese system (code page 932) a settings file written by hand in Shift-JIS loads: key
# names, numbers and a music path whose characters have a 0x5C second byte, in a program folder
# whose name has one too.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
harness_start ja_JP.UTF-8
settings_fresh_root
expect_code_page 932

folder='C:\settings_e2e\ミレボラ表示'  # 表 is 0x95 0x5C
music_folder='C:\settings_e2e\音楽ソフト'  # ソ is 0x83 0x5C
music="$music_folder\\曲.mp3"
ini="$(settings_unix_path "$folder")/ミレボラ.ini"
mkdir -p "$(dirname "$ini")"
settings_make_music_file "$music"

write_ini() {
  {
    printf '[Section]\r\n'
    settings_sjis "$SETTINGS_KIND_KEY"; printf '=%s\r\n' "$1"
    settings_sjis "$SETTINGS_TRACK_KEY"; printf '=%s\r\n' "$2"
    settings_sjis "$SETTINGS_FILE_KEY"; printf '='; settings_sjis "$3"; printf '\r\n'
  } >"$ini"
}

write_ini 2 3 "$music"
LC_ALL=C grep -qF $'\x83\x5c' "$ini" || harness_fail "the hand-made file lacks Shift-JIS bytes"
expect_load "$folder" 2 3 "$music" "$music_folder"

# A folder or a device is no music file: it is dropped and file music falls back to none.
write_ini 2 3 "$music_folder"
expect_load "$folder" 0 3 "" "$folder"
write_ini 2 3 'NUL'
expect_load "$folder" 0 3 "" "$folder"

# A value longer than 255 bytes comes back whole, here 2000 double-byte characters.
long_value=$(printf '曲%.0s' $(seq 2000))
write_ini 2 3 "$long_value"
expected=$(settings_sjis "$long_value" | od -An -v -tx1 | tr -d ' \n')
got=$(settings_probe read-value "$folder\\ミレボラ.ini" Section "$SETTINGS_FILE_KEY") ||
  harness_fail "read-value: exit $?"
[ "$got" = "value=$expected" ] || harness_fail "long value: expected value=$expected, got $got"
harness_pass
