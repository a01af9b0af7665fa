# The Wine/Xvfb harness, sourced by the scenarios under tests/e2e/ and by scripts/demo.
#
# harness_start LOCALE   start a private Xvfb display (1024x768x24 unless HARNESS_SCREEN says
#                        otherwise; several monitors side by side when HARNESS_HEADS lists their
#                        sizes, "1024x768 800x600") and make sure the private Wine prefix under
#                        build/ is booted; LOCALE becomes the system locale
#                        (ja_JP.UTF-8: ANSI code page 932; C.UTF-8 or en_US.UTF-8: 1252);
#                        HARNESS_WINE_DESKTOP=WxH: the programs run in a Wine desktop of that
#                        size at the display's corner, whose mode a program can change while
#                        others run (the display alone offers no mode but its own)
# harness_track PID      end PID too when the scenario ends
# harness_at_exit COMMAND  run COMMAND too when the scenario ends, after the harness's own steps
# harness_probe ARGS...  run the e2e probe (tests/e2e/probe) inside Wine
# harness_run_windows PROGRAM ARGS...  run any Windows program, its output with LF line ends
# harness_wait SECONDS WHAT COMMAND...  run COMMAND until it succeeds; fail the scenario,
#                        naming WHAT and SECONDS, when it has not within SECONDS
# harness_wait_lines SECONDS FILE PATTERN COUNT  wait until FILE has COUNT lines matching PATTERN
# harness_passes CHECK ARGS...  run a check that calls harness_fail, without failing: its status
# harness_wait_picture SECONDS WHAT PNG CHECK ARGS...  take screenshots into PNG until
#                        `CHECK PNG ARGS...` passes on one
# harness_wait_window TITLE [SECONDS]  wait for a top-level window TITLE; print its facts
# harness_wait_gone TITLE [SECONDS [CLASS]]  wait until no top-level window is titled TITLE (of
#                        that window class)
# harness_screenshot OUT save the whole display as a PNG
# harness_pixel PNG X Y  print the colour of one pixel as "R G B"
# harness_set_temp_folder NAME [--missing]  the user's temporary folder becomes its subfolder NAME,
#                        new and empty (or missing), for the programs started from now on
# harness_respect_file_modes SCRIPT ARGS...  (first thing in a scenario) run the scenario, and
#                        Wine with it, without root's power over file modes
# harness_read_only DIR  make DIR read-only for the programs until the scenario ends
# harness_fail MESSAGE   fail the scenario, from wherever it is called (see below)
# harness_pass           the scenario's last line: it has reached its end
# harness_as_tool        (scripts that use the harness but are no scenario: the demo, benchmarks)
#                        an exit without harness_pass is no failure
# Every process the harness starts is ended by its id when the shell exits: the recorded ones,
# then the prefix's own wineserver, then the display.

