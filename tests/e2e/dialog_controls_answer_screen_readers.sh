# What a screen reader learns of every control of the dialog, asked inside the host's process as
# the system's accessibility layer asks (WM_GETOBJECT, OBJID_CLIENT, ObjectFromLresult): the
# choices are radio buttons named by their labels, the chosen one checked; the repeat box and its
# edit field are named by their label; the file's path is the value of a field named by its
# choice; the link is a link; the Command buttons are push buttons named by their captions. The
# objects' default actions work as clicks do: "check" chooses, ｷｬﾝｾﾙ's "press" closes without
# saving, 設定's "press" saves. From another process the answer shows as a positive LRESULT.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/renderer_scenario.sh"
source "$(dirname "$0")/lib/settings_scenario.sh"
source "$(dirname "$0")/lib/dialog_scenario.sh"
harness_start ja_JP.UTF-8
MUSIC_FILE='C:\音楽\星の歌.mp3'

# accessible ID [do-default]: what control ID (0: the focused one) tells, in $told.
accessible() {
  told=$(harness_probe accessible "$DIALOG_TITLE" "$@") || harness_fail "no answer from control $1"
}

# expect_told ID LINES...: control ID tells each of LINES ("role=radiobutton", ...).
expect_told() {
  local id=$1 line
  shift
  accessible "$id"
  for line in "$@"; do
    grep -qxF -- "$line" <<<"$told" || harness_fail "control $id does not tell '$line':
$told"
  done
}

dialog_fresh_folder
mkdir -p "$MIREBORA_DRIVE_C/音楽" && : >"$MIREBORA_DRIVE_C/音楽/星の歌.mp3"
dialog_write_ini 1 5 "$MUSIC_FILE"
cp "$DIALOG_INI" "$HARNESS_WORK/before.ini"
dialog_start /c
expect_dialog
expect_focus "${CHOICE_LABEL_ID[1]}"

# The first focus: the chosen choice.
expect_told 0 role=radiobutton name=音楽CD state=focusable,focused,checked action=check
expect_told "${CHOICE_LABEL_ID[0]}" role=radiobutton name=なし state=focusable action=check
expect_told "${CHOICE_LABEL_ID[2]}" role=radiobutton name=MP3、WAV state=focusable
expect_told "${CHOICE_IMAGE_ID[2]}" role=graphic name=MP3、WAV
expect_told "$REPEAT_ID" role=combobox name=曲目をﾘﾋﾟｰﾄ value=5 state=focusable,collapsed
expect_told "$FILE_NAME_ID" role=text name=MP3、WAV "value=$MUSIC_FILE" state=readonly
expect_told "$LINK_ID" role=link state=focusable,linked action=jump
grep -qx 'name=.*ミレボラ.*\.html' <<<"$told" || harness_fail "the link is not named by the guide: $told"
expect_told "$SET_ID" role=pushbutton name=設定 state=focusable action=press
expect_told "$CANCEL_ID" role=pushbutton name=ｷｬﾝｾﾙ state=focusable action=press
# The file button works only for files.
expect_told "$FILE_BUTTON_ID" role=pushbutton name=... state=focusable,unavailable action=press

# Inside the repeat box the focus is on its edit field, which the label names too.
key_to_focus Tab "$REPEAT_ID"
expect_told 0 role=text name=曲目をﾘﾋﾟｰﾄ value=5 state=focusable,focused
expect_told "$REPEAT_ID" role=combobox state=focusable,focused,collapsed

# "check" chooses as a click does.
accessible "${CHOICE_LABEL_ID[2]}" do-default
grep -qx done=1 <<<"$told" || harness_fail "the file choice's default action failed: $told"
expect_choice 2 0 1
expect_told "${CHOICE_LABEL_ID[2]}" role=radiobutton state=focusable,checked
expect_told "${CHOICE_LABEL_ID[1]}" role=radiobutton state=focusable
# The repeat box, now disabled, handed its focus on to the file button.
expect_told "$FILE_BUTTON_ID" role=pushbutton state=focusable,focused

# ｷｬﾝｾﾙ's "press" closes without saving.
accessible "$CANCEL_ID" do-default
grep -qx done=1 <<<"$told" || harness_fail "ｷｬﾝｾﾙ's default action failed: $told"
wait_host_exit
cmp -s "$DIALOG_INI" "$HARNESS_WORK/before.ini" || harness_fail "ｷｬﾝｾﾙ changed the settings file"

# 設定's "press" saves what was chosen through the objects.
dialog_start /c
expect_dialog
for id in $FILE_BUTTON_ID $SET_ID $CANCEL_ID "${CHOICE_LABEL_ID[0]}" $REPEAT_ID; do
  [ "$(dialog_probe object "$DIALOG_TITLE" "$id")" = object=1 ] ||
    harness_fail "control $id gives a screen reader in another process no object"
done
accessible "${CHOICE_LABEL_ID[0]}" do-default
expect_choice 0 0 0
accessible "$SET_ID" do-default
grep -qx done=1 <<<"$told" || harness_fail "設定's default action failed: $told"
wait_host_exit
dialog_ini_text | sed 's/= /=/' | grep -qx "$SETTINGS_KIND_KEY=0" ||
  harness_fail "設定 did not save なし: $(dialog_ini_text)"
harness_pass
