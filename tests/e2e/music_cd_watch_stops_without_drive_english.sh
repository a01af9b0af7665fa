# With no CD drive the CD watch stops at its first tick and no MCI device is left open,
# on an English system (code page 1252).
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
music_cd_scenario C.UTF-8
harness_pass
