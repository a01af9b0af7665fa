# Settings mode (/c) on a Japanese (code page 932) system: the dialog "<ミレボラ>" opens with a 495 x 246
# client area, placed and laid out as designed, with its band, panel, choices and buttons on
# screen.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
dialog_appears_scenario ja_JP.UTF-8
harness_pass
