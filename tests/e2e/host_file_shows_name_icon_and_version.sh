# What Windows shows of ミレボラ.scr in its screen-saver list and the file's properties: the name
# "ミレボラ" (string 1), a 32 x 32 icon, the project's version, and a manifest (which declares
# the program per-monitor DPI aware, so that its copy of the desktop is whole on a scaled
# display).
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8
install_host

facts=$(host_probe resources "C:\\Program Files\\$HOST_FOLDER_NAME\\ミレボラ.scr") ||
  harness_fail "cannot read the resources"
echo "$facts"
expected_facts='name=ミレボラ\nicon=32x32\nversion=%s.0\nmanifest=1 per-monitor-dpi-aware=1'
[ "$facts" = "$(printf "$expected_facts" "$MIREBORA_VERSION")" ] ||
  harness_fail "unexpected resources"
harness_pass
