# Shared by the real-window smoke tests: an Xvfb display of their own, waiting, screenshots
# and control positions from a headless dump. Source it after setting smoke_name, work and
# keep; set app_pid once the program runs.
# shellcheck shell=bash

xvfb_pid=""
nested_pid=""
wm_pid=""
app_pid=""
display=""

smoke_cleanup() {
  local pid
  for pid in "$app_pid" "$wm_pid" "$nested_pid" "$xvfb_pid"; do
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  done
  if [ -z "$keep" ]; then rm -rf "$work"; fi
}
trap smoke_cleanup EXIT

fail() {
  echo "$smoke_name: $*" >&2
  # What the program said (a sanitizer's report among it) tells why.
  if [ -s "${work:-}/program.log" ]; then
    echo "--- the program's output:" >&2
    tail -n 40 "$work/program.log" >&2
  fi
  # A program that cannot reach its display: did the X servers end, and what did they say?
  local pid name
  for name in xvfb:"$xvfb_pid" xephyr:"$nested_pid"; do
    pid=${name#*:}
    name=${name%%:*}
    [ -n "$pid" ] || continue
    kill -0 "$pid" 2>/dev/null || echo "--- the $name server has ended" >&2
    if [ -s "$work/$name.log" ]; then
      echo "--- $name's output:" >&2
      tail -n 20 "$work/$name.log" >&2
    fi
  done
  exit 1
}

for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# A sanitizer build must not fail on leaks of the system libraries behind SDL2.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan-system.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# Waits up to about 30 s for a command to succeed (a loaded machine starts programs slowly).
wait_for() {
  local i
  for i in $(seq 1 "${wait_tries:-300}"); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}
# The same for a program starting, which a sanitizer build on a loaded machine makes slow.
wait_for_start() { wait_tries=900 wait_for "$@"; }

# A control's rectangle on the screen, from the headless dump $work/layout.json: "x y w h".
bounds_of() {
  local box
  box=$(grep -o "\"name\":\"$1\"[^{}]*\"screen\":\[[-0-9,]*\]" "$work/layout.json" | head -n 1 |
        sed 's/.*"screen":\[\([-0-9,]*\)\]/\1/')
  [ -n "$box" ] || fail "no $1 in the headless dump"
  IFS=, read -r x y w h <<<"$box"
  echo "$x $y $w $h"
}

# The centre of a control on the screen: "x y".
centre_of() {
  local x y w h
  read -r x y w h <<<"$(bounds_of "$1")"
  echo "$((x + w / 2)) $((y + h / 2))"
}

# True when the screenshot has more than one colour.
is_not_blank() {
  local deviation
  deviation=$(convert "$1" -format '%[fx:standard_deviation]' info:)
  awk -v d="$deviation" 'BEGIN { exit !(d > 0.01) }'
}

take_shot() {
  DISPLAY=":$display" import -window root "$work/$1" && is_not_blank "$work/$1"
}

# A screenshot once the screen shows more than one colour: a window just shown may not be
# painted yet on a loaded machine.
shot() {
  wait_for take_shot "$1" || fail "$1 is blank"
}

screens_differ() {
  local difference
  take_shot "$2" || return 1
  difference=$(compare -metric AE "$work/$1" "$work/$2" null: 2>&1 || true)
  [ "${difference%% *}" != "0" ]
}

# Fails unless the screen, shot again as the second file, comes to differ from the first shot.
check_changed() {
  wait_for screens_differ "$1" "$2" || fail "$3"
}

# Starts an X server of the given size on a free display. -noreset: an X server resets when
# its last client leaves, as the test's own tools and each run of the program do, and a
# reset can refuse the next connection or, after a change of size, end a nested server.
start_xvfb() {
  Xvfb -displayfd 3 -noreset -screen 0 "$1x$2x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  wait_for test -s "$work/display" || fail "Xvfb did not start"
  display=$(head -n 1 "$work/display")
}

# A screen whose size xrandr can change while programs run: Xephyr, resizeable, in a window
# of an Xvfb of the largest size; Xvfb itself cannot change its size.
start_resizeable_screen() {
  local host
  command -v Xephyr >/dev/null || fail "Xephyr is not installed"
  start_xvfb 1920 1200
  host=$display
  DISPLAY=":$host" Xephyr -displayfd 4 -noreset -screen "$1x$2" -resizeable -nolisten tcp \
    4>"$work/nested-display" 2>"$work/xephyr.log" &
  nested_pid=$!
  wait_for test -s "$work/nested-display" || fail "Xephyr did not start"
  display=$(head -n 1 "$work/nested-display")
  wait_for screen_is "$1" "$2" || fail "Xephyr's screen is not $1x$2"
}

screen_size() { DISPLAY=":$display" xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p'; }
screen_is() { [ "$(screen_size)" = "$1x$2" ]; }

# Starts openbox on the display and waits until it manages the screen.
start_window_manager() {
  command -v openbox >/dev/null || fail "openbox is not installed"
  DISPLAY=":$display" openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  wait_for window_manager_runs || fail "openbox did not start"
}

window_manager_runs() { DISPLAY=":$display" xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

# A window property as xprop prints it after the "=", UTF-8 kept.
property_of() { DISPLAY=":$display" LC_ALL=C.UTF-8 xprop -id "$1" "$2" | sed -n 's/^[^=]*= //p'; }
root_property() { DISPLAY=":$display" xprop -root "$1" | sed -n 's/^[^#]*# //p'; }

# Waits for the program to end by itself and fails unless it ended with status 0.
expect_clean_end() {
  local status=0
  for _ in $(seq 1 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app_pid" 2>/dev/null; then fail "the program did not end $1"; fi
  wait "$app_pid" || status=$?
  app_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$2")"
}
