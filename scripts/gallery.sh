#!/usr/bin/env bash
# Makes the skin gallery docs/skins.md: the preview sheet of every stored skin and of every
# shipped extra skin (skins/extra), the main screen wearing each stored skin, and one skin's
# sheet at three hues. The pictures go to docs/images/skins/. Every picture comes from the
# headless backend's virtual clock, so a second run gives the same files.
#
#   scripts/gallery.sh [BUILD_DIR]    (default: build; needs quibbleton and quibbleton-skin)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tool=$build/quibbleton-skin
[ -x "$tool" ] || { echo "no skin tool at $tool; build it first (cmake --build $build --target quibbleton-skin)" >&2; exit 1; }
images=docs/images/skins
page=docs/skins.md

. scripts/headless.sh
headless_sandbox "$build"
# The main screen at its design size, so its buttons stand where they were laid out.
HEADLESS_SCREEN=1032x748

stored_skins=("Desert (internal)" "Golden (internal)" "Office2003 (internal)" "Office2007 Black (internal)"
              "Office2007 Blue (internal)")
hue_skin="Office2007 Blue (internal)"
hues=(0 120 240)

# "Office2007 Black (internal)" -> "office2007-black"
slug() {
  printf '%s' "$1" | sed -e 's/ (internal)$//' | tr '[:upper:] ' '[:lower:]-'
}

# Settings that dress the window's manager (the window, the super button and the dialogs'
# frames) in one skin at hue 0. The button groups keep their designed skins and hues: their
# managers offer only some of the stored skins, as the options dialog's lists show.
write_settings() {
  printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Quibbleton]\r\n"FormStyle"="%s"\r\n"FormHue"="0"\r\n' "$1" \
    > "$sandbox/registry.reg"
}

rm -rf "$images"
mkdir -p "$images"
{
  echo "# Skin gallery"
  echo
  echo "Every skin the program carries, as the program paints it. Each sheet comes from"
  echo "\`quibbleton-skin preview SKIN -o OUT.png\`, which runs the program's own controls on the"
  echo "headless backend in one fixed layout, so sheets can be compared side by side (the layout"
  echo "is described in [the skin tool's page](skin-tool.md#the-preview-sheet)). The main screen"
  echo "pictures show the program with the window's style (\"FormStyle\") set to the skin at hue 0:"
  echo "the window and the super button wear it, the five button groups keep their own designed"
  echo "skins and hues."
  echo
  echo "Made by \`scripts/gallery.sh [BUILD_DIR]\`; run it again after changing a skin."
  echo
  echo "## Stored skins"
  for skin in "${stored_skins[@]}"; do
    s=$(slug "$skin")
    "$tool" preview "stored:$skin" -o "$images/$s.png"
    write_settings "$skin"
    headless_run /s <<SCRIPT
wait 100
shot $sandbox/main.png
SCRIPT
    cp "$sandbox/main.png" "$images/main-$s.png"
    echo
    echo "### $skin"
    echo
    echo "![Preview sheet of $skin](images/skins/$s.png)"
    echo
    echo "![The main screen in $skin](images/skins/main-$s.png)"
  done
  echo
  echo "## Extra skins"
  echo
  echo "Skin folders shipped in \`skins/extra\`; copy one into \"QuibbletonSkins\" beside the program to"
  echo "offer it in the options dialog."
  for folder in skins/extra/*/; do
    name=$(basename "$folder")
    s=$(slug "$name")
    "$tool" preview "$folder" -o "$images/$s.png"
    echo
    echo "### $name"
    echo
    echo "![Preview sheet of $name](images/skins/$s.png)"
  done
  echo
  echo "## Recolouring"
  echo
  echo "The same skin at hue offsets ${hues[*]}, as a skin manager recolours it (\`--hue N\`)."
  for hue in "${hues[@]}"; do
    s=$(slug "$hue_skin")
    # Hue 0 is the stored skin's own sheet above.
    if [ "$hue" != 0 ]; then
      s=$s-hue-$hue
      "$tool" preview "stored:$hue_skin" --hue "$hue" -o "$images/$s.png"
    fi
    echo
    echo "### $hue_skin, hue $hue"
    echo
    echo "![$hue_skin at hue $hue](images/skins/$s.png)"
  done
} > "$page"
echo "wrote $page and $(ls "$images" | wc -l) pictures in $images"
