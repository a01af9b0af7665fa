# An MP3 file whose path has blanks and characters outside the ANSI code page plays through
# MCI as MPEGVideo, is restarted by its watch when it ends and is closed at the end,
# on a Japanese system (code page 932).
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
music_mp3_scenario ja_JP.UTF-8
harness_pass
