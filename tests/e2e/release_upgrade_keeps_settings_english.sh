# Upgrading, silently, on an English system. Installed with its window, the release makes the
# saver current by itself, and an older version does not install over it. Over an older version
# with settings beside the programs and per user, the release installs as the only entry of
# Programs and Features, and both settings files and the screen-saver choice stay as they were.
# Uninstalling then leaves a screen saver the user has chosen since alone, and removes the user's
# own settings when asked with REMOVEUSERSETTINGS=1.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/release_scenario.sh"
harness_start C.UTF-8
release_remove_leftovers

# The older version: the same programs in an installer of an earlier version.
older_version=0.0.1
oldest=$(printf '%s\n' "$older_version" "$MIREBORA_VERSION" | sort -V | head -n 1)
[ "$oldest" = "$older_version" ] && [ "$older_version" != "$MIREBORA_VERSION" ] ||
  harness_fail "$MIREBORA_VERSION is not newer than $older_version"
older=$HARNESS_WORK/older.msi
"$MIREBORA_BUILD/packaging/make-release" --version "$older_version" --installer-only "$older" ||
  harness_fail "cannot make the older installer"

# Installed with the installer's window (here only its progress), the saver becomes the user's
# screen saver without being asked; an older version never replaces a newer one.
msiexec_run /qr /i "$RELEASE_INSTALLER"
[ "$msiexec_status" -eq 0 ] || harness_fail "msiexec /qr ended with $msiexec_status"
expect_desktop_value SCRNSAVE.EXE "$INSTALLED_HOST_WIN"
msiexec_quiet /i "$older"
[ "$msiexec_status" -ne 0 ] || harness_fail "the older version installed over the newer one"
expect_one_entry "$MIREBORA_VERSION"
msiexec_silently /x "$RELEASE_INSTALLER"

msiexec_silently /i "$older" SETASCURRENT=1
expect_one_entry "$older_version"

mkdir -p "$USER_SETTINGS_DIR"
store_settings "$INSTALL_DIR_WIN" 2 0 'C:\music\夜.mp3'
store_settings "$USER_SETTINGS_DIR_WIN" 1 12 ''
cp "$INSTALL_DIR/$PRODUCT_NAME.ini" "$HARNESS_WORK/beside.ini"
cp "$USER_SETTINGS_DIR/$PRODUCT_NAME.ini" "$HARNESS_WORK/user.ini"

msiexec_silently /i "$RELEASE_INSTALLER"
echo "silent upgrade: $msiexec_ms ms"
expect_one_entry "$MIREBORA_VERSION"
cmp -s "$INSTALL_DIR/$PRODUCT_NAME.ini" "$HARNESS_WORK/beside.ini" ||
  harness_fail "the settings beside the programs were not kept"
cmp -s "$USER_SETTINGS_DIR/$PRODUCT_NAME.ini" "$HARNESS_WORK/user.ini" ||
  harness_fail "the user's settings were not kept"
[ -f "$INSTALL_DIR/$PRODUCT_NAME.scr" ] && [ -f "$INSTALL_DIR/guide/index.html" ] ||
  harness_fail "the upgrade lost files"
expect_desktop_value SCRNSAVE.EXE "$INSTALLED_HOST_WIN"

# The user has chosen another screen saver since.
other_saver='C:\windows\system32\other.scr'
wine reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d "$other_saver" /f >/dev/null 2>&1
msiexec_silently /x "$RELEASE_INSTALLER" REMOVEUSERSETTINGS=1
echo "silent uninstall: $msiexec_ms ms"
expect_desktop_value SCRNSAVE.EXE "$other_saver"
expect_desktop_value ScreenSaveActive 1
expect_gone "$INSTALL_DIR"
[ ! -e "$USER_SETTINGS_DIR" ] || harness_fail "the user's settings were kept though asked not to"
harness_pass
