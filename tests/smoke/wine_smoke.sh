#!/usr/bin/env bash
# Real-window smoke test of the Windows program under Wine and Xvfb with the Win32 backend.
# "Quibbleton.scr /s" shows the skinned main screen exactly as the headless run of the same
# program draws it; the pointer over a field button lights it up, a click on it opens the
# phrase dialog, its skinned close button closes it, and a press on the background ends the
# program, which must store the phrase position in the registry. Then "Quibbleton.scr /c": a
# skin picked in group 0's list, Ok, and the skin name is stored.
# Usage: wine_smoke.sh PATH/TO/Quibbleton.scr PATH/TO/wine-run.sh [KEEP_DIR]
set -euo pipefail

program=$(cd "$(dirname "${1:?usage: wine_smoke.sh PATH/TO/Quibbleton.scr PATH/TO/wine-run.sh}")" && pwd)/$(basename "$1")
wine_run=${2:?usage: wine_smoke.sh PATH/TO/Quibbleton.scr PATH/TO/wine-run.sh}
keep=${3:-}
work=${keep:-$(mktemp -d)}
mkdir -p "$work/home"
width=1024
height=768

smoke_name=wine_smoke
# shellcheck source=smoke_lib.sh
source "$(dirname "$0")/smoke_lib.sh"

# The build's Wine prefix (as wine-run.sh finds it), or one of the test's own beside a
# program outside a build.
folder=$(dirname "$program")
while [ "$folder" != / ] && [ ! -f "$folder/CMakeCache.txt" ]; do folder=$(dirname "$folder"); done
if [ "$folder" = / ]; then folder=$work; fi
export WINEPREFIX=${QUIBBLETON_WINEPREFIX:-$folder/wineprefix}
export WINEDEBUG=-all

settings_key='HKEY_CURRENT_USER\Software\Quibbleton'
machine_key='HKEY_LOCAL_MACHINE\Software\Quibbleton'
# A value of the settings, from the machine's key or else the user's: "NAME TYPE DATA".
setting() {
  { bash "$wine_run" reg query "$machine_key" /v "$1" 2>/dev/null || true
    bash "$wine_run" reg query "$settings_key" /v "$1" 2>/dev/null || true; } | tr -d '\r' | grep -m1 "^ *$1 "
}
# A Wine server started without a display keeps its desktop without one: windowed runs wait
# for it to end.
wine_idle() { wineserver -w; }
forget_settings() {
  bash "$wine_run" reg delete "$machine_key" /f >/dev/null 2>&1 || true
  bash "$wine_run" reg delete "$settings_key" /f >/dev/null 2>&1 || true
}

# Wine names each window's class after the program file.
program_windows() {
  DISPLAY=":$display" xdotool search --onlyvisible --classname '^quibbleton\.scr$' 2>/dev/null | wc -l
}
windows_shown() { [ "$(program_windows)" -eq "$1" ]; }
first_window() { DISPLAY=":$display" xdotool search --onlyvisible --classname '^quibbleton\.scr$' | head -n 1; }

# The phrases beside the program, in a home of the test's own; the skins are the stored ones,
# so the first in the lists is "Desert (internal)".
# UTF-8, which the program reads whatever the system's code page (Wine's here is the machine
# locale's, 1252 for C.UTF-8).
printf 'Первая фраза\r\nВторая фраза\r\nТретья фраза\r\n' >"$work/home/Texts.txt"
export QUIBBLETON_HOME="$work/home"
forget_settings

# 1. The headless run of the same program: where the buttons are, and what the screen shows.
printf 'dump %s\nshot %s\n' "$work/layout.json" "$work/headless.png" >"$work/layout.script"
QUIBBLETON_BACKEND=headless QUIBBLETON_SCREEN=${width}x${height} QUIBBLETON_SCRIPT="$work/layout.script" \
  bash "$wine_run" "$program" /s || fail "the headless run failed"
[ -s "$work/headless.png" ] || fail "the headless run made no screenshot"
read -r bx by bw bh <<<"$(bounds_of sButton1)"
forget_settings
wine_idle

