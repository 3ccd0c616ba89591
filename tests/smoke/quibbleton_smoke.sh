#!/usr/bin/env bash
# Real-window smoke test of the program: "quibbleton /s" under Xvfb with the SDL2 backend.
# A click on a field button opens the phrase dialog (screenshot), Alt+F4 closes it, and a
# right press on the background ends the program, which must store the phrase position.
# Usage: quibbleton_smoke.sh PATH/TO/quibbleton [KEEP_DIR]
set -euo pipefail

program=${1:?usage: quibbleton_smoke.sh PATH/TO/quibbleton}
keep=${2:-}
work=${keep:-$(mktemp -d)}
mkdir -p "$work/home" "$work/run"
width=1280
height=1024

xvfb_pid=""
program_pid=""
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then kill "$program_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then kill "$xvfb_pid" 2>/dev/null || true; fi
  if [ -z "$keep" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT

fail() {
  echo "quibbleton_smoke: $*" >&2
  exit 1
}

for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# Waits up to about 15 s for a command to succeed.
wait_for() {
  local i
  for i in $(seq 1 150); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

# A control's rectangle inside its window, from a headless dump: "x y w h".
bounds_of() {
  local box
  box=$(grep -o "\"name\":\"$1\"[^{}]*\"screen\":\[[-0-9,]*\]" "$work/layout.json" | head -n 1 |
        sed 's/.*"screen":\[\([-0-9,]*\)\]/\1/')
  [ -n "$box" ] || fail "no $1 in the headless dump"
  IFS=, read -r x y w h <<<"$box"
  echo "$x $y $w $h"
}

check_not_blank() {
  local deviation
  deviation=$(convert "$1" -format '%[fx:standard_deviation]' info:)
  awk -v d="$deviation" 'BEGIN { exit !(d > 0.01) }' || fail "$1 is blank (standard deviation $deviation)"
}

shot() {
  DISPLAY=":$display" import -window root "$work/$1"
  check_not_blank "$work/$1"
}

# The program's windows (their titles are UTF-8, which xdotool's name search does not read).
program_windows() { DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' 2>/dev/null | wc -l; }
main_screen_shown() { [ "$(program_windows)" -eq 1 ]; }
dialog_shown() { [ "$(program_windows)" -eq 2 ]; }

printf 'Первая фраза\r\nВторая фраза\r\nТретья фраза\r\n' >"$work/home/Texts.txt"
export QUIBBLETON_HOME="$work/home"
export QUIBBLETON_REGISTRY="$work/registry.reg"
export XDG_RUNTIME_DIR="$work/run"

# 1. Where the buttons are: the layout does not depend on the backend.
echo "dump $work/layout.json" >"$work/layout.script"
QUIBBLETON_BACKEND=headless QUIBBLETON_SCREEN=${width}x${height} QUIBBLETON_SCRIPT="$work/layout.script" \
  "$program" /s || fail "the headless layout run failed"
read -r bx by bw bh <<<"$(bounds_of sButton1)"

# 2. An X server on a free display.
Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for test -s "$work/display" || fail "Xvfb did not start"
display=$(head -n 1 "$work/display")

# 3. The main screen in a real window.
DISPLAY=":$display" QUIBBLETON_BACKEND=sdl "$program" /s 2>"$work/program.log" &
program_pid=$!
wait_for main_screen_shown || fail "the main screen did not appear"
sleep 0.5
shot main.png
main=$(DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' | head -n 1)
eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$main")"
# Maximised, the main screen covers the screen from its top-left corner, so its client
# coordinates are screen coordinates. Where the window really is is checked at the end.
main_geometry="$X,$Y ${WIDTH}x$HEIGHT"

# 4. A click on a field button shows the first phrase in the dialog.
DISPLAY=":$display" xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1
wait_for dialog_shown || fail "a click on sButton1 did not open the phrase dialog"
sleep 0.5
shot dialog.png
difference=$(compare -metric AE "$work/main.png" "$work/dialog.png" null: 2>&1 || true)
[ "${difference%% *}" != "0" ] || fail "the screen did not change when the dialog opened"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended on a button click"

# 5. Alt+F4 closes the dialog; the pointer rests on it so that its window gets the key.
dialog=$(DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' | grep -vx "$main" | head -n 1)
eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$dialog")"
DISPLAY=":$display" xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
DISPLAY=":$display" xdotool key alt+F4
wait_for main_screen_shown || fail "Alt+F4 did not close the phrase dialog"

# 6. A right press on the background (its bottom-right corner) ends the program with the phrase position stored.
DISPLAY=":$display" xdotool mousemove $((width - 3)) $((height - 3)) click 3
for _ in $(seq 1 100); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then fail "the program did not end after a press on the background"; fi
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$work/program.log")"
grep -q '"LastFrase"="0"' "$work/registry.reg" || fail "the phrase position was not stored: $(cat "$work/registry.reg")"
[ "$main_geometry" = "0,0 ${width}x$height" ] ||
  fail "the main screen's window was at $main_geometry, not over the whole ${width}x$height screen"
echo "quibbleton_smoke: passed"
