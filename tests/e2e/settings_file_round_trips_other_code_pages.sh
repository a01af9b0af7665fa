# On systems whose ANSI code page cannot carry the Japanese key names (Simplified Chinese 936,
# Korean 949, Traditional Chinese 950, and the UTF-8 code page 65001, which Wine gives Georgian,
# a locale without an ANSI code page of its own) the saved settings load back unchanged, under
# ASCII key names that Japanese and English systems read too; a Japanese save over such a file
# leaves the Japanese file byte for byte.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
harness_start C.UTF-8
settings_fresh_root
folder=$SETTINGS_PROGRAM_FOLDER
ini="$(settings_unix_path "$folder")/ミレボラ.ini"
mkdir -p "$(dirname "$ini")"
local_music='C:\settings_e2e\音楽\曲 thème.mp3'
music='C:\settings_e2e\theme.mp3'
settings_make_music_file "$local_music"
settings_make_music_file "$music"

# in_locale LOCALE COMMAND...: runs COMMAND with LOCALE as the system locale of its programs.
in_locale() {
  local locale=$1
  shift
  LANG=$locale LC_ALL=$locale "$@"
}

for system in zh_CN.UTF-8:936 ko_KR.UTF-8:949 zh_TW.UTF-8:950 ka_GE.UTF-8:65001; do
  locale=${system%:*}
  rm -f "$ini"
  in_locale "$locale" expect_code_page "${system#*:}"
  in_locale "$locale" settings_probe save "$folder" 1 7 "$local_music" ||
    harness_fail "$locale: save: exit $?"
  in_locale "$locale" expect_load "$folder" 1 7 "$local_music" 'C:\settings_e2e\音楽'
  keys=$(tr -d '\r' <"$ini" | LC_ALL=C sed -n 's/=.*//p')
  [ "$keys" = "BGMKind
BGMRepeatTrack
BGMFile" ] || harness_fail "$locale: unexpected keys: $keys"

  in_locale "$locale" settings_probe save "$folder" 2 9 "$music" >/dev/null ||
    harness_fail "$locale: save: exit $?"
  for reader in ja_JP.UTF-8 C.UTF-8; do
    in_locale "$reader" expect_load "$folder" 2 9 "$music" 'C:\settings_e2e'
  done
  echo "$locale: $(tr -d '\r' <"$ini" | tr '\n' ' ')"

  in_locale ja_JP.UTF-8 settings_probe save "$folder" 1 3 "" >/dev/null || harness_fail "ja save"
  [ "$(iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r' | sed 's/= /=/')" = "[Section]
$SETTINGS_KIND_KEY=1
$SETTINGS_TRACK_KEY=3
$SETTINGS_FILE_KEY=" ] || harness_fail "$locale: the Japanese save left $(cat -v "$ini")"
done
harness_pass
