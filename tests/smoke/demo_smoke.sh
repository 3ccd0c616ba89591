#!/usr/bin/env bash
# Real-window smoke test: the demo under Xvfb with the SDL2 backend. Finds the buttons from a
# headless dump of the same screen size, clicks Button2 (a message box opens), answers it
# with Enter, checks screenshots are not blank, then clicks Button1, which must end the
# program with status 0.
# Usage: demo_smoke.sh PATH/TO/quibbleton-demo [KEEP_DIR]
set -euo pipefail

demo=${1:?usage: demo_smoke.sh PATH/TO/quibbleton-demo}
keep=${2:-}
work=${keep:-$(mktemp -d)}
mkdir -p "$work"
width=1024
height=768
# A sanitizer build must not fail on leaks of the system libraries behind SDL2.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan-system.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

xvfb_pid=""
demo_pid=""
cleanup() {
  if [ -n "$demo_pid" ] && kill -0 "$demo_pid" 2>/dev/null; then kill "$demo_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then kill "$xvfb_pid" 2>/dev/null || true; fi
  if [ -z "$keep" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT

fail() {
  echo "demo_smoke: $*" >&2
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

# The centre of a control on the screen, from a headless dump: "x y".
centre_of() {
  local box
  box=$(grep -o "\"name\":\"$1\"[^{}]*\"screen\":\[[-0-9,]*\]" "$work/layout.json" | head -n 1 |
        sed 's/.*"screen":\[\([-0-9,]*\)\]/\1/')
  [ -n "$box" ] || fail "no $1 in the headless dump"
  IFS=, read -r x y w h <<<"$box"
  echo "$((x + w / 2)) $((y + h / 2))"
}

# Fails unless the screenshot has more than one colour.
check_not_blank() {
  local deviation
  deviation=$(convert "$1" -format '%[fx:standard_deviation]' info:)
  awk -v d="$deviation" 'BEGIN { exit !(d > 0.01) }' || fail "$1 is blank (standard deviation $deviation)"
}

shot() {
  DISPLAY=":$display" import -window root "$work/$1"
  check_not_blank "$work/$1"
}

demo_windows() { DISPLAY=":$display" xdotool search --onlyvisible --name '^Demo$' 2>/dev/null | wc -l; }
windows_are() { [ "$(demo_windows)" -eq "$1" ]; }

# 1. Where the buttons are: the layout does not depend on the backend.
echo "dump $work/layout.json" >"$work/layout.script"
QUIBBLETON_BACKEND=headless QUIBBLETON_SCREEN=${width}x${height} QUIBBLETON_SCRIPT="$work/layout.script" "$demo" ||
  fail "the headless layout run failed"
read -r ok_x ok_y <<<"$(centre_of Button1)"
read -r msg_x msg_y <<<"$(centre_of Button2)"
read -r combo_x combo_y <<<"$(centre_of ComboBox1)"

# 2. An X server on a free display.
Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for test -s "$work/display" || fail "Xvfb did not start"
display=$(head -n 1 "$work/display")

# 3. The demo in a real window.
DISPLAY=":$display" QUIBBLETON_BACKEND=sdl "$demo" 2>"$work/demo.log" &
demo_pid=$!
wait_for windows_are 1 || fail "the demo window did not appear"
sleep 0.5
shot first.png

# 4. Button2 opens a modal message box, a second window.
DISPLAY=":$display" xdotool mousemove "$msg_x" "$msg_y" click 1
wait_for windows_are 2 || fail "Button2 did not open a message box"
sleep 0.5
shot message.png
difference=$(compare -metric AE "$work/first.png" "$work/message.png" null: 2>&1 || true)
[ "${difference%% *}" != "0" ] || fail "the screen did not change when the message box opened"

# Enter answers it; the pointer rests on the message box so that its window gets the key.
box=$(DISPLAY=":$display" xdotool search --onlyvisible --name '^Demo$' | tail -n 1)
eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$box")"
DISPLAY=":$display" xdotool mousemove $((X + WIDTH / 2)) $((Y + 8))
DISPLAY=":$display" xdotool key Return
wait_for windows_are 1 || fail "Enter did not close the message box"

# 5. ComboBox1 drops its list down as a window of its own and stays active meanwhile; a
# click on an item closes the list again.
all_windows() { DISPLAY=":$display" xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }
all_windows_are() { [ "$(all_windows)" -eq "$1" ]; }
before=$(all_windows)
DISPLAY=":$display" xdotool mousemove "$combo_x" "$combo_y" click 1
wait_for all_windows_are $((before + 1)) || fail "ComboBox1 did not drop its list down"
sleep 0.3
shot dropped.png
DISPLAY=":$display" xdotool mousemove "$combo_x" $((combo_y + 40)) click 1
wait_for all_windows_are "$before" || fail "a click on an item did not close the list"

# 6. Button1 closes the demo, which ends the program cleanly.
DISPLAY=":$display" xdotool mousemove "$ok_x" "$ok_y" click 1
for _ in $(seq 1 100); do
  kill -0 "$demo_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$demo_pid" 2>/dev/null; then fail "the demo did not end after Button1"; fi
status=0
wait "$demo_pid" || status=$?
demo_pid=""
[ "$status" -eq 0 ] || fail "the demo ended with status $status: $(cat "$work/demo.log")"
echo "demo_smoke: passed"
