# mirebora-setup as the Debian package carries it, run for two accounts under the real
# XScreenSaver daemon:
#  - a new account without ~/.xscreensaver: the set-up makes the file from the system's list with
#    ミレボラ added at its end, the daemon runs the hack when asked for that entry, a second run
#    changes nothing, and --remove takes the entry out, leaving the system's list;
#  - an account whose chosen saver is another hack: after the set-up the daemon still runs that
#    hack, and --remove gives back the file byte for byte.
# And a list where an older set-up put ミレボラ first: --remove moves the chosen place with it;
# settings written by hand without a list get the system's with ミレボラ, and when ミレボラ was
# the one saver chosen, --remove leaves XScreenSaver choosing at random.
#
#   linux_setup_adds_hack_for_new_account.sh PACKAGE.deb
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/linux_scenario.sh"
deb=$1
readonly defaults=/etc/X11/app-defaults/XScreenSaver
readonly entry_command="mirebora --root"
readonly chosen_command="pipes --root"
linux_start
[ -f "$deb" ] || harness_fail "no package $deb"

# The package's files, unpacked; the daemon finds the hack through PATH.
package=$linux_work/package
dpkg-deb -x "$deb" "$package" || harness_fail "cannot unpack $deb"
setup=$package/usr/bin/mirebora-setup
[ -x "$setup" ] || harness_fail "the package has no mirebora-setup"
export PATH=$package/usr/libexec/xscreensaver:$PATH

# list_entries FILE [COMMAND]: the entries of the programs: list of a settings file (or of the
# system's defaults, whose resources start with "*"), one a line, in order, blanks trimmed; with
# COMMAND, the places (from 0) of the entries that run it, without their "-", visual and name.
list_entries() {
  python3 - "$@" <<'EOF'
import re, sys
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
entries = []
for i, line in enumerate(lines):
    if re.match(r"\*?programs\s*:", line):
        value = line.split(":", 1)[1]
        while value.endswith("\\") and i + 1 < len(lines):
            i += 1
            value = value[:-1] + lines[i]
        entries = [" ".join(e.split()) for e in value.split("\\n") if e.strip()]
        break
for place, entry in enumerate(entries):
    command = re.sub(r'^-? *([A-Za-z0-9_.-]+: *)?("[^"]*" *)?', "", entry)
    if len(sys.argv) == 2:
        print(entry)
    elif command == sys.argv[2]:
        print(place)
EOF
}
place_of() { list_entries "$1" "$2"; }
selected_in() { sed -nE 's/^selected:[[:space:]]*(-?[0-9]+).*/\1/p' "$1"; }
fingerprint() { stat -c '%Y %s' "$1" && sha256sum <"$1"; }

# run_setup [OPTION]: mirebora-setup as the account in private_home_dir; its words in setup_said.
run_setup() {
  setup_said=$(HOME=$private_home_dir "$setup" "$@" 2>&1) ||
    harness_fail "mirebora-setup $* failed: $setup_said"
  echo "mirebora-setup $*: $setup_said"
}

system_entries=$(list_entries "$defaults")
system_count=$(wc -l <<<"$system_entries")
[ "$system_count" -gt 10 ] || harness_fail "no list in $defaults"

# A new account.
private_home_dir=$linux_work/new-account
mkdir -p "$private_home_dir"
settings=$private_home_dir/.xscreensaver
run_setup
[ -f "$settings" ] || harness_fail "no $settings made"
[ "$(list_entries "$settings" | head -n "$system_count")" = "$system_entries" ] ||
  harness_fail "the new list does not start with the system's"
[ "$(place_of "$settings" "$entry_command")" = "$system_count" ] ||
  harness_fail "ミレボラ is not once, last, in the list: $(place_of "$settings" "$entry_command")"
[ "$(list_entries "$settings" | wc -l)" -eq $((system_count + 1)) ] ||
  harness_fail "the new list holds more than the system's and ミレボラ"
before=$(fingerprint "$settings")
run_setup
[ "$(fingerprint "$settings")" = "$before" ] || harness_fail "a second run changed $settings"
[[ "$setup_said" == *"nothing changed"* ]] || harness_fail "a second run did not say so"

