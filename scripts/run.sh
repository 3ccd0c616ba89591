#!/usr/bin/env bash
# Installs what is missing, builds the program and shows its main screen. Only the program,
# its "Texts.txt" and the skins beside it are built; scripts/test.sh builds everything else.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quibbleton quibbleton_skins
exec ./build/quibbleton /s "$@"
