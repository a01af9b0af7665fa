# shellcheck disable=SC2034  # the variables set here are read by the scripts that source this file
# Shared steps of the release scenarios: installing and uninstalling the packages silently with
# Wine's msiexec, and looking at what an installation leaves: files, Programs and Features
# entries, the screen-saver values, settings files. Sourced after scripts/lib/wine-harness.sh.

INSTALL_PROBE=$MIREBORA_BUILD/tests/install-probe.exe
RELEASE_INSTALLER=$MIREBORA_RELEASE_DIR/Mirebora-$MIREBORA_VERSION-x64.msi
PRODUCT_NAME=ミレボラ
PUBLISHER="ミレボラ developers"
INSTALL_DIR="$MIREBORA_DRIVE_C/Program Files/$PRODUCT_NAME"
INSTALL_DIR_WIN="C:\\Program Files\\$PRODUCT_NAME"
INSTALLED_HOST_WIN="$INSTALL_DIR_WIN\\$PRODUCT_NAME.scr"
USER_SETTINGS_DIR="$MIREBORA_DRIVE_C/users/$(id -un)/AppData/Roaming/$PRODUCT_NAME"
USER_SETTINGS_DIR_WIN="C:\\users\\$(id -un)\\AppData\\Roaming\\$PRODUCT_NAME"
DESKTOP_KEY='HKCU\Control Panel\Desktop'

install_probe() { harness_run_windows "$INSTALL_PROBE" "$@"; }

# uninstall_entries: the Programs and Features entries of the product, one line each.
uninstall_entries() { install_probe uninstall-entries "$PRODUCT_NAME" || true; }

# desktop_value NAME: the screen-saver value NAME of the user; fails when there is none.
desktop_value() { install_probe desktop-value "$1"; }

process_ended() { ! kill -0 "$1" 2>/dev/null; }

# msiexec_run UI ARGS...: runs Wine's msiexec with ARGS and the user-interface option UI (/qn
# none, /qr a progress window) and waits for it to end; sets msiexec_status (its exit code) and
# msiexec_ms (how long it took).
msiexec_run() {
  local ui=$1 started pid
  shift
  started=$(date +%s%N)
  wine msiexec "$@" "$ui" >/dev/null 2>&1 &
  pid=$!
  harness_track "$pid"
  harness_wait 120 "msiexec $* $ui to end" process_ended "$pid"
  wait "$pid"
  msiexec_status=$?
  msiexec_ms=$((($(date +%s%N) - started) / 1000000))
}

msiexec_quiet() { msiexec_run /qn "$@"; }

# msiexec_silently ARGS...: msiexec_quiet, failing the scenario when msiexec fails.
msiexec_silently() {
  msiexec_quiet "$@"
  [ "$msiexec_status" -eq 0 ] || harness_fail "msiexec $* ended with $msiexec_status"
}

# release_remove_leftovers: no installed product, program folder, settings, capture files or
# screen-saver values from an earlier run in the shared prefix.
release_remove_leftovers() {
  local product
  for product in $(uninstall_entries | sed -n 's/.* product=//p'); do
    msiexec_silently /x "$product"
  done
  rm -rf "$INSTALL_DIR" "$USER_SETTINGS_DIR" "$MIREBORA_CAPTURE_DIR"
  local value
  for value in SCRNSAVE.EXE ScreenSaveActive; do
    wine reg delete "$DESKTOP_KEY" /v "$value" /f >/dev/null 2>&1 || true
  done
}

# expect_gone PATH: nothing is left at PATH.
expect_gone() { [ ! -e "$1" ] || harness_fail "left: $(find "$1" | tr '\n' ' ')"; }

