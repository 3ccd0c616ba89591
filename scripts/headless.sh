# Runs the program headless in a private sandbox: its own settings store, lock folder and
# program folder (with "Texts.txt" and the build's "QuibbletonSkins"), so nothing of the
# user's changes. Sourced by scripts/screenshots.sh and scripts/gallery.sh.
#
#   headless_sandbox BUILD_DIR     makes the sandbox (removed when the script exits)
#   headless_run [ARGS...]         runs the program at $HEADLESS_SCREEN (default 1280x800)
#                                  with a script read from standard input
#   $sandbox                       the sandbox folder; $sandbox/registry.reg is its settings

headless_sandbox() {
  program=$1/quibbleton
  [ -x "$program" ] || { echo "no program at $program; build first (scripts/run.sh builds)" >&2; exit 1; }
  sandbox=$(mktemp -d)
  trap 'rm -rf "$sandbox"' EXIT
  mkdir -p "$sandbox/home" "$sandbox/run"
  cp app/Texts.txt "$sandbox/home/Texts.txt"
  if [ -d "$1/QuibbletonSkins" ]; then cp -r "$1/QuibbletonSkins" "$sandbox/home/"; fi
}

headless_run() {
  QUIBBLETON_BACKEND=headless QUIBBLETON_SCREEN=${HEADLESS_SCREEN:-1280x800} QUIBBLETON_SCRIPT=- \
  QUIBBLETON_HOME="$sandbox/home" QUIBBLETON_REGISTRY="$sandbox/registry.reg" \
  XDG_RUNTIME_DIR="$sandbox/run" "$program" "$@"
}
