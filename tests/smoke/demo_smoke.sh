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
smoke_name=demo_smoke
# shellcheck source=smoke_lib.sh
source "$(dirname "$0")/smoke_lib.sh"

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
start_xvfb "$width" "$height"

# 3. The demo in a real window.
DISPLAY=":$display" QUIBBLETON_BACKEND=sdl "$demo" 2>"$work/demo.log" &
app_pid=$!
wait_for windows_are 1 || fail "the demo window did not appear"
sleep 0.5
shot first.png

# 4. Button2 opens a modal message box, a second window.
DISPLAY=":$display" xdotool mousemove "$msg_x" "$msg_y" click 1
wait_for windows_are 2 || fail "Button2 did not open a message box"
sleep 0.5
shot message.png
check_changed first.png message.png "the screen did not change when the message box opened"

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
expect_clean_end "after Button1" "$work/demo.log"
echo "demo_smoke: passed"
