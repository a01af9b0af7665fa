# Upgrading with the installer's pages, on a Japanese system. For a user whose screen saver an
# older version made ミレボラ in place of another one, the box on the first page starts ticked, and
# the screen saver the user had before the older version is still remembered: uninstalling the
# new version puts it back. For a user who has chosen another screen saver since the older
# version, the box starts unticked, and neither the upgrade nor the uninstall touches that choice.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/release_scenario.sh"
harness_start ja_JP.UTF-8
release_remove_leftovers

older=$HARNESS_WORK/older.msi
"$MIREBORA_BUILD/packaging/make-release" --version 0.0.1 --installer-only "$older" ||
  harness_fail "cannot make the older installer"
title="$PRODUCT_NAME セットアップ"
use_as_saver="Button|${PRODUCT_NAME}をスクリーンセーバーとして使う(&U)"

# upgrade_with_pages TICKED SAYS: the upgrade's first page has the box as TICKED says (" [x]"
# or nothing), and its last page SAYS what became of the screen saver.
upgrade_with_pages() {
  msiexec_with_pages /i "$RELEASE_INSTALLER"
  expect_page welcome "installer-upgrade-welcome-japanese$1.png" "$title" "$use_as_saver$1" \
    "Button|インストール(&I)"
  press_on_page "$title" "インストール(&I)"
  expect_page finish "installer-upgrade-finish-japanese$1.png" "$title" \
    "Static|${PRODUCT_NAME}のインストールが終わりました" "Static|$2"
  press_on_page "$title" "完了(&F)"
  msiexec_ended
  [ "$msiexec_status" -eq 0 ] || harness_fail "the upgrade ended with $msiexec_status"
  expect_one_entry "$MIREBORA_VERSION"
}

own_saver='C:\windows\system32\前の.scr'
wine reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d "$own_saver" /f >/dev/null 2>&1
wine reg add "$DESKTOP_KEY" /v ScreenSaveActive /d 1 /f >/dev/null 2>&1
msiexec_silently /i "$older" SETASCURRENT=1
expect_desktop_value SCRNSAVE.EXE "$INSTALLED_HOST_WIN"
upgrade_with_pages " [x]" \
  "${PRODUCT_NAME}をあなたのスクリーンセーバーにしました。スクリーンセーバーの設定の待ち時間のあいだ操作がないと始まります。${PRODUCT_NAME}を削除すると、前のスクリーンセーバーに戻ります。"
expect_desktop_value SCRNSAVE.EXE "$INSTALLED_HOST_WIN"
msiexec_silently /x "$RELEASE_INSTALLER"
expect_desktop_value SCRNSAVE.EXE "$own_saver"
expect_desktop_value ScreenSaveActive 1

msiexec_silently /i "$older" SETASCURRENT=1
chosen_since='C:\windows\system32\選んだ.scr'
wine reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d "$chosen_since" /f >/dev/null 2>&1
upgrade_with_pages "" \
  "スクリーンセーバーは変えていません。スクリーンセーバーの設定で${PRODUCT_NAME}を選べます。"
expect_desktop_value SCRNSAVE.EXE "$chosen_since"
msiexec_silently /x "$RELEASE_INSTALLER"
expect_desktop_value SCRNSAVE.EXE "$chosen_since"
harness_pass
