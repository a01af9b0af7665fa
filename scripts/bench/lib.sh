# Shared steps of the benchmarks in scripts/bench/, sourced first by each, from the repository's
# root: the Wine/Xvfb harness (as a tool, so that a benchmark's end needs no harness_pass), the
# renderer scenarios' CPU reading from /proc/PID/stat (process_cpu_seconds, cores_between,
# cores_used_over, one reading for scenarios and benchmarks), the median of figures and the waits
# a benchmark needs between its runs.

# shellcheck source=scripts/lib/wine-harness.sh
source scripts/lib/wine-harness.sh
harness_as_tool
# shellcheck source=tests/e2e/lib/renderer_scenario.sh
source tests/e2e/lib/renderer_scenario.sh

# median: the median of the numbers on standard input, one a line (the upper one of an even
# count's middle two).
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# median_of FIGURES...: the median of the arguments.
median_of() { printf '%s\n' "$@" | median; }

# process_gone PID: the process has ended.
process_gone() { ! kill -0 "$1" 2>/dev/null; }

# wait_process_gone SECONDS PID WHAT: wait until the process WHAT has ended.
wait_process_gone() { harness_wait "$1" "$3 to end" process_gone "$2"; }

# files_gone FILES...: none of the files exists.
files_gone() {
  local file
  for file in "$@"; do [ ! -e "$file" ] || return 1; done
}

# files_there FILES...: every one of the files exists.
files_there() {
  local file
  for file in "$@"; do [ -e "$file" ] || return 1; done
}
