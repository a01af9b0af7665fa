# With no vsync on offer (Xvfb, llvmpipe), the renderer keeps the scene at 60 steps a second and
# draws at most about 60 frames a second, as its pace lines and Wine's timestamps on them show.
# Drawing in software, it says so and keeps within its CPU budget. It waits between frames
# instead of spinning, and minimised it waits for messages alone.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
harness_start C.UTF-8

readonly SC_MINIMIZE=0xF020
readonly PACE_SECONDS=10
# Each frame fills the screen with textured sky and ground, which costs llvmpipe 17 to 20 ms of
# CPU here: 60 frames a second took 1.0 to 1.2 cores, the loop that drew flat out 1.6 to 1.8.
# The budget holds the renderer to half a core: 0.50 here in scripts/bench/renderer-pace, 0.40
# with stress-ng on one core. 0.6 leaves room for a budget measured over a second while the
# scene's cost changes within it. A waiting loop that spun instead would add a whole core on top, and drawing faster
# than 60 frames a second shows in the frame count.
readonly MAX_RUNNING_CORES=0.6
# On a busy machine a spinning loop hides in the CPU that drawing takes anyway, but not in how
# often the main thread waits: about 6 times a frame when it waits for the next frame, about 50
# when it polled for messages in between (measured here at load 2.5 on two cores).
readonly MAX_WAITS_PER_FRAME=25
# Minimised, nothing but a message should wake it: 5 s may cost a few timer ticks of Wine's.
readonly MINIMISED_SECONDS=5
readonly MAX_MINIMISED_CORES=0.03

write_sample_captures
start_renderer +timestamp,warn+debugstr
expect_renderer_window
readonly BUDGET_LINE='mirebora: drawing in software (llvmpipe.*): frames within 0.5 cores'
harness_wait_lines 60 "$renderer_log" "$BUDGET_LINE" 1
# The first line comes a second after the first frame, past the start-up.
harness_wait_lines 60 "$renderer_log" "$PACE_LINE" 1
cpu_start=$(process_cpu_seconds "$renderer_pid")
wall_start=$(date +%s.%N)
waits_start=$(process_waits "$renderer_pid")
read -r _ _ frames_start _ < <(pace_counts | tail -n 1)
# A machine busy with other work may stall the renderer for longer than its catch-up limit; the
# pace is judged over seconds in which it skipped no step.
harness_wait 120 "$PACE_SECONDS s of pace without a stall" paced_without_stall $PACE_SECONDS
running=$(cores_between "$cpu_start" "$(process_cpu_seconds "$renderer_pid")" "$wall_start" \
  "$(date +%s.%N)")
waits=$(($(process_waits "$renderer_pid") - waits_start))
read -r _ _ frames_end _ < <(pace_counts | tail -n 1)
waits_per_frame=$((waits / (frames_end - frames_start)))
read -r steps frames <<<"$pace_rates"
echo "running: $steps steps/s, $frames frames/s, $running cores, $waits_per_frame waits a frame"
awk -v s="$steps" 'BEGIN { exit !(s >= 59 && s <= 61) }' || harness_fail "$steps steps a second"
awk -v f="$frames" 'BEGIN { exit !(f > 0 && f <= 61) }' || harness_fail "$frames frames a second"
awk -v c="$running" -v m="$MAX_RUNNING_CORES" 'BEGIN { exit !(c < m) }' ||
  harness_fail "$running cores while running"
[ "$waits_per_frame" -le $MAX_WAITS_PER_FRAME ] ||
  harness_fail "the renderer's main thread waited $waits_per_frame times a frame"

harness_probe post Valdorique_VC syscommand $SC_MINIMIZE 0 || harness_fail "cannot post"
harness_wait 20 "the renderer's window minimised" renderer_minimised
paces_minimised=$(count_in_log "$PACE_LINE")
# How little it does over this time is what is tested.
minimised=$(cores_used_over "$renderer_pid" $MINIMISED_SECONDS)
echo "minimised: $minimised cores"
kill -0 "$renderer_pid" 2>/dev/null || harness_fail "the renderer ended"
awk -v c="$minimised" -v m="$MAX_MINIMISED_CORES" 'BEGIN { exit !(c <= m) }' ||
  harness_fail "$minimised cores while minimised"
[ "$(count_in_log "$PACE_LINE")" -eq "$paces_minimised" ] ||
  harness_fail "frames were drawn while minimised"

harness_probe post Valdorique_VC close 0 0
wait_renderer_exit 10
harness_pass
