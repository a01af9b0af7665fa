# A new version reaches everything the release ships. In a copy of the sources, built and
# packaged at the project's version, the version goes up by one and scripts/package builds
# again, incrementally: both programs, in dist/, in the new installer and in the new zip, carry
# the new version. Installed over the older package, the new one replaces both programs. And
# make-release refuses programs of another version than the release's.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/release_scenario.sh"

newer_version=$(awk -F. '{ printf "%d.%d.%d", $1, $2, $3 + 1 }' <<<"$MIREBORA_VERSION")
copy=$HARNESS_WORK/sources
rm -rf "$copy"
mkdir -p "$copy"
# The sources as they are now, committed or not, without any build.
git -C "$MIREBORA_ROOT" ls-files -z --cached --others --exclude-standard |
  tar -C "$MIREBORA_ROOT" --null -T - --ignore-failed-read -cf - 2>/dev/null |
  tar -C "$copy" -xf - || harness_fail "cannot copy the sources"
export SOURCE_DATE_EPOCH=1700000000

# package_copy LOG: scripts/package in the copy, its output in LOG.
package_copy() {
  (cd "$copy" && scripts/package) >"$HARNESS_WORK/$1" 2>&1 || {
    tail -n 30 "$HARNESS_WORK/$1"
    harness_fail "scripts/package failed in the copy ($1)"
  }
}

package_copy first.log
older=$HARNESS_WORK/older.msi
cp "$copy/build/release/Mirebora-$MIREBORA_VERSION-x64.msi" "$older"

sed -i "s/^project(Mirebora VERSION $MIREBORA_VERSION /project(Mirebora VERSION $newer_version /" \
  "$copy/CMakeLists.txt"
grep -q "VERSION $newer_version " "$copy/CMakeLists.txt" || harness_fail "the version is not set"
package_copy second.log
for program in host renderer; do
  grep -q "Building RC object $program/.*$program.rc" "$HARNESS_WORK/second.log" ||
    harness_fail "the version resource of $program was not compiled again"
done

harness_start C.UTF-8
release_remove_leftovers

# file_resources PATH: what the host probe reads of the resources of the program at PATH.
file_resources() {
  harness_run_windows "$MIREBORA_BUILD/tests/host-probe.exe" resources "$(winepath -w "$1")"
}

# expect_versions FOLDER VERSION WHAT: both programs in FOLDER have the file version VERSION.0.
expect_versions() {
  local program version
  for program in "$PRODUCT_NAME.scr" "$PRODUCT_NAME.dll"; do
    version=$(file_resources "$1/$program" | sed -n 's/^version=//p')
    echo "$3: $program $version"
    [ "$version" = "$2.0" ] || harness_fail "$3: $program is version '$version', not $2.0"
  done
}

expect_versions "$copy/build/windows/dist" "$newer_version" dist/
unzipped=$HARNESS_WORK/unzipped
rm -rf "$unzipped"
python3 -m zipfile -e "$copy/build/release/Mirebora-$newer_version-x64-portable.zip" "$unzipped"
expect_versions "$unzipped/$PRODUCT_NAME" "$newer_version" "the zip"

msiexec_silently /i "$older"
expect_versions "$INSTALL_DIR" "$MIREBORA_VERSION" "the older package"
msiexec_silently /i "$copy/build/release/Mirebora-$newer_version-x64.msi"
expect_one_entry "$newer_version"
expect_versions "$INSTALL_DIR" "$newer_version" "upgraded"
diff -r "$copy/build/windows/dist" "$INSTALL_DIR" >/dev/null ||
  harness_fail "the installed files differ from dist/"
msiexec_silently /x "$copy/build/release/Mirebora-$newer_version-x64.msi"

# Programs of another version than the release's are refused (the newer ones as the older).
"$copy/build/windows/packaging/make-release" --version "$MIREBORA_VERSION" \
  --out "$HARNESS_WORK/refused" >"$HARNESS_WORK/refused.log" 2>&1 &&
  harness_fail "make-release packed programs of $newer_version as $MIREBORA_VERSION"
cat "$HARNESS_WORK/refused.log"
grep -q "is version $newer_version.0, not $MIREBORA_VERSION.0" "$HARNESS_WORK/refused.log" ||
  harness_fail "make-release did not say why it refused"
[ -z "$(find "$HARNESS_WORK/refused" -name 'Mirebora-*' 2>/dev/null)" ] ||
  harness_fail "a refused release was written"
rm -rf "$copy"
harness_pass
