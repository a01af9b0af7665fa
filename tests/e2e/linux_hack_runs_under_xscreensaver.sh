# The hack under the real XScreenSaver daemon, with a private home whose .xscreensaver lists only
# the hack, under its name ミレボラ as the README has users add it, and allows desktop grabs: on xscreensaver-command -activate the daemon starts it on the
# saver's window within a few seconds, and the screen shows the sky, the meteor and, as the
# ground, the desktop the daemon saw before it blanked the screen; on -deactivate the hack ends,
# with nothing for the sanitizers to report. The daemon launches no hacks as root, so as root it
# runs as the user nobody.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/linux_scenario.sh"
linux_start

show_linux_desktop
private_home saver "mode: one" "selected: 0" "lock: False" "fade: False" "unfade: False" \
  "splash: False" "timeout: 0:30:00" "grabDesktopImages: True" "programs: GL: \"ミレボラ\" $HACK --root \\n"
daemon_log=$linux_work/daemon.log
as_saver_user=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody:nogroup "$private_home_dir"
  as_saver_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
HOME=$private_home_dir "${as_saver_user[@]}" xscreensaver -no-splash -verbose >"$daemon_log" 2>&1 &
harness_track $!
saver_command() { HOME=$private_home_dir xscreensaver-command "$@" >/dev/null 2>&1; }
harness_wait 30 "the daemon to answer" saver_command -version

saver_command -activate || harness_fail "xscreensaver-command -activate failed"
# The daemon's log names the process it forked for the hack and the window it gave it.
hack_forked() {
  local line
  line=$(grep -F "forked \"$HACK --root\" in pid" "$daemon_log" | tail -n 1)
  [[ "$line" =~ in\ pid\ ([0-9]+)\ on\ window\ (0x[0-9a-f]+) ]] || return 1
  hack_pid=${BASH_REMATCH[1]} saver_window=${BASH_REMATCH[2]}
}
harness_wait 20 "the daemon to start the hack" hack_forked
echo "hack: pid $hack_pid on window $saver_window"
[ "$(readlink "/proc/$hack_pid/exe")" = "$HACK" ] || harness_fail "pid $hack_pid is not the hack"
tr '\0' '\n' <"/proc/$hack_pid/environ" | grep -qx "XSCREENSAVER_WINDOW=$saver_window" ||
  harness_fail "the hack was not given the saver's window $saver_window"
# In its first seconds the scene shows the ground's middle at the middle of the screen.
wait_scene "the sky, the meteor and the desktop on the saver's window" 0 0 1024 768 \
  expect_colour 512 384 "$LINUX_DESKTOP_COLOUR" 40

saver_command -deactivate || harness_fail "xscreensaver-command -deactivate failed"
# Ended: gone, or a zombie that nobody has collected yet.
hack_gone() { [ ! -e "/proc/$hack_pid" ] || grep -q '^State:.*Z' "/proc/$hack_pid/status"; }
harness_wait 20 "the hack to end" hack_gone
expect_no_sanitizer_report
harness_pass
