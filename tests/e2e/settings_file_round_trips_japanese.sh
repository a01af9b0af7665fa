# On a Japanese system (code page 932) the saved settings load back unchanged, a path with
# characters outside the code page included, and the file is Shift-JIS; a path within the code
# page is stored as its Shift-JIS bytes, as earlier versions wrote it.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
harness_start ja_JP.UTF-8
settings_fresh_root
expect_code_page 932
settings_round_trip

folder="$SETTINGS_PROGRAM_FOLDER"
music='C:\settings_e2e\音楽ソフト\曲.mp3'
settings_make_music_file "$music"
settings_probe save "$folder" 1 12 "$music" || harness_fail "save: exit $?"
expect_saved_music "$(settings_unix_path "$folder")/ミレボラ.ini" CP932 "$music"
expect_load "$folder" 1 12 "$music" 'C:\settings_e2e\音楽ソフト'

# Characters that a best-fit conversion would turn into others of code page 932 ("¥" into the
# backslash, "〜" into "～") come back as they were.
music='C:\settings_e2e\音楽\¥100〜.mp3'
settings_make_music_file "$music"
settings_probe save "$folder" 2 0 "$music" || harness_fail "save: exit $?"
expect_load "$folder" 2 0 "$music" 'C:\settings_e2e\音楽'
harness_pass
