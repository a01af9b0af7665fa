# One scene, two programs: the Linux hack, run with its window, its desktop grab, its pictures and
# its frame loop on a virtual clock (mirebora-frames), takes the same steps as the core's
# scene-trace, to the last bit of every float, through 10,000 frames (seven camera cycles,
# explosions included), and ends without a leak or any other sanitizer report.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/linux_scenario.sh"
linux_start

readonly steps=1,1000,1001,1400,1401,2800,5000,10000
private_home grabbing "grabDesktopImages: True"
HOME=$private_home_dir "$HACK_FRAMES" "$steps" -window -geometry 96x72 \
  >"$linux_work/hack.trace" 2>"$linux_work/hack.log" ||
  harness_fail "mirebora-frames failed: $(cat "$linux_work/hack.log")"
cat "$linux_work/hack.log"
grep -q '^mirebora-frames: steps 10000 frames 10000$' "$linux_work/hack.log" ||
  harness_fail "not 10,000 frames of one step each"

"$SCENE_TRACE" ${steps//,/ } >"$linux_work/core.trace" || harness_fail "scene-trace failed"
cmp "$linux_work/hack.trace" "$linux_work/core.trace" ||
  harness_fail "the hack's state differs from scene-trace's: $(diff "$linux_work/hack.trace" \
    "$linux_work/core.trace" | head -n 5)"
echo "$(grep -c '^frame ' "$linux_work/hack.trace") states compared, $(wc -l <"$linux_work/hack.trace") lines"
expect_no_sanitizer_report
harness_pass
