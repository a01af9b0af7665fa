# The installer with its pages, double-clicked on an English system by a user with another
# screen saver: the pages speak English, and with the box on the welcome page unticked the
# user's screen saver is left alone, as the last page says. Programs and Features shows where
# the saver is installed and links to its guide there. Opened again, the installer says where to
# remove the saver and changes nothing; removed with its pages, its last page says so, and the
# user's screen saver is still the user's own. Each page is photographed into the work folder.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/release_scenario.sh"
harness_start C.UTF-8
release_remove_leftovers

other_saver='C:\windows\system32\other.scr'
wine reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d "$other_saver" /f >/dev/null 2>&1
wine reg add "$DESKTOP_KEY" /v ScreenSaveActive /d 1 /f >/dev/null 2>&1

title="$PRODUCT_NAME Setup"
use_as_saver="Button|&Use $PRODUCT_NAME as my screen saver"
msiexec_with_pages /i "$RELEASE_INSTALLER"
expect_page welcome installer-welcome-english.png "$title" \
  "Static|Welcome to $PRODUCT_NAME $MIREBORA_VERSION" "$use_as_saver [x]" \
  "Button|&Install" "Button|Cancel"
press_on_page "$title" "${use_as_saver#Button|}"
harness_wait 30 "the box to be unticked" page_shows "$title" "$use_as_saver"
press_on_page "$title" "&Install"
expect_page finish installer-finish-english.png "$title" "Static|$PRODUCT_NAME is installed" \
  "Static|Installed in:" "Static|$INSTALL_DIR_WIN\\" \
  "Static|Your screen saver was left as it was; you can choose $PRODUCT_NAME in the screen-saver settings." \
  "Button|&Finish"
press_on_page "$title" "&Finish"
msiexec_ended
[ "$msiexec_status" -eq 0 ] || harness_fail "msiexec ended with $msiexec_status"
expect_installed_files
expect_desktop_value SCRNSAVE.EXE "$other_saver"

# Programs and Features: the folder, and the guide in it.
location=$(entry_value InstallLocation) || harness_fail "no InstallLocation in the entry"
[ "$location" = "$INSTALL_DIR_WIN\\" ] || harness_fail "InstallLocation is '$location'"
help=$(entry_value HelpLink) || harness_fail "no HelpLink in the entry"
[ "$help" = "$INSTALL_DIR_WIN\\guide\\index.html" ] || harness_fail "HelpLink is '$help'"

# Opened again: it says where to remove it, and changes nothing.
msiexec_with_pages /i "$RELEASE_INSTALLER"
expect_page "installed copy" installer-installed-english.png "$title" \
  "Static|$PRODUCT_NAME is installed" "Button|&Close"
press_on_page "$title" "&Close"
expect_page cancelled installer-cancelled-english.png "$title" "Static|Setup was cancelled" \
  "Static|Nothing was changed on this computer."
press_on_page "$title" "&Finish"
msiexec_ended
expect_installed_files

# Removed as Programs and Features removes it: the last page says so.
msiexec_with_pages /x "$RELEASE_INSTALLER"
expect_page removed installer-removed-english.png "$title" "Static|$PRODUCT_NAME was removed" \
  "Static|$PRODUCT_NAME and its files are gone from this computer." "Button|&Finish"
expect_not_on_page "Static|Installed in:"
press_on_page "$title" "&Finish"
msiexec_ended
[ "$msiexec_status" -eq 0 ] || harness_fail "msiexec ended with $msiexec_status"
expect_gone "$INSTALL_DIR"
[ -z "$(uninstall_entries)" ] || harness_fail "still in Programs and Features"
expect_desktop_value SCRNSAVE.EXE "$other_saver"
expect_desktop_value ScreenSaveActive 1
harness_pass
