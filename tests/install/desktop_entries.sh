#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the desktop menu entries: both pass
# desktop-file-validate, start the installed program in their run modes, and name an icon
# that the hicolor theme holds at 48 x 48 and as scalable art.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

apps=$prefix/share/applications
for entry in quibbleton quibbleton-settings; do
  file=$apps/$entry.desktop
  [ -f "$file" ] || fail "$file was not installed"
  desktop-file-validate "$file" || fail "$file does not validate"
  grep -qx 'Icon=quibbleton' "$file" || fail "$file names another icon"
done

program=$(sed -n 's/^Exec="\(.*\)" \/s$/\1/p' "$apps/quibbleton.desktop")
[ -n "$program" ] || fail "the main entry does not start the program with /s"
[ -x "$program" ] || fail "the main entry starts $program, which is not an installed program"
settings=$(sed -n 's/^Exec="\(.*\)" \/c$/\1/p' "$apps/quibbleton-settings.desktop")
[ "$settings" = "$program" ] || fail "the settings entry does not start the same program with /c"
grep -qx 'Name=Quibbleton' "$apps/quibbleton.desktop" || fail "the main entry is not named Quibbleton"
grep -qx 'Name=Quibbleton settings' "$apps/quibbleton-settings.desktop" ||
  fail "the settings entry is not named Quibbleton settings"

icons=$prefix/share/icons/hicolor
png=$icons/48x48/apps/quibbleton.png
svg=$icons/scalable/apps/quibbleton.svg
[ -f "$svg" ] && grep -q '<svg' "$svg" || fail "no scalable icon"
[ -f "$png" ] || fail "no 48 x 48 icon"
# The PNG header's width and height, big-endian at bytes 16 and 20.
size=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
[ "$size" = "48x48" ] || fail "the hicolor 48x48 icon is $size"
echo "desktop entries: 2 passed, 0 failed"
