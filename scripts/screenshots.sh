#!/usr/bin/env bash
# Makes the README's screenshots from the headless backend, so anyone can make them again:
# the main screen, the phrase dialog over it, and the options dialog. Every run uses a
# private settings store, lock folder and program folder, so nothing of the user's changes.
#
#   scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]    (defaults: build, docs/images)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/images}
command -v convert >/dev/null || { echo "ImageMagick's convert is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
mkdir -p "$out"

. scripts/headless.sh
headless_sandbox "$build"

# Runs the program headless at 1280 x 800 with a script read from standard input.
run() { headless_run "$@"; }

# The screen rectangle [x, y, w, h] of the top-most form in a dump, as a crop geometry with
# a margin of 12 pixels.
top_form_geometry() {
  python3 -c '
import json, sys
form = json.load(open(sys.argv[1]))["windows"][0]
x, y, w, h = form["screen"]
m = 12
print(f"{w + 2 * m}x{h + 2 * m}+{max(0, x - m)}+{max(0, y - m)}")' "$1"
}

run /s <<SCRIPT
wait 100
shot $sandbox/main.png
move 640 400
click sButton1
wait 100
dump $sandbox/frasa.json
shot $sandbox/frasa-full.png
SCRIPT
cp "$sandbox/main.png" "$out/main-screen.png"
convert "$sandbox/frasa-full.png" -crop "$(top_form_geometry "$sandbox/frasa.json")" +repage "$out/phrase-dialog.png"

# The options dialog, once the program shows one in mode C.
if run /c <<SCRIPT 2>/dev/null
wait 100
dump $sandbox/options.json
shot $sandbox/options-full.png
SCRIPT
then
  if [ -s "$sandbox/options.json" ] && python3 -c 'import json,sys; sys.exit(0 if json.load(open(sys.argv[1]))["windows"] else 1)' "$sandbox/options.json"; then
    convert "$sandbox/options-full.png" -crop "$(top_form_geometry "$sandbox/options.json")" +repage "$out/options-dialog.png"
  fi
fi
ls "$out"
