# A WAV file whose path has blanks and characters outside the ANSI code page loops through
# the sound player while there is a wave device, on a Japanese system (code page 932).
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
music_wav_scenario ja_JP.UTF-8
harness_pass
