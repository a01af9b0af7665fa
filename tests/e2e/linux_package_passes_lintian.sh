# The Debian package passes lintian, Debian's own package checks, without errors; the warnings
# and notes it gives are printed. The changelog it carries is for the version it is.
#
#   linux_package_passes_lintian.sh PACKAGE.deb VERSION
set -euo pipefail
deb=$1 version=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ -f "$deb" ] || fail "no package $deb"

# Root is no problem for checks that only read the package; lintian asks to be told.
# Status 2 is its finding errors, which the report shows; 1 is its failing to check.
status=0
report=$(lintian --allow-root --info --display-info --tag-display-limit 0 "$deb" 2>&1) ||
  status=$?
[ $status != 1 ] || fail "lintian could not check the package: $report"
echo "$report"
errors=$(echo "$report" | grep '^E: ' || true)
[ -z "$errors" ] || fail "lintian errors: $errors"

changelog=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/mirebora/changelog.gz | zcat)
[[ "$changelog" =~ ^mirebora\ \(([^\)]*)\) ]] || fail "the changelog names no version"
[ "${BASH_REMATCH[1]}" = "$version" ] ||
  fail "the changelog is for ${BASH_REMATCH[1]}, the package is $version"
echo "PASS"
