# On a Simplified Chinese system (code page 936), a settings file that a Japanese system wrote
# (Shift-JIS key names, which that code page cannot spell, a comment and another section in
# Shift-JIS) shows its CD track in the dialog; 設定 then adds the ASCII keys to the section and
# leaves every other line byte for byte, the Japanese ones included.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start zh_CN.UTF-8
expect_code_page 936
dialog_fresh_folder
sjis() { iconv -f UTF-8 -t CP932 || harness_fail "cannot write Shift-JIS"; }
section=$HARNESS_WORK/section.ini
other=$HARNESS_WORK/other.ini
printf '; ミレボラの設定\r\n[Section]\r\n%s= 1\r\n%s=5\r\n%s=\r\n' \
  "$SETTINGS_KIND_KEY" "$SETTINGS_TRACK_KEY" "$SETTINGS_FILE_KEY" | sjis >"$section"
printf '\r\n[別の節]\r\nｷｰ=ﾃﾞｰﾀ\r\n' | sjis >"$other"
cat "$section" "$other" >"$DIALOG_INI"

dialog_start /c
expect_dialog
expect_dialog_cd_track 5
click_control $SET_ID
wait_host_exit
expected=$HARNESS_WORK/expected.ini
{
  cat "$section"
  printf 'BGMKind= 1\r\nBGMRepeatTrack= 5\r\nBGMFile=\r\n'
  cat "$other"
} >"$expected"
cmp "$expected" "$DIALOG_INI" || harness_fail "the file is not as expected: $(od -c "$DIALOG_INI")"
[ -z "$(find "$DIALOG_FOLDER" -name '*.tmp')" ] || harness_fail "a temporary file was left"
harness_pass
