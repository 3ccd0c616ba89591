#!/usr/bin/env bash
# Makes the Debian package from a build, as `cpack -G DEB` does, and checks it: its name and
# version, its declared dependencies (every library the program links or opens by name), its
# installed layout unpacked into a scratch root, the installed program's headless run from that
# root, and that removing it leaves nothing behind.
#
#   debian_package.sh BUILD_DIR VERSION [CPACK]
set -euo pipefail
build_dir=$1
version=$2
cpack=${3:-cpack}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

arch=$(dpkg --print-architecture)
(cd "$work" && "$cpack" -G DEB -B "$work" --config "$build_dir/CPackConfig.cmake" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb=$work/quibbleton_${version}_${arch}.deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(cd "$work" && ls ./*.deb 2>/dev/null)"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = quibbleton ] || fail "the package is called $(field Package)"
[ "$(field Version)" = "$version" ] || fail "the package's version is $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "the package is built for $(field Architecture)"
dpkg-deb --info "$deb" >/dev/null || fail "dpkg-deb cannot read the package's control file"

# 1. Every path is below /usr, and nothing names the folder the package was staged in.
dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/paths"
stray=$(grep -v -e '^/$' -e '^/usr/' "$work/paths" || true)
[ -z "$stray" ] || fail "the package installs outside /usr: $(echo "$stray" | head -n 3)"

root=$work/root
dpkg-deb --extract "$deb" "$root"
if grep -rlF "_CPack_Packages" "$root" >/dev/null; then
  fail "installed files name the staging folder: $(grep -rlF "_CPack_Packages" "$root" | head -n 3)"
fi

# 2. The installed layout: the program with "Texts.txt" and the build's skins in its folder, the
# link on the PATH, both desktop entries starting the installed program, and the icon.
folder=/usr/lib/quibbleton
[ -f "$root$folder/quibbleton" ] && [ -x "$root$folder/quibbleton" ] || fail "no program in $folder"
cmp -s "$root$folder/Texts.txt" "$build_dir/Texts.txt" || fail "$folder/Texts.txt is not the build's"
built_skins=$(cd "$build_dir/QuibbletonSkins" && find . -type f | sort)
packaged_skins=$(cd "$root$folder/QuibbletonSkins" && find . -type f | sort)
[ -n "$built_skins" ] && [ "$built_skins" = "$packaged_skins" ] ||
  fail "the packaged skins differ from the build's: $packaged_skins"
link=$root/usr/bin/quibbleton
[ -L "$link" ] || fail "/usr/bin/quibbleton is not a link"
[ "$(cd "$root/usr/bin" && realpath "$(readlink quibbleton)")" = "$(realpath "$root$folder/quibbleton")" ] ||
  fail "/usr/bin/quibbleton points to $(readlink "$link")"
for entry in quibbleton:/s quibbleton-settings:/c; do
  file=$root/usr/share/applications/${entry%%:*}.desktop
  [ -f "$file" ] || fail "no ${entry%%:*}.desktop"
  grep -qx "Exec=\"$folder/quibbleton\" ${entry#*:}" "$file" ||
    fail "${entry%%:*}.desktop does not start $folder/quibbleton ${entry#*:}: $(grep '^Exec=' "$file")"
  grep -qx 'Icon=quibbleton' "$file" || fail "${entry%%:*}.desktop names another icon"
done
for icon in 48x48/apps/quibbleton.png scalable/apps/quibbleton.svg; do
  [ -s "$root/usr/share/icons/hicolor/$icon" ] || fail "no hicolor icon $icon"
done

# 3. The declared dependencies name the package of every library the programs link (their
# dynamic section) or open by name at run time (the names in their read-only data).
dpkg-deb --info "$deb" | sed -n 's/^ Depends: //p' | tr ',|' '\n\n' |
  sed 's/([^)]*)//; s/:any//; s/[[:space:]]//g' | grep -v '^$' | sort -u >"$work/depends"
owner_of() {
  local path
  path=$(ldconfig -p | awk -v name="$1" '$1 == name && /x86-64/ {print $NF; exit}')
  [ -n "$path" ] || return 1
  local candidate owner
  for candidate in "$path" "/usr$path" "$(realpath "$path")"; do
    owner=$(dpkg-query --search "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1)
    if [ -n "$owner" ]; then echo "$owner"; return 0; fi
  done
  return 1
}
checked=0
for program in "$root$folder/quibbleton" "$root/usr/bin/quibbleton-skin"; do
  [ -f "$program" ] || continue
  for library in $(strings -a "$program" | grep -E '^lib[A-Za-z0-9_+.-]*\.so\.[0-9]+$' | sort -u); do
    owner=$(owner_of "$library") || fail "$library, which $(basename "$program") needs, belongs to no package here"
    grep -qx "$owner" "$work/depends" ||
      fail "$(basename "$program") needs $library of $owner, which the package does not declare"
    checked=$((checked + 1))
  done
done
# The scan above must see the libraries the sources open by name.
sources=$(cd "$(dirname "$0")/../.." && pwd)
for library in $(grep -rhoE 'dlopen\("[^"]+"' "$sources/platform" "$sources/app" | sed 's/.*("//; s/"$//' | sort -u); do
  owner=$(owner_of "$library") || fail "$library, which the program opens, belongs to no package here"
  grep -qx "$owner" "$work/depends" || fail "the program opens $library of $owner, which the package does not declare"
done
while read -r package; do
  dpkg-query -W "$package" >/dev/null 2>&1 || fail "the declared dependency $package is no installed package here"
done <"$work/depends"

# 4. The installed program runs from the scratch root: its phrase dialog shows the first line of
# the installed "Texts.txt", and its options dialog offers the installed skins.
mkdir -p "$work/run"
run_installed() {
  QUIBBLETON_BACKEND=headless QUIBBLETON_SCREEN=1280x800 QUIBBLETON_SCRIPT=- \
  QUIBBLETON_REGISTRY="$work/registry.reg" XDG_RUNTIME_DIR="$work/run" timeout 60 "$link" "$@"
}
run_installed /s <<SCRIPT || fail "the installed program's main screen run failed"
wait 100
click sButton1
wait 100
dump $work/main.json
SCRIPT
run_installed /c <<SCRIPT || fail "the installed program's options run failed"
wait 100
dump $work/options.json
SCRIPT
python3 - "$work" "$root$folder" <<'PYTHON' || fail "the installed program does not use its installed files"
import json, os, sys
work, folder = sys.argv[1], sys.argv[2]

def nodes(node):
    yield node
    for child in node.get("children", []):
        yield from nodes(child)

def texts(path):
    return {n.get("text") for form in json.load(open(path))["windows"] for n in nodes(form)}

with open(os.path.join(folder, "Texts.txt"), encoding="utf-8-sig") as phrases:
    first = phrases.readline().rstrip("\r\n")
if first not in texts(os.path.join(work, "main.json")):
    sys.exit(f"no phrase dialog shows the installed first phrase {first!r}")
items = set()
for form in json.load(open(os.path.join(work, "options.json")))["windows"]:
    for n in nodes(form):
        items.update(n.get("items", []))
for entry in os.listdir(os.path.join(folder, "QuibbletonSkins")):
    name = entry[:-4] if entry.endswith(".mvz") else entry
    if name not in items:
        sys.exit(f"the options dialog does not offer the installed skin {name!r}")
PYTHON

# 5. Installed and removed by dpkg in a root of its own, the package leaves no file behind.
if [ "$(id -u)" -eq 0 ]; then
  system=$work/system
  mkdir -p "$system/var/lib/dpkg/info" "$system/var/lib/dpkg/updates"
  touch "$system/var/lib/dpkg/status" "$system/var/lib/dpkg/available"
  # dpkg's own log stays in the scratch folder, not the system's.
  dpkg=(dpkg --root="$system" --log="$work/dpkg-actions.log" --force-script-chrootless)
  "${dpkg[@]}" --force-depends -i "$deb" >"$work/dpkg.log" 2>&1 ||
    { cat "$work/dpkg.log" >&2; fail "dpkg could not install the package"; }
  [ -L "$system/usr/bin/quibbleton" ] || fail "dpkg's installation has no /usr/bin/quibbleton"
  "${dpkg[@]}" -r quibbleton >>"$work/dpkg.log" 2>&1 ||
    { cat "$work/dpkg.log" >&2; fail "dpkg could not remove the package"; }
  left=$(cd "$system" && find . -mindepth 1 -not -path ./var -not -path ./var/lib -not -path './var/lib/dpkg*')
  [ -z "$left" ] || fail "removing the package left: $left"
else
  echo "not root: the install and removal by dpkg are left out"
fi
echo "debian package: $(wc -l <"$work/paths") paths, $checked libraries declared, installed program ran"
