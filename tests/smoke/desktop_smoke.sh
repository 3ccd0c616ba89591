#!/usr/bin/env bash
# Real-window smoke test of the program's life on a desktop: "quibbleton /s" on a screen
# whose size xrandr changes, with openbox or with no window manager.
# - The windows carry the class "quibbleton" and UTF-8 titles.
# - The phrase dialog is a modal dialog of the main screen (WM_TRANSIENT_FOR and
#   _NET_WM_STATE_MODAL), and a press on the main screen leaves it above and focused, so
#   that Alt+F4 closes it.
# - A drag of the dialog's title by absolute pointer moves follows the pointer at every step.
# - An xrandr change of the screen's size rescales the main screen: smaller, its picture
#   equals that of a run started at the new size; larger, it covers the screen.
# Usage: desktop_smoke.sh PATH/TO/quibbleton openbox|none [KEEP_DIR]
set -euo pipefail

program=${1:?usage: desktop_smoke.sh PATH/TO/quibbleton openbox|none [KEEP_DIR]}
manager=${2:?usage: desktop_smoke.sh PATH/TO/quibbleton openbox|none [KEEP_DIR]}
keep=${3:-}
work=${keep:-$(mktemp -d)}
mkdir -p "$work/home" "$work/run"
width=1920
height=1080
last_width=1600
last_height=1200

smoke_name="desktop_smoke ($manager)"
# shellcheck source=smoke_lib.sh
source "$(dirname "$0")/smoke_lib.sh"

