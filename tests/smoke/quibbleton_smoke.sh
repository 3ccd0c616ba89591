#!/usr/bin/env bash
# Real-window smoke test of the program: "quibbleton /s" under Xvfb with the SDL2 backend.
# The pointer over a field button lights it up, a click on it opens the phrase dialog
# (screenshots) in the skin, its skinned close button closes it, a second click opens it again
# and Alt+F4 closes it, and a right press on the background ends the program, which must store
# the phrase position.
# Usage: quibbleton_smoke.sh PATH/TO/quibbleton [KEEP_DIR]
set -euo pipefail

program=${1:?usage: quibbleton_smoke.sh PATH/TO/quibbleton}
keep=${2:-}
work=${keep:-$(mktemp -d)}
mkdir -p "$work/home" "$work/run"
width=1280
height=1024

smoke_name=quibbleton_smoke
# shellcheck source=smoke_lib.sh
source "$(dirname "$0")/smoke_lib.sh"

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
start_xvfb "$width" "$height"

# 3. The main screen in a real window.
DISPLAY=":$display" QUIBBLETON_BACKEND=sdl "$program" /s 2>"$work/program.log" &
app_pid=$!
wait_for_start main_screen_shown || fail "the main screen did not appear"
sleep 0.5
shot main.png
main=$(DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' | head -n 1)
eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$main")"
# Maximised, the main screen covers the screen from its top-left corner, so its client
# coordinates are screen coordinates. Where the window really is is checked at the end.
main_geometry="$X,$Y ${WIDTH}x$HEIGHT"

# 4. The pointer over a field button lights it up (its fade has ended after half a second),
# and a click on it shows the first phrase in the dialog.
DISPLAY=":$display" xdotool mousemove $((bx + bw / 2)) $((by + bh / 2))
sleep 0.5
shot hover.png
check_changed main.png hover.png "the button did not change under the pointer"
DISPLAY=":$display" xdotool click 1
wait_for dialog_shown || fail "a click on sButton1 did not open the phrase dialog"
sleep 0.5
shot dialog.png
check_changed main.png dialog.png "the screen did not change when the dialog opened"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended on a button click"

# 5. The skinned close button (at the right end of the dialog's title band) closes the dialog.
dialog=$(DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' | grep -vx "$main" | head -n 1)
eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$dialog")"
DISPLAY=":$display" xdotool mousemove $((X + WIDTH - 13)) $((Y + 11))
sleep 0.3
shot close-hot.png
check_changed dialog.png close-hot.png "the close button did not light up under the pointer"
DISPLAY=":$display" xdotool click 1
wait_for main_screen_shown || fail "the skinned close button did not close the phrase dialog"

# 6. Open it again; Alt+F4 closes it, the pointer resting on it so that its window gets the key.
DISPLAY=":$display" xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1
wait_for dialog_shown || fail "a second click on sButton1 did not open the phrase dialog"
sleep 0.5
dialog=$(DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' | grep -vx "$main" | head -n 1)
eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$dialog")"
DISPLAY=":$display" xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
DISPLAY=":$display" xdotool key alt+F4
wait_for main_screen_shown || fail "Alt+F4 did not close the phrase dialog"

# 7. A right press on the background (its bottom-right corner) ends the program with the phrase position stored.
DISPLAY=":$display" xdotool mousemove $((width - 3)) $((height - 3)) click 3
expect_clean_end "after a press on the background" "$work/program.log"
grep -q '"LastFrase"="1"' "$work/registry.reg" || fail "the phrase position was not stored: $(cat "$work/registry.reg")"
[ "$main_geometry" = "0,0 ${width}x$height" ] ||
  fail "the main screen's window was at $main_geometry, not over the whole ${width}x$height screen"
echo "quibbleton_smoke: passed"
