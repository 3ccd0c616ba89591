#!/usr/bin/env bash
# Builds the Windows program with the MinGW-w64 cross toolchain and lays it out for users:
# OUT_DIR/Quibbleton/ holds "Quibbleton.scr" with "Texts.txt" and "QuibbletonSkins" beside
# it, and OUT_DIR/Quibbleton-windows.zip holds that folder. OUT_DIR defaults to dist/.
# QUIBBLETON_WINDOWS_TESTS=ON builds the test programs too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/dist}
mkdir -p "$out"
out=$(cd "$out" && pwd)
build=${QUIBBLETON_WINDOWS_BUILD:-$root/build-windows}

bash "$root/scripts/install-deps.sh"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# -O2, as the Linux build: at -O3 GCC 12 warns falsely inside the standard library's string
# and vector code.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DQUIBBLETON_BENCH=OFF \
  -DQUIBBLETON_TESTS="${QUIBBLETON_WINDOWS_TESTS:-OFF}" "${launcher[@]}" >/dev/null
targets=(quibbleton quibbleton_texts quibbleton_skins)
if [ "${QUIBBLETON_WINDOWS_TESTS:-OFF}" = ON ]; then targets=(all); fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

folder=$out/Quibbleton
rm -rf "$folder" "$out/Quibbleton-windows.zip"
mkdir -p "$folder"
cp "$build/Quibbleton.scr" "$build/Texts.txt" "$folder/"
cp -r "$build/QuibbletonSkins" "$folder/"
(cd "$out" && cmake -E tar cf Quibbleton-windows.zip --format=zip Quibbleton)
echo "$folder/Quibbleton.scr"
echo "$out/Quibbleton-windows.zip"
