#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Quibbleton need.
# Installs nothing when every package is already present; uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  zlib1g-dev libjpeg62-turbo-dev libsdl2-dev libx11-dev
  libfreetype-dev libharfbuzz-dev libfontconfig-dev libpng-dev
  fontconfig fonts-dejavu-core fonts-wine
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  xvfb xserver-xephyr openbox xdotool imagemagick x11-utils x11-xserver-utils desktop-file-utils
  clang libclang-rt-14-dev clang-format
  python3
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 libjpeg-turbo-progs
  libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
  fonts-liberation
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi

# The program adds Wine's font folder to its own font configuration; a system-wide cache of the
# folder spares every user's first start the scan of its fonts (about 30 ms). Refreshing it is
# not worth a password prompt on every build, so with nothing to install sudo may not ask.
cache_program_fonts() {
  local folder=/usr/share/wine/fonts
  if [ -d "$folder" ] && command -v fc-cache >/dev/null; then
    "${sudo[@]}" "$@" fc-cache "$folder" 2>/dev/null || true
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  if [ ${#sudo[@]} -eq 0 ]; then cache_program_fonts; else cache_program_fonts -n; fi
  exit 0
fi

if [ ${#sudo[@]} -gt 0 ] && ! command -v sudo >/dev/null; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Installing them needs root: run scripts/install-deps.sh as root, or install sudo." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
cache_program_fonts
