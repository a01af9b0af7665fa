# The dialog's Command buttons answer a screen reader's WM_GETOBJECT (OBJID_CLIENT) with their
# accessible objects: from another process the answer shows as a positive LRESULT (what the objects
# tell is command_accessible_object's).
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
dialog_fresh_folder
dialog_start /c
expect_dialog
for id in $FILE_BUTTON_ID $SET_ID $CANCEL_ID; do
  [ "$(dialog_probe object "$DIALOG_TITLE" "$id")" = object=1 ] ||
    harness_fail "button $id gives a screen reader no object"
done
harness_probe post "$DIALOG_TITLE" close 0 0
wait_host_exit
harness_pass
