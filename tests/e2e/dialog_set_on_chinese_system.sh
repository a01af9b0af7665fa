# On a Simplified Chinese system (code page 936) 設定 stores the CD and its track, a later /c
# shows them and a later /s plays the CD.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/music_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
dialog_set_then_saver_scenario zh_CN.UTF-8 936
harness_pass