# 2. An X server with a window manager; the main screen in a real window.
start_xvfb "$width" "$height"
start_window_manager
DISPLAY=":$display" bash "$wine_run" "$program" /s 2>"$work/program.log" &
app_pid=$!
wait_for windows_shown 1 || fail "the main screen did not appear"
sleep 1
shot main.png
# The whole screen is the main screen, as the headless run drew it.
difference=$(compare -metric AE -fuzz 2% "$work/main.png" "$work/headless.png" null: 2>&1 || true)
[ "${difference%% *}" -le $((width * height / 1000)) ] ||
  fail "the main screen differs from the headless picture in $difference pixels"

# 3. Hover lights the button; a click opens the phrase dialog.
DISPLAY=":$display" xdotool mousemove $((bx + bw / 2)) $((by + bh / 2))
sleep 0.7
shot hover.png
check_changed main.png hover.png "the button did not change under the pointer"
DISPLAY=":$display" xdotool click 1
wait_for windows_shown 2 || fail "a click on sButton1 did not open the phrase dialog"
sleep 0.7
shot dialog.png
check_changed hover.png dialog.png "the screen did not change when the dialog opened"

# 4. The skinned close button, at the right end of the dialog's title band, closes it.
main=$(first_window)
dialog=$(DISPLAY=":$display" xdotool search --onlyvisible --classname '^quibbleton\.scr$' | grep -vx "$main" | head -n 1)
eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$dialog")"
if [ "$WIDTH" -ge "$width" ]; then
  # The first window found was the dialog.
  dialog=$main
  eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$dialog")"
fi
DISPLAY=":$display" xdotool mousemove $((X + WIDTH - 13)) $((Y + 11))
sleep 0.4
shot close-hot.png
DISPLAY=":$display" xdotool click 1
wait_for windows_shown 1 || fail "the skinned close button did not close the phrase dialog"

# 5. A press on the background (its bottom-right corner) ends the program, the phrase
# position stored.
DISPLAY=":$display" xdotool mousemove $((width - 3)) $((height - 3)) click 1
expect_clean_end "after a press on the background" "$work/program.log"
setting LastFrase | grep -q 'REG_SZ *0$' || fail "the phrase position was not stored: $(setting LastFrase)"

# 6. The options dialog: group 0's list opens with a click, Home and Enter pick its first
# skin, and Ok stores it.
printf 'dump %s\n' "$work/options.json" >"$work/options.script"
QUIBBLETON_BACKEND=headless QUIBBLETON_SCREEN=${width}x${height} QUIBBLETON_SCRIPT="$work/options.script" \
  bash "$wine_run" "$program" /c || fail "the headless run of the options dialog failed"
dialog_box=$(grep -o '"class":"TfrmOptions","name":"frmOptions"[^{}]*"screen":\[[-0-9,]*\]' "$work/options.json" |
             sed 's/.*"screen":\[\([-0-9,]*\)\]/\1/')
[ -n "$dialog_box" ] || fail "no options dialog in the headless dump"
IFS=, read -r dx dy _ _ <<<"$dialog_box"
wine_idle
cp "$work/options.json" "$work/layout.json"
read -r cx cy <<<"$(centre_of sComboBox0)"
read -r ox oy <<<"$(centre_of sButton3)"
DISPLAY=":$display" bash "$wine_run" "$program" /c 2>"$work/options.log" &
app_pid=$!
wait_for windows_shown 1 || fail "the options dialog did not appear"
sleep 1
eval "$(DISPLAY=":$display" xdotool getwindowgeometry --shell "$(first_window)")"
mx=$((X - dx))
my=$((Y - dy))
shot options.png
DISPLAY=":$display" xdotool mousemove $((cx + mx)) $((cy + my)) click 1
sleep 0.5
DISPLAY=":$display" xdotool key Home Return
sleep 0.7
shot options-picked.png
check_changed options.png options-picked.png "picking another skin did not restyle the dialog"
DISPLAY=":$display" xdotool mousemove $((ox + mx)) $((oy + my)) click 1
expect_clean_end "after Ok" "$work/options.log"
setting FormStyle | grep -q 'REG_SZ *Desert (internal)$' || fail "the picked skin was not stored: $(setting FormStyle)"
echo "wine_smoke: passed"