MIREBORA_ROOT=${MIREBORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
MIREBORA_BUILD=${MIREBORA_BUILD:-$MIREBORA_ROOT/build/windows}
# shellcheck disable=SC2034  # read by the scenarios, as the other values set here
MIREBORA_DIST=$MIREBORA_BUILD/dist
MIREBORA_PROBE=$MIREBORA_BUILD/tests/e2e-probe.exe

# Scenarios run two at a time: ctest hands each one slot of its "wine" resource
# (CTEST_RESOURCE_GROUP_0_WINE=id:N,slots:1), and each slot has a Wine prefix and a work folder
# of its own. The display is always a private one. Run by hand, a scenario takes slot 0.
harness_slot=${CTEST_RESOURCE_GROUP_0_WINE:-id:0}
harness_slot=${harness_slot#id:}
harness_slot=${harness_slot%%,*}
if [ "$harness_slot" = 0 ]; then
  export WINEPREFIX=${WINEPREFIX:-$MIREBORA_ROOT/build/wineprefix}
else
  export WINEPREFIX=${WINEPREFIX:-$MIREBORA_ROOT/build/wineprefix-$harness_slot}
fi
HARNESS_WORK=$MIREBORA_BUILD/e2e-work/slot$harness_slot
# The private display's size: HARNESS_SCREEN (WIDTHxHEIGHTxDEPTH) when a scenario sets it. With
# several heads it is the first head's (the primary monitor's), and the display holds them all.
HARNESS_SCREEN=${HARNESS_SCREEN:-1024x768x24}
if [ -n "${HARNESS_HEADS:-}" ]; then
  HARNESS_SCREEN=${HARNESS_HEADS%% *}x24
  harness_outer_screen=$(tr ' ' '\n' <<<"$HARNESS_HEADS" |
    awk -F x '{ w += $1; if ($2 > h) h = $2 } END { print w "x" h "x24" }')
fi
# shellcheck disable=SC2034  # read by the scenarios
HARNESS_SCREEN_WIDTH=${HARNESS_SCREEN%%x*}
HARNESS_SCREEN_HEIGHT=${HARNESS_SCREEN#*x}
HARNESS_SCREEN_HEIGHT=${HARNESS_SCREEN_HEIGHT%%x*}
mkdir -p "$HARNESS_WORK"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
MIREBORA_DRIVE_C=$WINEPREFIX/drive_c
MIREBORA_CAPTURE_DIR=$MIREBORA_DRIVE_C/k_vusa
# The user's roaming application-data folder, and the host's per-user settings folder in it.
MIREBORA_APPDATA=$MIREBORA_DRIVE_C/users/$(id -un)/AppData/Roaming
MIREBORA_USER_SETTINGS_DIR=$MIREBORA_APPDATA/ミレボラ
# The user's temporary folder (GetTempPath), as the programs name it and on disk.
MIREBORA_TEMP_WINDOWS="C:\\users\\$(id -un)\\Temp"
MIREBORA_TEMP_DIR=$MIREBORA_DRIVE_C/users/$(id -un)/Temp

harness_pids=()
harness_dpi_set=
harness_temp_saved=()  # the user's own TEMP and TMP while a scenario changes them: name, type, value
harness_temp_home_windows=$MIREBORA_TEMP_WINDOWS
harness_temp_home_dir=$MIREBORA_TEMP_DIR
harness_x11_key='HKCU\Software\Wine\X11 Driver'
harness_explorer_key='HKCU\Software\Wine\Explorer'
harness_read_only_dirs=()
harness_xvfb_pid=
harness_wineserver_started=

harness_track() { harness_pids+=("$1"); }
harness_exit_steps=()
harness_at_exit() { harness_exit_steps+=("$1"); }

# A scenario passes only when it reaches its end, and fails whenever harness_fail is called:
#  - in the scenario's own shell, harness_fail exits it;
#  - in a subshell (a command substitution, a pipeline, a `( )`), where `exit` ends only the
#    subshell, harness_fail also leaves a mark in harness_failed_mark and signals the shell that
#    sourced the harness, whose TERM trap ends it as soon as the command it runs returns; the mark
#    fails the scenario even if the signal comes too late;
#  - a check run through harness_passes (harness_checking) fails that check alone.
# A scenario's last line is harness_pass. The exit trap fails every other exit, an `exit 0` on the
# way or `set -e` stopping silently included, and any exit after a failure in a subshell.
harness_owner_pid=$BASHPID
harness_failed_mark=$HARNESS_WORK/failed.$BASHPID
rm -f "$harness_failed_mark"
harness_scenario=1
harness_passed=

harness_as_tool() { harness_scenario=; }

harness_pass() {
  [ ! -e "$harness_failed_mark" ] || harness_fail "a check failed in a subshell on the way"
  harness_passed=1
  echo "PASS"
}

harness_exit() {
  local status=$?
  if [ -e "$harness_failed_mark" ]; then
    status=1
  elif [ -n "$harness_scenario" ] && [ "$status" = 0 ] && [ -z "$harness_passed" ]; then
    echo "FAIL: the scenario ended before its end (exit status 0 without harness_pass)" >&2
    status=1
  fi
  rm -f "$harness_failed_mark"
  harness_cleanup
  exit "$status"
}
trap harness_exit EXIT
trap 'exit 1' TERM

harness_cleanup() {
  set +e  # end everything, whatever fails
  local pid
  for pid in "${harness_pids[@]}"; do
    kill "$pid" 2>/dev/null
  done
  # The prefix is shared with the scenarios that come after: the display's density goes back.
  [ -z "$harness_dpi_set" ] || wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f \
    >/dev/null 2>&1
  local i
  for ((i = 0; i < ${#harness_temp_saved[@]}; i += 3)); do
    wine reg add 'HKCU\Environment' /v "${harness_temp_saved[i]}" /t "${harness_temp_saved[i + 1]}" \
      /d "${harness_temp_saved[i + 2]}" /f >/dev/null 2>&1
  done
  if [ -n "$harness_wineserver_started" ]; then
    [ -z "${HARNESS_HEADS:-}" ] || wine reg delete "$harness_x11_key" /v UseXRandR /f >/dev/null 2>&1
    [ -z "${HARNESS_WINE_DESKTOP:-}" ] ||
      wine reg delete "$harness_explorer_key" /v Desktop /f >/dev/null 2>&1
  fi
  if [ -n "$harness_wineserver_started" ]; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
  fi
  if [ -n "$harness_xvfb_pid" ]; then
    kill "$harness_xvfb_pid" 2>/dev/null
    wait "$harness_xvfb_pid" 2>/dev/null
  fi
  local dir
  for dir in "${harness_read_only_dirs[@]}"; do
    chmod u+w "$dir" 2>/dev/null
  done
  local step
  for step in "${harness_exit_steps[@]}"; do
    eval "$step"
  done
}

# Scenarios run as root, who may write into any folder whatever its mode. A scenario about a
# folder the user cannot write runs itself again, and so Wine and its server, without that
# power; root still owns the prefix, so everything else works as before.
harness_respect_file_modes() {
  if [ "$(id -u)" = 0 ] && [ -z "${HARNESS_FILE_MODES_RESPECTED:-}" ]; then
    HARNESS_FILE_MODES_RESPECTED=1 exec setpriv --bounding-set=-dac_override,-dac_read_search \
      -- bash "$@"
  fi
}

harness_read_only() {
  chmod a-w "$1" || harness_fail "cannot make $1 read-only"
  harness_read_only_dirs+=("$1")
  if touch "$1/.harness-write-test" 2>/dev/null; then
    rm -f "$1/.harness-write-test"
    harness_fail "$1 is still writable (call harness_respect_file_modes first)"
  fi
}

harness_fail() {
  echo "FAIL: $*" >&2
  if [ -z "${harness_checking:-}" ]; then
    harness_show_desktop
    if [ "$BASHPID" != "$harness_owner_pid" ]; then
      echo "$*" >>"$harness_failed_mark"
      kill -TERM "$harness_owner_pid" 2>/dev/null
    fi
  fi
  exit 1
}

# What a failed scenario leaves for its reader: the windows on the desktop and a screenshot.
harness_show_desktop() {
  [ -n "${DISPLAY:-}" ] && [ -n "$harness_wineserver_started" ] || return 0
  local shot
  shot=$HARNESS_WORK/failure-$(date +%H%M%S).png
  echo "windows on the desktop at the failure:" >&2
  timeout 20 wine "$MIREBORA_PROBE" windows 2>/dev/null | tr -d '\r' | sed 's/^/  /' >&2
  timeout 20 import -display "$DISPLAY" -window root "$shot" 2>/dev/null &&
    echo "screenshot at the failure: $shot" >&2
}

# Scenarios wait for the event they need, never a fixed time: the bounds are generous, since a
# busy machine may be many times slower than a quiet one, and a wait that runs out names what it
# waited for. HARNESS_WAIT_SCALE stretches every bound (a debugger, a very slow machine). A check
# may leave a word on why it failed last in harness_wait_detail; a failed wait shows it.
harness_wait() {
  local seconds=$(($1 * ${HARNESS_WAIT_SCALE:-1})) what=$2 started
  shift 2
  started=$(date +%s%N)
  harness_wait_detail=
  until "$@"; do
    [ $((($(date +%s%N) - started) / 1000000000)) -lt "$seconds" ] ||
      harness_fail "waited $seconds s for $what${harness_wait_detail:+ ($harness_wait_detail)}"
    sleep 0.1  # how often the event is looked for
  done
  # shellcheck disable=SC2034  # how long the wait took, for the scenarios
  harness_waited_ms=$((($(date +%s%N) - started) / 1000000))
}

# harness_passes CHECK ARGS...: runs a check that fails the scenario when it does not hold, in a
# subshell: true when it passes, else false with its failure message in harness_wait_detail.
harness_passes() {
  harness_wait_detail=$( (harness_checking=1 && "$@") 2>&1 >/dev/null) && return 0
  harness_wait_detail=${harness_wait_detail#FAIL: }
  return 1
}

harness_picture_shows() {
  local png=$1 check=$2
  shift 2
  harness_screenshot "$png" 2>/dev/null || return 1
  harness_passes "$check" "$png" "$@" && return 0
  harness_wait_detail="last picture $png: $harness_wait_detail"
  return 1
}

harness_wait_picture() {
  local seconds=$1 what=$2
  shift 2
  harness_wait "$seconds" "$what" harness_picture_shows "$@"
}

harness_wait_window() {
  local seconds=$((${2:-30} * ${HARNESS_WAIT_SCALE:-1}))
  harness_probe find "$1" $((seconds * 1000)) || harness_fail "waited $seconds s for a window '$1'"
}

harness_wait_gone() {
  local seconds=$((${2:-30} * ${HARNESS_WAIT_SCALE:-1}))
  harness_probe gone "$1" $((seconds * 1000)) ${3:+"$3"} >/dev/null ||
    harness_fail "waited $seconds s for the window '$1'${3:+ of class $3} to go"
}

# harness_has_lines FILE PATTERN COUNT: FILE has at least COUNT lines matching PATTERN.
harness_has_lines() { [ "$(grep -c -- "$2" "$1" 2>/dev/null)" -ge "$3" ]; }

harness_wait_lines() {
  harness_wait "$1" "$4 line(s) matching '$3' in $(basename "$2")" harness_has_lines "$2" "$3" "$4"
}

# A private Xvfb display: Xvfb itself takes a display number that no other server holds and
# writes it to the file handed to -displayfd, so that scenarios started at the same moment never
# share a display.
# harness_display_number PID_VARIABLE: the display number the server whose id is in that
# variable has written, in harness_display.
harness_display_number() {
  harness_display=$(cat "$harness_display_file" 2>/dev/null)
  [ -n "$harness_display" ] && return 0
  kill -0 "${!1}" 2>/dev/null || harness_fail "the X server did not start"
  return 1
}

harness_start_display() {
  # Again here: a subshell that starts a display (a benchmark's runs) ends it when it exits.
  trap harness_exit EXIT
  harness_display_file=$(mktemp "${TMPDIR:-/tmp}/harness-display.XXXXXX")
  Xvfb -displayfd 3 -screen 0 "${harness_outer_screen:-$HARNESS_SCREEN}" -nolisten tcp -noreset \
    3>"$harness_display_file" >/dev/null 2>&1 &
  harness_xvfb_pid=$!
  harness_wait 30 "Xvfb to take a display" harness_display_number harness_xvfb_pid
  rm -f "$harness_display_file"
  export DISPLAY=":$harness_display"
  [ -z "${HARNESS_HEADS:-}" ] || harness_start_heads
}

# Several monitors: Xvfb's own screens all start at (0, 0), so a nested Xephyr server with
# Xinerama, inside the Xvfb display, shows the heads side by side; Wine then reports one monitor
# per head (with its XRandR support off, which the prefix is given for the scenario).
harness_start_heads() {
  local head screens=()
  for head in $HARNESS_HEADS; do screens+=(-screen "$head"); done
  harness_display_file=$(mktemp "${TMPDIR:-/tmp}/harness-display.XXXXXX")
  Xephyr -displayfd 3 +xinerama "${screens[@]}" -nolisten tcp -noreset \
    3>"$harness_display_file" >/dev/null 2>&1 &
  harness_xephyr_pid=$!
  harness_track "$harness_xephyr_pid"
  harness_wait 30 "Xephyr to take a display" harness_display_number harness_xephyr_pid
  rm -f "$harness_display_file"
  export DISPLAY=":$harness_display"
}

# The prefix is booted once and kept under build/; a lock keeps two runs from booting it at once.
harness_boot_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.mirebora-booted" ]; then
      echo "harness: booting the Wine prefix $WINEPREFIX (once)" >&2
      wineboot -i >/dev/null 2>&1 || exit 1
      wineserver -w
      touch "$WINEPREFIX/.mirebora-booted"
    fi
  ) 9>"$WINEPREFIX.lock" || harness_fail "wineboot failed"
}

harness_start() {
  local locale=${1:-C.UTF-8}
  export LANG=$locale LC_ALL=$locale
  harness_start_display
  harness_boot_prefix
  harness_wineserver_started=1
  if [ -n "${HARNESS_HEADS:-}" ]; then
    wine reg add "$harness_x11_key" /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1 ||
      harness_fail "cannot turn Wine's XRandR support off"
    wineserver -k 2>/dev/null  # the display driver reads the setting when it starts
    wineserver -w 2>/dev/null
  fi
  if [ -n "${HARNESS_WINE_DESKTOP:-}" ]; then
    wine reg add "$harness_explorer_key\\Desktops" /v Mirebora /t REG_SZ \
      /d "$HARNESS_WINE_DESKTOP" /f >/dev/null 2>&1 &&
      wine reg add "$harness_explorer_key" /v Desktop /t REG_SZ /d Mirebora /f >/dev/null 2>&1 ||
      harness_fail "cannot set up a Wine desktop"
    wineserver -k 2>/dev/null  # the desktop is made when the next server starts
    wineserver -w 2>/dev/null
  fi
  wineserver -p 2>/dev/null  # a persistent server for this scenario, ended in harness_cleanup
  # The mode a program's display change returns to is the desktop's own, whatever an earlier
  # scenario's desktop left in the prefix.
  [ -z "${HARNESS_WINE_DESKTOP:-}" ] ||
    harness_probe set-display-mode "${HARNESS_WINE_DESKTOP%x*}" "${HARNESS_WINE_DESKTOP#*x}" \
      registry >/dev/null || harness_fail "the Wine desktop does not take its own size"

  mkdir -p "$MIREBORA_CAPTURE_DIR"
  # Every scenario starts with the settings beside the program alone.
  rm -rf "$MIREBORA_USER_SETTINGS_DIR"
}

# harness_set_dpi DPI: the display's density for the programs started from now on, as Windows'
# scaling sets it (120 is 125 %, 144 is 150 %, 192 is 200 %); the prefix gets its own back when
# the scenario ends.
harness_set_dpi() {
  harness_dpi_set=1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    harness_fail "cannot set the display's density to $1"
}

# harness_set_temp_folder NAME [--missing]: the user's temporary folder (TEMP and TMP of the
# user's environment) becomes the subfolder NAME of the user's own for the programs started from
# now on, made afresh (with --missing there is none); MIREBORA_TEMP_WINDOWS and MIREBORA_TEMP_DIR
# follow. The prefix gets its own values back when the scenario ends.
harness_set_temp_folder() {
  local variable type value
  for variable in TEMP TMP; do
    if [ ${#harness_temp_saved[@]} -lt 6 ]; then
      read -r _ type value < <(wine reg query 'HKCU\Environment' /v "$variable" 2>/dev/null |
        tr -d '\r' | grep "^ *$variable ")
      [ -n "$value" ] || harness_fail "no $variable in the user's environment"
      harness_temp_saved+=("$variable" "$type" "$value")
    fi
    wine reg add 'HKCU\Environment' /v "$variable" /t REG_SZ \
      /d "$harness_temp_home_windows\\$1" /f >/dev/null 2>&1 || harness_fail "cannot set $variable"
  done
  MIREBORA_TEMP_WINDOWS="$harness_temp_home_windows\\$1"
  MIREBORA_TEMP_DIR="$harness_temp_home_dir/$1"
  rm -rf "$MIREBORA_TEMP_DIR"
  [ "${2:-}" = --missing ] || mkdir -p "$MIREBORA_TEMP_DIR"
}

# harness_run_windows PROGRAM ARGS...: runs a Windows program under Wine in the foreground with
# its output through a file: programs it starts inherit its output, and a pipe would stay open
# as long as they run. Windows line ends are dropped.
harness_run_windows() {
  local out status
  out=$(mktemp)
  wine "$@" >"$out"
  status=$?
  tr -d '\r' <"$out"
  rm -f "$out"
  return $status
}

harness_probe() { harness_run_windows "$MIREBORA_PROBE" "$@"; }

harness_screenshot() { import -display "$DISPLAY" -window root "$1"; }

harness_pixel() {
  /usr/bin/convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)] %[fx:int(255*p{'"$2"','"$3"'}.g)] %[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}
