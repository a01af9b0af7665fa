# On an English system (code page 1252) the saved settings load back unchanged, a path with
# characters outside the code page included, and keep their Japanese key names; a path within
# the code page is stored as its 1252 bytes.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
harness_start C.UTF-8
settings_fresh_root
expect_code_page 1252

# Before any save there is no settings file: the defaults.
mkdir -p "$(settings_unix_path "$SETTINGS_PROGRAM_FOLDER")"
expect_load "$SETTINGS_PROGRAM_FOLDER" 0 0 "" "$SETTINGS_PROGRAM_FOLDER"
settings_round_trip

folder="$SETTINGS_PROGRAM_FOLDER"
music='C:\settings_e2e\Musique\thème.mp3'
settings_make_music_file "$music"
settings_probe save "$folder" 1 12 "$music" || harness_fail "save: exit $?"
expect_saved_music "$(settings_unix_path "$folder")/ミレボラ.ini" CP1252 "$music"
expect_load "$folder" 1 12 "$music" 'C:\settings_e2e\Musique'
harness_pass
