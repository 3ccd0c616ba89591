#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# the include-layer check, unit and end-to-end tests, the same tests under AddressSanitizer + UBSan,
# each benchmark once, the real-window smoke tests under Xvfb, and each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
fuzz_seconds=${QUIBBLETON_FUZZ_SECONDS:-60}

echo "== include layers"
python3 scripts/check_layers.py
python3 scripts/check_layers_test.py

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"

echo "== tests"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== benchmarks (one short run each)"
for b in build/bench/*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  "$b" --benchmark_min_time=0.01 >/dev/null
  echo "ran $(basename "$b")"
done

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIBBLETON_SANITIZE=ON -DQUIBBLETON_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")

if [ -f fuzz/CMakeLists.txt ] && ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "== fuzzing (${fuzz_seconds}s per target)"
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
        -DCMAKE_CXX_COMPILER=clang++ -DQUIBBLETON_FUZZ=ON -DQUIBBLETON_TESTS=OFF -DQUIBBLETON_BENCH=OFF >/dev/null
  cmake --build build-fuzz -j "$jobs"
  for f in build-fuzz/fuzz/*; do
    [ -f "$f" ] && [ -x "$f" ] || continue
    name=$(basename "$f")
    corpus=$(mktemp -d)
    [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
    # Every input gets a time limit and the run a memory limit far below what the hostile
    # skins and pictures of the seed corpora took before the program bounded them (gigabytes),
    # and above what a skin load may hold (256 MB) with the sanitizers' own overhead.
    # Inputs no longer than the harness can take quickly: every seed fits, and the search
    # does not spend its time on texts of thousands of sections.
    case "$name" in
      fuzz_options) max_len=2048 ;;
      fuzz_inheritance | fuzz_paint) max_len=1024 ;;
      *) max_len=4096 ;;
    esac
    # The sanitizer's fill of every fresh block with a marker byte is a debugging aid, not a
    # check; leaving it out lets the search try more inputs in the same time.
    ASAN_OPTIONS=max_malloc_fill_size=0 \
    "$f" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=300 \
         -max_len="$max_len" "$corpus" 2>&1 | tail -n 2
    rm -rf "$corpus"
  done
fi
echo "== all checks passed"
