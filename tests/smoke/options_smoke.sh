#!/usr/bin/env bash
# Real-window smoke test of the options dialog: "quibbleton /c" under Xvfb with the SDL2
# backend. Another skin picked in group 0's list with the mouse and the keyboard restyles the
# group (its sample button with it), and Ok stores the new skin name and ends the program.
# Usage: options_smoke.sh PATH/TO/quibbleton [KEEP_DIR]
set -euo pipefail

program=${1:?usage: options_smoke.sh PATH/TO/quibbleton}
keep=${2:-}
work=${keep:-$(mktemp -d)}
mkdir -p "$work/home" "$work/run"
width=1024
height=768

smoke_name=options_smoke
# shellcheck source=smoke_lib.sh
source "$(dirname "$0")/smoke_lib.sh"

program_windows() { DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' 2>/dev/null | wc -l; }
dialog_shown() { [ "$(program_windows)" -eq 1 ]; }

export QUIBBLETON_HOME="$work/home"
export QUIBBLETON_REGISTRY="$work/registry.reg"
export XDG_RUNTIME_DIR="$work/run"

# 1. Where the controls are, relative to the dialog: the layout does not depend on the backend.
echo "dump $work/layout.json" >"$work/layout.script"
QUIBBLETON_BACKEND=headless QUIBBLETON_SCREEN=${width}x${height} QUIBBLETON_SCRIPT="$work/layout.script" \
  "$program" /c || fail "the headless layout run failed"
dialog_box=$(grep -o '"class":"TfrmOptions","name":"frmOptions"[^{}]*"screen":\[[-0-9,]*\]' "$work/layout.json" |
             sed 's/.*"screen":\[\([-0-9,]*\)\]/\1/')
[ -n "$dialog_box" ] || fail "no options dialog in the headless dump"
IFS=, read -r dx dy _ _ <<<"$dialog_box"
read -r cx cy <<<"$(centre_of sComboBox0)"
read -r ox oy <<<"$(centre_of sButton3)"
read -r gx gy gw gh <<<"$(bounds_of sGroupBox0)"

# 2. An X server on a free display; the dialog in a real window.
start_xvfb "$width" "$height"
DISPLAY=":$display" QUIBBLETON_BACKEND=sdl "$program" /c 2>"$work/program.log" &
app_pid=$!
wait_for dialog_shown || fail "the options dialog did not appear"
sleep 0.5
window=$(DISPLAY=":$display" xdotool search --onlyvisible --class '^quibbleton$' | head -n 1)
eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$window")"
# Screen positions in the real window: the headless ones moved with the window.
mx=$((X - dx))
my=$((Y - dy))
shot before.png

# 3. Group 0's list opens with a click; Home and Enter pick its first skin.
DISPLAY=":$display" xdotool mousemove $((cx + mx)) $((cy + my)) click 1
sleep 0.3
DISPLAY=":$display" xdotool key Home Return
sleep 0.5
shot after.png
convert "$work/before.png" -crop "${gw}x${gh}+$((gx + mx))+$((gy + my))" +repage "$work/group-before.png"
convert "$work/after.png" -crop "${gw}x${gh}+$((gx + mx))+$((gy + my))" +repage "$work/group-after.png"
check_changed group-before.png group-after.png "picking another skin did not restyle group 0"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended while a skin was picked"

# 4. Ok stores the choice and ends the program.
DISPLAY=":$display" xdotool mousemove $((ox + mx)) $((oy + my)) click 1
expect_clean_end "after Ok" "$work/program.log"
grep -q '"FormStyle"="Desert (internal)"' "$work/registry.reg" ||
  fail "the picked skin was not stored: $(cat "$work/registry.reg")"
grep -q '"Buttons5Hue"="170"' "$work/registry.reg" || fail "not all twelve settings were stored"
echo "options_smoke: passed"
