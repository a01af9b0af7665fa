# The installer with its pages, double-clicked on a Japanese system by a user who had another
# screen saver, switched off. The pages speak Japanese: a welcome with the box to use the saver
# as the screen saver, ticked; the progress; a last page that says where the saver went and
# that it is now the screen saver, and opens the screen-saver settings when asked. The running
# session has the screen saver on from then. Uninstalling puts the user's own screen saver back,
# switched off as it was. Each page is photographed into the work folder.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/release_scenario.sh"
harness_start ja_JP.UTF-8
release_remove_leftovers

other_saver='C:\windows\system32\他の.scr'
wine reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d "$other_saver" /f >/dev/null 2>&1
wine reg add "$DESKTOP_KEY" /v ScreenSaveActive /d 0 /f >/dev/null 2>&1
install_probe set-saver-active 0 || harness_fail "cannot switch the session's screen saver off"

title="$PRODUCT_NAME セットアップ"
msiexec_with_pages /i "$RELEASE_INSTALLER"
expect_page welcome installer-welcome-japanese.png "$title" \
  "Static|$PRODUCT_NAME $MIREBORA_VERSION へようこそ" \
  "Button|${PRODUCT_NAME}をスクリーンセーバーとして使う(&U) [x]" \
  "Button|インストール(&I)" "Button|キャンセル"
press_on_page "$title" "インストール(&I)"

# The progress page may come and go between two looks: the last page says whether it did.
finish_or_progress() {
  if [ -z "${progress_seen:-}" ] && page_shows "$title" "Static|${PRODUCT_NAME}をインストールしています"; then
    harness_screenshot "$HARNESS_WORK/installer-progress-japanese.png"
    progress_seen=1
    echo "progress page: $HARNESS_WORK/installer-progress-japanese.png"
  fi
  page_shows "$title" "Static|${PRODUCT_NAME}のインストールが終わりました"
}
harness_wait 120 "the last page" finish_or_progress
expect_page finish installer-finish-japanese.png "$title" \
  "Static|インストール先:" "Static|$INSTALL_DIR_WIN\\" \
  "Static|${PRODUCT_NAME}をあなたのスクリーンセーバーにしました。スクリーンセーバーの設定の待ち時間のあいだ操作がないと始まります。${PRODUCT_NAME}を削除すると、前のスクリーンセーバーに戻ります。" \
  "Button|スクリーンセーバーの設定を開く(&O)" "Button|完了(&F)"
expect_not_on_page "Static|スクリーンセーバーは変えていません。スクリーンセーバーの設定で${PRODUCT_NAME}を選べます。"
press_on_page "$title" "スクリーンセーバーの設定を開く(&O)"
harness_wait 30 "the box to be ticked" page_shows "$title" \
  "Button|スクリーンセーバーの設定を開く(&O) [x]"
press_on_page "$title" "完了(&F)"
msiexec_ended
[ "$msiexec_status" -eq 0 ] || harness_fail "msiexec ended with $msiexec_status"

# The screen-saver settings: the control panel, started on its screen-saver page (Wine has no
# such page: the trace of what msiexec started is the witness).
harness_wait_lines 30 "$msiexec_trace" 'control\.exe.*desk\.cpl,,@screensaver' 1

expect_installed_files
expect_desktop_value SCRNSAVE.EXE "$INSTALLED_HOST_WIN"
expect_desktop_value ScreenSaveActive 1
[ "$(install_probe saver-active)" = 1 ] || harness_fail "the session's screen saver is still off"

msiexec_silently /x "$RELEASE_INSTALLER"
expect_gone "$INSTALL_DIR"
expect_desktop_value SCRNSAVE.EXE "$other_saver"
expect_desktop_value ScreenSaveActive 0
[ "$(install_probe saver-active)" = 0 ] || harness_fail "the session's screen saver is still on"
harness_pass
