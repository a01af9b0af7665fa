# The Debian package of the Linux hack: dpkg installs it with the dependencies it declares, puts
# the program and its XScreenSaver settings file where Debian's XScreenSaver looks for them, and
# the installed program runs; dpkg -r then leaves none of its files behind.
#
#   linux_package_installs_and_removes.sh PACKAGE.deb VERSION
#
# It needs root, and leaves alone a machine where the package is already installed (exit 77:
# skipped).
set -euo pipefail
deb=$1 version=$2
readonly program=/usr/libexec/xscreensaver/mirebora
readonly settings=/usr/share/xscreensaver/config/mirebora.xml

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
installed() { dpkg-query -W -f='${Status}' mirebora 2>/dev/null | grep -q 'install ok installed'; }

[ "$(id -u)" = 0 ] || { echo "SKIP: installing a package needs root"; exit 77; }
installed && { echo "SKIP: mirebora is installed on this machine already"; exit 77; }
[ -f "$deb" ] || fail "no package $deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = mirebora ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), expected $version"
[ "$(field Architecture)" = amd64 ] || fail "architecture $(field Architecture)"
depends=$(field Depends)
echo "Depends: $depends"
echo "Recommends: $(field Recommends)"
# The package names the dependencies list, alternatives included, without their versions.
depends_on=$(echo "$depends" | tr ',|' '\n\n' | awk '{print $1}')
for library in libc6 libstdc++6 libgl1 libglu1-mesa libx11-6 libxrandr2 libxinerama1; do
  grep -Fqx "$library" <<<"$depends_on" || fail "no dependency on $library"
done
field Recommends | grep -q xscreensaver-data || fail "xscreensaver-data is not recommended"

# From here on the package is removed again however the scenario ends.
trap 'installed && dpkg -r mirebora >/dev/null 2>&1' EXIT
dpkg -i "$deb" >/dev/null || fail "dpkg -i failed"
installed || fail "not installed after dpkg -i"
[ -x "$program" ] || fail "no program $program"
[ -f "$settings" ] || fail "no settings file $settings"
python3 -c 'import sys, xml.etree.ElementTree as x; r = x.parse(sys.argv[1]).getroot();
assert r.tag == "screensaver" and r.get("name") == "mirebora" and r.get("_label") == "ミレボラ"' \
  "$settings" || fail "the settings file does not name the hack mirebora, ミレボラ"
! ldd "$program" | grep -q 'not found' || fail "the program lacks libraries: $(ldd "$program")"
"$program" -help | grep -q '^usage: mirebora' || fail "the installed program does not run"
mirebora-setup --help | grep -q '^usage: mirebora-setup' || fail "no mirebora-setup on the PATH"
for page in mirebora.6 mirebora-setup.1; do
  man -w "${page%.*}" | grep -q "$page.gz$" || fail "no manual page $page"
done

mapfile -t files < <(dpkg -L mirebora)
echo "installed: ${#files[@]} paths"
dpkg -r mirebora >/dev/null || fail "dpkg -r failed"
! installed || fail "still installed after dpkg -r"
left=()
for path in "${files[@]}"; do
  # Folders shared with other packages (/usr, /usr/libexec/xscreensaver ...) stay; files go.
  if [ -e "$path" ] && [ ! -d "$path" ]; then
    left+=("$path")
  fi
done
[ -d /usr/share/doc/mirebora ] && left+=(/usr/share/doc/mirebora)
[ ${#left[@]} -eq 0 ] || fail "left behind: ${left[*]}"
echo "PASS"
