# The Wine/Xvfb harness, sourced by the scenarios under tests/e2e/ and by scripts/demo.
#
# harness_start LOCALE   start a private Xvfb display (1024x768x24 unless HARNESS_SCREEN says
#                        otherwise) and make sure the private Wine prefix under build/ is
#                        booted; LOCALE becomes the system locale
#                        (ja_JP.UTF-8: ANSI code page 932; C.UTF-8 or en_US.UTF-8: 1252)
# harness_track PID      end PID too when the scenario ends
# harness_probe ARGS...  run the e2e probe (tests/e2e/probe) inside Wine
# harness_run_windows PROGRAM ARGS...  run any Windows program, its output with LF line ends
# harness_wait SECONDS WHAT COMMAND...  run COMMAND until it succeeds; fail the scenario,
#                        naming WHAT and SECONDS, when it has not within SECONDS
# harness_wait_lines SECONDS FILE PATTERN COUNT  wait until FILE has COUNT lines matching PATTERN
# harness_screenshot OUT save the whole display as a PNG
# harness_pixel PNG X Y  print the colour of one pixel as "R G B"
# Every process the harness starts is ended by its id when the shell exits: the recorded ones,
# then the prefix's own wineserver, then the display.

MIREBORA_ROOT=${MIREBORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
MIREBORA_BUILD=${MIREBORA_BUILD:-$MIREBORA_ROOT/build/windows}
MIREBORA_DIST=$MIREBORA_BUILD/dist
MIREBORA_PROBE=$MIREBORA_BUILD/tests/e2e-probe.exe

export WINEPREFIX=${WINEPREFIX:-$MIREBORA_ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
MIREBORA_DRIVE_C=$WINEPREFIX/drive_c
MIREBORA_CAPTURE_DIR=$MIREBORA_DRIVE_C/k_vusa

harness_pids=()
harness_xvfb_pid=
harness_wineserver_started=

harness_track() { harness_pids+=("$1"); }

harness_cleanup() {
  set +e  # end everything, whatever fails
  local pid
  for pid in "${harness_pids[@]}"; do
    kill "$pid" 2>/dev/null
  done
  if [ -n "$harness_wineserver_started" ]; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
  fi
  if [ -n "$harness_xvfb_pid" ]; then
    kill "$harness_xvfb_pid" 2>/dev/null
    wait "$harness_xvfb_pid" 2>/dev/null
  fi
}

harness_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Scenarios wait for the event they need, never a fixed time: the bounds are generous, since a
# busy machine may be many times slower than a quiet one, and a wait that runs out names what it
# waited for. HARNESS_WAIT_SCALE stretches every bound (a debugger, a very slow machine).
harness_wait() {
  local seconds=$1 what=$2 started
  shift 2
  started=$(date +%s%N)
  local limit=$((started + seconds * ${HARNESS_WAIT_SCALE:-1} * 1000000000))
  until "$@"; do
    [ "$(date +%s%N)" -lt "$limit" ] ||
      harness_fail "waited $((seconds * ${HARNESS_WAIT_SCALE:-1})) s for $what"
    sleep 0.1
  done
  harness_waited_ms=$((($(date +%s%N) - started) / 1000000))
}

# harness_has_lines FILE PATTERN COUNT: FILE has at least COUNT lines matching PATTERN.
harness_has_lines() { [ "$(grep -c -- "$2" "$1" 2>/dev/null)" -ge "$3" ]; }

harness_wait_lines() {
  harness_wait "$1" "$4 line(s) matching '$3' in $(basename "$2")" harness_has_lines "$2" "$3" "$4"
}

# A display number whose socket and lock file are both free.
harness_free_display() {
  local n
  for n in $(seq 90 189); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

harness_start_display() {
  local n tries
  for tries in 1 2 3; do
    n=$(harness_free_display) || harness_fail "no free X display number"
    Xvfb ":$n" -screen 0 "${HARNESS_SCREEN:-1024x768x24}" -nolisten tcp -noreset >/dev/null 2>&1 &
    harness_xvfb_pid=$!
    for _ in $(seq 100); do
      if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$harness_xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$harness_xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    kill "$harness_xvfb_pid" 2>/dev/null
    harness_xvfb_pid=
  done
  harness_fail "Xvfb did not start"
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
  trap harness_cleanup EXIT
  harness_start_display
  harness_boot_prefix
  harness_wineserver_started=1
  wineserver -p 2>/dev/null  # a persistent server for this scenario, ended in harness_cleanup
  mkdir -p "$MIREBORA_CAPTURE_DIR"
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
