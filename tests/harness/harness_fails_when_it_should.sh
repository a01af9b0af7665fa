#!/usr/bin/env bash
# The harness fails a scenario whenever it should: tiny scenarios that source
# scripts/lib/wine-harness.sh and use only its waits and checks (no Wine, no display) must exit
# non-zero after a wait that runs out, after a failed check in a command substitution, a pipeline
# or a subshell, and when they end before their last line; the positive control, with waits that
# succeed and a failed check run through harness_passes, must exit 0.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/harness-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

# scenario NAME EXPECTED MESSAGE: runs the scenario read from standard input, which follows the
# harness's sourcing; EXPECTED is "fails" or "passes", MESSAGE a text its output must hold.
scenario() {
  local name=$1 expected=$2 message=$3 script=$work/$1.sh status
  {
    echo "source '$root/scripts/lib/wine-harness.sh'"
    cat
  } >"$script"
  # A build folder of its own: the harness's work folder goes there, no Wine prefix is touched.
  MIREBORA_BUILD=$work/build CTEST_RESOURCE_GROUP_0_WINE='' timeout 60 bash "$script" \
    >"$work/$name.out" 2>&1
  status=$?
  local verdict=ok
  case $expected in
    fails) [ $status -ne 0 ] && [ $status -ne 124 ] || verdict="exit status $status, not a failure" ;;
    passes) [ $status -eq 0 ] || verdict="exit status $status, not 0" ;;
  esac
  [ "$verdict" != ok ] || grep -qF -- "$message" "$work/$name.out" || verdict="no '$message'"
  if [ "$verdict" = ok ]; then
    echo "ok: $name ($expected, exit status $status)"
  else
    echo "FAIL: $name: $verdict; its output:" >&2
    sed 's/^/  /' "$work/$name.out" >&2
    failures=$((failures + 1))
  fi
}

# (i) A wait that runs out fails the scenario, naming what it waited for, and nothing after it
# runs.
scenario failed_wait fails "FAIL: waited 1 s for an event that never comes" <<'SCENARIO'
harness_wait 1 "an event that never comes" false
echo "after the wait"
harness_pass
SCENARIO

# (ii) A failed check inside a command substitution ends only the substitution's subshell; the
# harness fails the scenario all the same, however well the rest goes.
scenario failed_wait_in_substitution fails "FAIL: waited 1 s for a window" <<'SCENARIO'
facts=$(harness_wait 1 "a window" false)
echo "facts: $facts"
harness_pass
SCENARIO
scenario failed_check_in_substitution fails "FAIL: the first check" <<'SCENARIO'
value=$(harness_fail "the first check")
[ -z "$value" ]
harness_pass
SCENARIO
scenario failed_check_in_pipeline fails "FAIL: a line that is wrong" <<'SCENARIO'
printf 'right\nwrong\n' | while read -r line; do
  [ "$line" = right ] || harness_fail "a line that is $line"
done
harness_pass
SCENARIO
scenario failed_check_in_subshell fails "FAIL: in a subshell" <<'SCENARIO'
(cd / && harness_fail "in a subshell")
harness_pass
SCENARIO

# (iii) A scenario that ends before its last line fails: an exit 0 on the way, or none at all.
scenario exit_0_on_the_way fails "FAIL: the scenario ended before its end" <<'SCENARIO'
harness_wait 5 "the root folder" test -d /
exit 0
harness_pass
SCENARIO
scenario no_harness_pass fails "FAIL: the scenario ended before its end" <<'SCENARIO'
harness_wait 5 "the root folder" test -d /
SCENARIO

# (iv) The positive control: waits that succeed, one for a file a process in the background
# writes, a value from a command substitution, and a failing check run through harness_passes,
# which fails only that check.
scenario passes passes "PASS" <<'SCENARIO'
file=$HARNESS_WORK/event
rm -f "$file"
(echo written >"$file") &
harness_wait 10 "the file the other process writes" test -s "$file"
content=$(cat "$file")
[ "$content" = written ] || harness_fail "the file holds '$content'"
never() { harness_fail "a check that does not hold"; }
! harness_passes never || harness_fail "harness_passes took a failing check for a pass"
[ "$harness_wait_detail" = "a check that does not hold" ] ||
  harness_fail "harness_passes kept '$harness_wait_detail'"
harness_pass
SCENARIO

if [ $failures -gt 0 ]; then
  echo "FAIL: $failures case(s) of the harness's own test" >&2
  exit 1
fi
echo "PASS: the harness fails and passes scenarios as it should"