program_windows() { DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' 2>/dev/null | wc -l; }
main_screen_shown() { [ "$(program_windows)" -eq 1 ]; }
dialog_shown() { [ "$(program_windows)" -eq 2 ]; }
first_window() { DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' | head -n 1; }
other_window() { DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' | grep -vx "$1" | head -n 1; }
hex() { printf '0x%x' "$1"; }

geometry_of() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}
window_at() { local left top; read -r left top _ _ <<<"$(geometry_of "$1")"; [ "$left $top" = "$2 $3" ]; }
window_sized() { local wide high; read -r _ _ wide high <<<"$(geometry_of "$1")"; [ "$wide $high" = "$2 $3" ]; }

# The window on top of the program's two, by the window manager's list or, without one, by
# the server's stacking of the root's children (bottom to top).
top_window() {
  if [ "$manager" = openbox ]; then
    root_property _NET_CLIENT_LIST_STACKING | tr -d ' ' | tr ',' '\n' | grep -x -e "$(hex "$main")" -e "$(hex "$1")" | tail -n 1
  else
    DISPLAY=":$display" xwininfo -root -children | grep -o '^ *0x[0-9a-f]*' | tr -d ' ' |
      grep -x -e "$(hex "$main")" -e "$(hex "$1")" | head -n 1
  fi
}
focused_window() {
  if [ "$manager" = openbox ]; then
    root_property _NET_ACTIVE_WINDOW | sed 's/,.*//'
  else
    hex "$(DISPLAY=":$display" xdotool getwindowfocus)"
  fi
}
dialog_above_and_focused() { [ "$(top_window "$1")" = "$(hex "$1")" ] && [ "$(focused_window)" = "$(hex "$1")" ]; }

# Runs the program; sets app_pid and main. The pointer waits in the screen's corner, off every
# button: a hover would end in a fade's last frame, which differs from a freshly painted face.
start_program() {
  local screen_width screen_height
  IFS=x read -r screen_width screen_height <<<"$(screen_size)"
  DISPLAY=":$display" xdotool mousemove $((screen_width - 3)) $((screen_height - 3))
  DISPLAY=":$display" QUIBBLETON_BACKEND=sdl "$program" /s 2>>"$work/program.log" &
  app_pid=$!
  wait_for_start main_screen_shown || fail "the main screen did not appear"
  main=$(first_window)
}

stop_program() {
  kill "$app_pid"
  wait "$app_pid" || true
  app_pid=""
}

open_dialog() {
  DISPLAY=":$display" xdotool mousemove "$bx" "$by" click 1
  wait_for dialog_shown || fail "a click on sButton1 did not open the phrase dialog"
  dialog=$(other_window "$main")
}

printf 'Первая фраза\r\nВторая фраза\r\n' >"$work/home/Texts.txt"
export QUIBBLETON_HOME="$work/home"
export QUIBBLETON_REGISTRY="$work/registry.reg"
export XDG_RUNTIME_DIR="$work/run"

pictures_equal() {
  local difference
  take_shot "$2" || return 1
  difference=$(compare -metric AE "$work/$1" "$work/$2" null: 2>&1 || true)
  [ "${difference%% *}" = "0" ]
}
picture_settled() { take_shot "$1.a.png" && sleep 0.3 && pictures_equal "$1.a.png" "$1"; }
# Up to about 60 tries of a screenshot comparison (a slow build takes a while to settle).
wait_for_picture() {
  local i
  for i in $(seq 1 60); do
    if "$@"; then return 0; fi
    sleep 0.3
  done
  return 1
}
# 1. Where the first button is at the last size: the layout does not depend on the backend.
echo "dump $work/layout.json" >"$work/layout.script"
QUIBBLETON_BACKEND=headless QUIBBLETON_SCREEN=${last_width}x${last_height} QUIBBLETON_SCRIPT="$work/layout.script" \
  "$program" /s || fail "the headless layout run failed"
read -r bx by <<<"$(centre_of sButton1)"

# 2. The screen, the window manager and the program.
start_resizeable_screen "$width" "$height"
if [ "$manager" = openbox ]; then start_window_manager; fi
start_program

# 3. The main screen's class.
[ "$(property_of "$main" WM_CLASS)" = '"quibbleton", "quibbleton"' ] ||
  fail "the main screen's class is $(property_of "$main" WM_CLASS)"

# 4. A change of the screen's size: the main screen follows it and looks as a run started
# at that size does.
follow_resize() {
  local w=$1 h=$2
  DISPLAY=":$display" xrandr -s "${w}x$h" >/dev/null 2>&1 || fail "xrandr could not set ${w}x$h"
  wait_for screen_is "$w" "$h" || fail "the screen did not become ${w}x$h"
  wait_for window_sized "$main" "$w" "$h" ||
    fail "the main screen did not follow the screen to ${w}x$h: $(geometry_of "$main")"
  DISPLAY=":$display" xdotool mousemove $((w - 3)) $((h - 3))
}
check_resize() {
  local w=$1 h=$2
  follow_resize "$w" "$h"
  wait_for_picture picture_settled "resized-$w.png" || fail "the picture at ${w}x$h did not settle"
  stop_program
  start_program
  DISPLAY=":$display" xdotool mousemove $((w - 3)) $((h - 3))
  shot "started-$w.first.png"
  wait_for_picture pictures_equal "resized-$w.png" "started-$w.png" ||
    fail "the picture after the change to ${w}x$h differs from a run started at that size"
}
check_resize 1280 1024
check_resize "$last_width" "$last_height"
width=$last_width
height=$last_height

# 5. The dialog's titles and class, at the last size.
open_dialog
[ "$(property_of "$dialog" _NET_WM_NAME)" = '"Случайная фраза"' ] ||
  fail "the dialog's UTF-8 title is $(property_of "$dialog" _NET_WM_NAME)"
[ "$(property_of "$dialog" WM_NAME)" = '"Случайная фраза"' ] ||
  fail "the dialog's title for older readers is $(property_of "$dialog" WM_NAME)"
[ "$(property_of "$dialog" WM_CLASS)" = '"quibbleton", "quibbleton"' ] || fail "the dialog has no class"
has_icon() { DISPLAY=":$display" xprop -id "$1" _NET_WM_ICON | grep -q 'Icon (48 x 48)'; }
wait_for has_icon "$main" || fail "the main screen has no icon"

# 6. The dialog belongs to the main screen; a press on the main screen leaves it above and
# focused, and Alt+F4 then closes it.
DISPLAY=":$display" xprop -id "$dialog" WM_TRANSIENT_FOR | grep -q "# $(hex "$main")$" ||
  fail "the dialog is not transient for the main screen: $(DISPLAY=":$display" xprop -id "$dialog" WM_TRANSIENT_FOR)"
DISPLAY=":$display" xprop -id "$dialog" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL || fail "the dialog is not modal"
wait_for dialog_above_and_focused "$dialog" || fail "the dialog was not above and focused when it opened"
DISPLAY=":$display" xdotool mousemove $((width - 3)) $((height - 3)) click 1
sleep 0.5
wait_for dialog_above_and_focused "$dialog" ||
  fail "after a press on the main screen the dialog is not above and focused (top $(top_window "$dialog"), focus $(focused_window))"
dialog_shown || fail "a press on the main screen closed the dialog"
kill -0 "$app_pid" 2>/dev/null || fail "a press on the main screen ended the program while the dialog showed"
DISPLAY=":$display" xdotool key alt+F4
wait_for main_screen_shown || fail "Alt+F4 did not close the dialog after a press on the main screen"

# 7. Dragging the dialog by its title with absolute pointer moves: it follows every step.
open_dialog
wait_for dialog_above_and_focused "$dialog" || fail "the dialog was not focused when it opened again"
read -r dx dy _ _ <<<"$(geometry_of "$dialog")"
grab_x=$((dx + 60))
grab_y=$((dy + 10))
DISPLAY=":$display" xdotool mousemove "$grab_x" "$grab_y" mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  DISPLAY=":$display" xdotool mousemove $((grab_x + 15 * step)) $((grab_y + 10 * step))
  wait_for window_at "$dialog" $((dx + 15 * step)) $((dy + 10 * step)) ||
    fail "at drag step $step the dialog stayed at $(geometry_of "$dialog"), not at $((dx + 15 * step)) $((dy + 10 * step))"
done
DISPLAY=":$display" xdotool mouseup 1
window_at "$dialog" $((dx + 120)) $((dy + 80)) || fail "the dialog moved on the release"
DISPLAY=":$display" xdotool key alt+F4
wait_for main_screen_shown || fail "Alt+F4 did not close the dragged dialog"

# 8. A right press on the background ends the program.
DISPLAY=":$display" xdotool mousemove $((width - 3)) $((height - 3)) click 3
expect_clean_end "after a press on the background" "$work/program.log"
echo "desktop_smoke ($manager): passed"