# The daemon runs it, as the list's entry number place + 1.
show_linux_desktop
run_saver_daemon
saver_command -select $((system_count + 1)) || harness_fail "xscreensaver-command -select failed"
harness_wait 30 "the daemon to start ミレボラ" daemon_forked 0 "$entry_command"
[ "$(basename "$(readlink "/proc/$forked_pid/exe")")" = mirebora ] ||
  harness_fail "pid $forked_pid is not the hack"
wait_sky "the sky on the saver's window" 0 0 1024 768
saver_command -deactivate || harness_fail "xscreensaver-command -deactivate failed"
harness_wait 20 "the hack to end" process_ended "$forked_pid"
stop_saver_daemon

run_setup --remove
[ "$(list_entries "$settings")" = "$system_entries" ] ||
  harness_fail "after --remove the list is not the system's"
before=$(fingerprint "$settings")
run_setup --remove
[ "$(fingerprint "$settings")" = "$before" ] || harness_fail "a second --remove changed $settings"

# An account whose settings choose another hack, as XScreenSaver's settings write them.
private_home_dir=$linux_work/chosen-account
mkdir -p "$private_home_dir"
settings=$private_home_dir/.xscreensaver
chosen=$(place_of "$defaults" "$chosen_command")
[ -n "$chosen" ] || harness_fail "no $chosen_command in the system's list"
{
  printf '%s\n' "# XScreenSaver Preferences File" "" "mode:		one" "selected:	$chosen" \
    "lock:		False" "fade:		False" "unfade:		False" "splash:		False" "timeout:	0:30:00"
  awk '/^\*programs:/ { inside = 1; sub(/^\*/, "") } inside { print } inside && !/\\$/ { exit }' \
    "$defaults"
  printf '%s\n' "" "pointerHysteresis:	10"
} >"$settings"
cp "$settings" "$linux_work/chosen-before"
run_setup
[ "$(place_of "$settings" "$entry_command")" = "$system_count" ] ||
  harness_fail "ミレボラ is not last in the chosen account's list"
[ "$(selected_in "$settings")" = "$chosen" ] || harness_fail "selected: changed"
run_saver_daemon
saver_command -activate || harness_fail "xscreensaver-command -activate failed"
harness_wait 30 "the daemon to start the chosen $chosen_command" daemon_forked 0 "$chosen_command"
saver_command -deactivate || harness_fail "xscreensaver-command -deactivate failed"
stop_saver_daemon
run_setup --remove
cmp "$settings" "$linux_work/chosen-before" ||
  harness_fail "--remove did not give back the file as it was: $(diff "$linux_work/chosen-before" "$settings")"

# A list where an older set-up put ミレボラ first, with the saver after it chosen.
sed -e "s/^selected:.*/selected:	$((chosen + 1))/" \
  -e 's/^programs:.*/&\n  GL: "ミレボラ" mirebora --root \\n\\/' "$linux_work/chosen-before" >"$settings"
[ "$(place_of "$settings" "$entry_command")" = 0 ] || harness_fail "the older list is not as meant"
run_setup
[[ "$setup_said" == *"nothing changed"* ]] || harness_fail "a list naming ミレボラ got it again"
run_setup --remove
cmp "$settings" "$linux_work/chosen-before" ||
  harness_fail "--remove did not move the choice with the list: $(diff "$linux_work/chosen-before" "$settings")"

printf '%s\n' "timeout:	0:05:00" "mode:		one" "selected:	3" >"$settings"
run_setup
[ "$(list_entries "$settings" | head -n "$system_count")" = "$system_entries" ] ||
  harness_fail "settings without a list did not get the system's"
[ "$(place_of "$settings" "$entry_command")" = "$system_count" ] ||
  harness_fail "settings without a list did not get ミレボラ last"
[ "$(selected_in "$settings")" = 3 ] || harness_fail "selected: changed in settings without a list"
sed -i "s/^selected:.*/selected:	$system_count/" "$settings"
run_setup --remove
[ "$(list_entries "$settings")" = "$system_entries" ] || harness_fail "ミレボラ is left in the list"
if [ "$(selected_in "$settings")" != -1 ] || ! grep -qx 'mode:[[:space:]]*random' "$settings"; then
  harness_fail "the removed chosen saver left: $(grep -E '^(mode|selected):' "$settings")"
fi
harness_pass
