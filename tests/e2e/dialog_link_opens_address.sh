# A click on the link label hands its address to the desktop's opener (here a stand-in for
# xdg-open that records what it is given) while the dialog stays open and working; the dialog
# zooms from and to the cursor with the caption animation when it opens and closes.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder

opener=$(mktemp -d "${TMPDIR:-/tmp}/dialog-opener.XXXXXX")
cat >"$opener/xdg-open" <<OPENER
#!/bin/sh
printf '%s\n' "\$@" >>"$opener/opened.log"
OPENER
chmod +x "$opener/xdg-open"
export PATH="$opener:$PATH"
DIALOG_WINEDEBUG=-all,fixme+graphics

# zooms: how many caption animations the dialog has played.
zooms() { grep -c 'fixme:graphics:DrawAnimatedRects ([0-9A-Fa-f]*,3,' "$dialog_log"; }

dialog_start /c
expect_dialog
[ "$(zooms)" = 1 ] || harness_fail "the opening zoom was played $(zooms) times"
address=$(control_line $LINK_ID)
address=${address#* text=}
dialog_clock_start
click_control $LINK_ID
harness_wait 30 "the desktop's opener to be called" test -s "$opener/opened.log"
echo "the opener was called $(dialog_clock_ms) ms after the click with: $(cat "$opener/opened.log" 2>/dev/null)"
[ "$(cat "$opener/opened.log" 2>/dev/null)" = "$address" ] ||
  harness_fail "the opener was not given $address"

# The dialog goes on: a choice still works, and ｷｬﾝｾﾙ ends the host with the closing zoom.
click_control ${CHOICE_LABEL_ID[1]}
expect_choice 1 1 0
click_control $CANCEL_ID
wait_host_exit
[ "$(zooms)" = 2 ] || harness_fail "the closing zoom was not played"
[ ! -e "$DIALOG_INI" ] || harness_fail "a settings file was written"
echo "PASS"
