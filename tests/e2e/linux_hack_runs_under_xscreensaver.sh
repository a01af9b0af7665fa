# The hack under the real XScreenSaver daemon, with a private home whose .xscreensaver lists only
# the hack, under its name ミレボラ as the README has users add it, and allows desktop grabs: on
# xscreensaver-command -activate the daemon starts it on the saver's window within a few seconds,
# and the screen shows the sky, the meteor and, as the ground, the desktop the daemon saw before it
# blanked the screen; on -deactivate the hack ends, with nothing for the sanitizers to report. The
# daemon launches no hacks as root, so as root it runs as the user nobody.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/linux_scenario.sh"
linux_start

show_linux_desktop
start_saver_daemon "$HACK --root"
saver_command -activate || harness_fail "xscreensaver-command -activate failed"
harness_wait 20 "the daemon to start the hack" daemon_forked 0 "$HACK --root"
hack_pid=$forked_pid saver_window=$forked_window
echo "hack: pid $hack_pid on window $saver_window"
[ "$(readlink "/proc/$hack_pid/exe")" = "$HACK" ] || harness_fail "pid $hack_pid is not the hack"
tr '\0' '\n' <"/proc/$hack_pid/environ" | grep -qx "XSCREENSAVER_WINDOW=$saver_window" ||
  harness_fail "the hack was not given the saver's window $saver_window"
# In its first seconds the scene shows the ground's middle at the middle of the screen.
wait_scene "the sky, the meteor and the desktop on the saver's window" 0 0 1024 768 \
  expect_colour 512 384 "$LINUX_DESKTOP_COLOUR" 40

saver_command -deactivate || harness_fail "xscreensaver-command -deactivate failed"
harness_wait 20 "the hack to end" process_ended "$hack_pid"
expect_no_sanitizer_report
harness_pass
