# The choices enable their own control: 音楽CD the repeat box, MP3、WAV the file button, なし
# neither; images and labels react to a press of any mouse button. Typing 12 and pressing 設定
# writes kind " 1" and repeat " 12" and ends the host.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
dialog_start /c
expect_dialog
expect_choice 0 0 0

click_control ${CHOICE_LABEL_ID[1]}
expect_choice 1 1 0
click_control ${CHOICE_IMAGE_ID[2]}
expect_choice 2 0 1
click_control ${CHOICE_LABEL_ID[0]}
expect_choice 0 0 0
# The right button selects as well.
point_at_control ${CHOICE_LABEL_ID[2]} 5 5
xdotool click 3
expect_choice 2 0 1
click_control ${CHOICE_IMAGE_ID[1]}
expect_choice 1 1 0

# Type 12 into the repeat box's field and press 設定.
click_control $REPEAT_ID 10
xdotool type --delay 50 12
expect_repeat_text 12
[ ! -e "$DIALOG_INI" ] || harness_fail "a settings file was written before 設定"
dialog_clock_start
click_control $SET_ID
wait_host_exit
echo "the host ended $(dialog_clock_ms) ms after the click on 設定 (exit code $host_exit_code)"
dialog_ini_text
# The numbers are written with a blank before them, which Wine's profile functions drop.
[ "$(dialog_ini_text | sed 's/= /=/')" = "[Section]
$SETTINGS_KIND_KEY=1
$SETTINGS_TRACK_KEY=12
$SETTINGS_FILE_KEY=" ] || harness_fail "unexpected settings file"
harness_pass
