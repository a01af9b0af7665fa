# A click on the link label hands the user guide beside the program to the desktop's opener
# (here a stand-in for xdg-open that records what it is given) while the dialog stays open and
# working, and so do Enter and Space on the link reached with Tab; a program folder with a long path keeps the link clear of the Set button. The dialog
# zooms from and to the cursor with the caption animation when it opens and closes.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
# The program deep in folders with long names: its path does not fit the link's width.
deep='とても長い名前のフォルダー 一'
deeper='とても長い名前のフォルダー 二'
DIALOG_FOLDER="$DIALOG_FOLDER/$deep/$deeper"
DIALOG_FOLDER_WIN="$DIALOG_FOLDER_WIN\\$deep\\$deeper"
DIALOG_INI="$DIALOG_FOLDER/ミレボラ.ini"
harness_start ja_JP.UTF-8
dialog_fresh_folder

fake_opener
DIALOG_WINEDEBUG=-all,fixme+graphics

# zooms: how many caption animations the dialog has played.
zooms() { grep -c 'fixme:graphics:DrawAnimatedRects ([0-9A-Fa-f]*,3,' "$dialog_log"; }

dialog_start /c
expect_dialog
[ "$(zooms)" = 1 ] || harness_fail "the opening zoom was played $(zooms) times"
expect_control_text $LINK_ID "$DIALOG_FOLDER_WIN\\guide\\index.html"
expect_control $LINK_ID "*at=12,208 size=296x*"
dialog_clock_start
click_control $LINK_ID
expect_opened_file "$DIALOG_FOLDER/guide/index.html"
echo "the opener was called $(dialog_clock_ms) ms after the click"

# From the keyboard: Shift+Tab from the panel passes ｷｬﾝｾﾙ and 設定 to the link; Enter and Space
# each open it once more.
click_control $PANEL_ID 400 150
expect_focus $PANEL_ID
for id in $CANCEL_ID $SET_ID $LINK_ID; do key_to_focus shift+Tab $id; done
for key in Return space; do
  : >"$opener_log"
  xdotool key $key
  expect_opened_file "$DIALOG_FOLDER/guide/index.html"
done

# The dialog goes on: a choice still works, and ｷｬﾝｾﾙ ends the host with the closing zoom.
click_control ${CHOICE_LABEL_ID[1]}
expect_choice 1 1 0
click_control $CANCEL_ID
wait_host_exit
[ "$(zooms)" = 2 ] || harness_fail "the closing zoom was not played"
[ ! -e "$DIALOG_INI" ] || harness_fail "a settings file was written"
harness_pass
