# "/p HWND" puts the preview into the given window: a borderless child at (0, 0) with the window's
# size, showing the still picture at its own size in the top-left corner, black beyond it. When
# the window is closed the host's process ends promptly.
source "$(dirname "$0")/../../scripts/lib/wine-harness.sh"
source "$(dirname "$0")/lib/host_scenario.sh"
harness_start ja_JP.UTF-8
install_host

# expect_preview ARGS W H: starts the host with ARGS inside a fresh W x H window at (100, 100).
expect_preview() {
  local args=$1 width=$2 height=$3
  open_probe_window "Preview Parent" "$width" "$height" 100 100
  start_host "${args//HWND/$probe_window_hwnd}" trace+bitblt
  wait_preview
  echo "$args in $width x $height: $preview_children"
  [ "$(echo "$preview_children" | wc -l)" -eq 1 ] ||
    harness_fail "not one child: $preview_children"
  case "$preview_children" in
    "title=Preview Window x=0 y=0 w=$width h=$height visible=1 "*) ;;
    *) harness_fail "unexpected preview window: $preview_children" ;;
  esac
  # Wine draws no pixels of a child window whose parent belongs to another process (its device
  # context has no drawable), so the picture is checked in the drawing calls: the whole window
  # cleared black, then the still picture copied at its own size to the top-left corner.
  harness_wait_lines 30 "$host_log" "NtGdiPatBlt dst .* log=0,0 ${width}x$height .*rop=f00021" 1
  harness_wait_lines 30 "$host_log" \
    "NtGdiStretchBlt src .* log=0,0 152x112 .* dst .* log=0,0 152x112 .*rop=cc0020" 1

  harness_probe post "Preview Parent" close 0 0 >/dev/null || harness_fail "cannot close"
  harness_wait_gone "Preview Parent"
  expect_exit_within $HOST_PROMPT_END_MS
}

expect_preview "/p HWND" 152 112
expect_preview "/P:HWND" 200 150
harness_pass
