# The installer, silently, on a Japanese system: it puts the programs, the guide and the
# notices into Program Files\ミレボラ, registers in Programs and Features and, asked with
# SETASCURRENT=1, makes the saver the user's screen saver. The installed saver runs and ends on
# Escape; its settings dialog's link opens the installed guide. Uninstalling silently removes
# every file of ours, the settings file beside the programs, the capture files and their folder,
# the entry and the screen-saver values that name us, and keeps the user's own settings.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
source "$(dirname "$0")/lib/release_scenario.sh"
harness_start ja_JP.UTF-8
release_remove_leftovers

msiexec_silently /i "$RELEASE_INSTALLER" SETASCURRENT=1
echo "silent install: $msiexec_ms ms"
expect_installed_files
expect_one_entry "$MIREBORA_VERSION"
expect_desktop_value SCRNSAVE.EXE "$INSTALLED_HOST_WIN"
expect_desktop_value ScreenSaveActive 1

# The installed saver runs as Windows starts it, and ends on Escape.
HOST_DIR=$INSTALL_DIR
start_host /s
expect_window Valdorique_VC >/dev/null
press_escape
harness_wait_gone Valdorique_VC
harness_wait 30 "the host to end" host_ended
wait "$host_pid" || harness_fail "the host ended with $?"
# Its window goes a moment after its process; still there, it would end the next host at once.
harness_wait_gone Valdorique_Main

# Its settings dialog shows the version and hands the installed guide to the opener.
fake_opener
DIALOG_FOLDER=$INSTALL_DIR
DIALOG_HOST_NAME=$PRODUCT_NAME.scr
dialog_start /c
expect_dialog
expect_control_text 2034 "Designed by $PUBLISHER  Ver.$MIREBORA_VERSION"
expect_control_text $LINK_ID "$INSTALL_DIR_WIN\\guide\\index.html"
click_control $LINK_ID
expect_opened_file "$INSTALL_DIR/guide/index.html"
click_control $CANCEL_ID
wait_host_exit

# What the saver and the user leave behind: settings beside the programs and per user, and
# capture files.
store_settings "$INSTALL_DIR_WIN" 1 7 ''
mkdir -p "$USER_SETTINGS_DIR"
store_settings "$USER_SETTINGS_DIR_WIN" 0 0 ''
mkdir -p "$MIREBORA_CAPTURE_DIR"
for i in 1 2 3 4; do echo capture >"$MIREBORA_CAPTURE_DIR/Valdorique$i.bmp"; done

msiexec_silently /x "$RELEASE_INSTALLER"
echo "silent uninstall: $msiexec_ms ms"
expect_gone "$INSTALL_DIR"
expect_gone "$MIREBORA_CAPTURE_DIR"
[ -z "$(uninstall_entries)" ] || harness_fail "still in Programs and Features"
expect_no_desktop_value SCRNSAVE.EXE
expect_no_desktop_value ScreenSaveActive
[ -f "$USER_SETTINGS_DIR/$PRODUCT_NAME.ini" ] || harness_fail "the user's own settings were removed"
harness_pass