# expect_installed_files: the program folder holds exactly what dist/ holds, byte for byte.
expect_installed_files() {
  local listing
  [ -d "$INSTALL_DIR" ] || harness_fail "nothing installed in $INSTALL_DIR"
  listing=$(cd "$MIREBORA_DIST" && find . -type f | sort)
  [ "$(cd "$INSTALL_DIR" && find . -type f | sort)" = "$listing" ] ||
    harness_fail "installed: $(cd "$INSTALL_DIR" && find . -type f | sort | tr '\n' ' ')"
  diff -r "$MIREBORA_DIST" "$INSTALL_DIR" >/dev/null || harness_fail "installed files differ"
}

# expect_one_entry VERSION: Programs and Features lists the product once, at VERSION.
expect_one_entry() {
  local entries
  entries=$(uninstall_entries)
  echo "Programs and Features: $entries"
  [ "$(wc -l <<<"$entries")" -eq 1 ] &&
    [[ "$entries" == "version=$1 publisher=$PUBLISHER product={"*"}" ]] ||
    harness_fail "expected one entry of version $1"
}

# expect_desktop_value NAME VALUE
expect_desktop_value() {
  local value
  value=$(desktop_value "$1") || harness_fail "no value $1"
  [ "$value" = "$2" ] || harness_fail "$1 is '$value', expected '$2'"
}

# expect_no_desktop_value NAME
expect_no_desktop_value() {
  local value
  if value=$(desktop_value "$1"); then harness_fail "$1 is still '$value'"; fi
}

# store_settings FOLDER_WIN KIND TRACK FILE: a settings file in FOLDER_WIN, written as the
# settings dialog writes it.
store_settings() {
  harness_run_windows "$MIREBORA_BUILD/tests/settings-probe.exe" save "$@" >/dev/null ||
    harness_fail "cannot store settings in $1"
}

# entry_value NAME: the value NAME of the product's Programs and Features entry.
entry_value() { install_probe entry-value "$PRODUCT_NAME" "$1"; }

# msiexec_with_pages ARGS...: starts Wine's msiexec with ARGS and its full window, the pages of
# the installer; sets msiexec_pid. Its trace of the programs it starts goes to msiexec_trace.
# msiexec_ended waits for it to end and sets msiexec_status.
msiexec_with_pages() {
  msiexec_trace=$HARNESS_WORK/msiexec-trace.txt
  WINEDEBUG=trace+process wine msiexec "$@" >/dev/null 2>"$msiexec_trace" &
  msiexec_pid=$!
  harness_track "$msiexec_pid"
}
msiexec_ended() {
  harness_wait 120 "msiexec to end" process_ended "$msiexec_pid"
  wait "$msiexec_pid"
  msiexec_status=$?
}

# page_shows TITLE TEXT...: the installer's page TITLE is shown with a control for each TEXT
# (a whole line of `install-probe page`, " [x]" after a ticked box); the page in page_controls.
page_shows() {
  local title=$1 text
  shift
  page_controls=$(install_probe page "$title" 0) || {
    harness_wait_detail="no page '$title'"
    return 1
  }
  for text in "$@"; do
    grep -qxF -- "$text" <<<"$page_controls" || {
      harness_wait_detail="no '$text' on the page: $(tr '\n' ';' <<<"$page_controls")"
      return 1
    }
  done
}

# expect_page WHAT PICTURE TITLE TEXT...: waits for the page, then photographs it into
# PICTURE under the work folder.
expect_page() {
  local what=$1 picture=$2
  shift 2
  harness_wait 60 "the $what page" page_shows "$@"
  harness_screenshot "$HARNESS_WORK/$picture"
  echo "$what page: $HARNESS_WORK/$picture"
}

# expect_not_on_page TEXT: the page last looked at has no control TEXT.
expect_not_on_page() {
  ! grep -qxF -- "$1" <<<"$page_controls" || harness_fail "'$1' is on the page"
}

# press_on_page TITLE TEXT: presses the control TEXT of the page TITLE.
press_on_page() { install_probe click "$1" "$2" || harness_fail "no '$2' to press on '$1'"; }
