# shellcheck disable=SC2034  # the variables set here are read by the scripts that source this file
# The Command button's looks by colour, for the scenarios of the button and of the dialog that
# holds three of them. Sourced after tests/e2e/lib/renderer_scenario.sh (for expect_colour).

# The colours of the state images' top rows: light beige outside, then the frame line, then the
# inner ring next to it.
BEIGE_TOP="224 220 201"
FACE="236 233 216"
NAVY="0 60 116"
DISABLE_LINE="201 199 186"
NORMAL_RING="243 243 238"
HIGHLIGHT_RING="255 240 207"
SELECTED_RING="206 231 255"
DISABLE_RING="245 244 234"

# The body's two colours, light and shade, each channel read in red, green, blue order.
LIGHT=(255 255 255)
SHADE=(198 197 215)

# body_colour ROW HEIGHT INVERTED: the gradient's colour at ROW of a control HEIGHT pixels high,
# from vertex 0 at row 0 to vertex 1 at row HEIGHT - 1 (light over shade unless INVERTED is 1).
body_colour() {
  local row=$1 last=$(($2 - 1)) top=("${LIGHT[@]}") bottom=("${SHADE[@]}") i out=()
  if [ "$3" = 1 ]; then top=("${SHADE[@]}"); bottom=("${LIGHT[@]}"); fi
  for i in 0 1 2; do
    out+=($((top[i] + (bottom[i] - top[i]) * row / last)))
  done
  echo "${out[*]}"
}

# expect_look PNG LEFT TOP WIDTH HEIGHT LINE RING INVERTED: the frame line one pixel in from the
# top, the inner ring below it, and the body near its top and bottom, a little left of the
# caption, show these colours.
expect_look() {
  local png=$1 y=$3 height=$5 column=$(($2 + 30)) body=$(($2 + 6))
  expect_colour "$png" "$column" $((y + 1)) "$6" 4
  expect_colour "$png" "$column" $((y + 2)) "$7" 4
  expect_colour "$png" "$body" $((y + 5)) "$(body_colour 5 "$height" "$8")" 3
  expect_colour "$png" "$body" $((y + height - 5)) "$(body_colour $((height - 5)) "$height" "$8")" 3
}

# wait_look NAME PNG LEFT TOP WIDTH HEIGHT LINE RING INVERTED: waits until a screenshot shows the
# button with the look (see expect_look); NAME says which look, for the message.
wait_look() {
  local name=$1 png=$2
  shift 2
  harness_wait_picture 30 "the $name look" "$png" expect_look "$@"
}
