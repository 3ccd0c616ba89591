#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the include-layer check, unit
# and end-to-end tests, the same tests under AddressSanitizer + UBSan, each benchmark once, the
# real-window smoke tests under Xvfb, and each fuzz target briefly.
#
#   scripts/test.sh [PHASE...]    runs only the named phases, in the order given; without
#                                 names all of them: layers build tests bench windows asan fuzz
#
# The tests and bench phases use the build the build phase makes.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
fuzz_seconds=${QUIBBLETON_FUZZ_SECONDS:-60}
# libFuzzer keeps one core busy per target.
fuzz_jobs=$((jobs < 2 ? jobs : 2))
all_phases=(layers build tests bench windows asan fuzz)

phase_layers() {
  echo "== include layers"
  python3 scripts/check_layers.py
  python3 scripts/check_layers_test.py
}

phase_build() {
  echo "== build"
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j "$jobs"
}

phase_tests() {
  echo "== tests"
  (cd build && ctest --output-on-failure -j "$jobs")
}

phase_bench() {
  echo "== benchmarks (one short run each)"
  local results name files=()
  results=$(mktemp -d)
  for b in build/bench/*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    name=$(basename "$b")
    # Google Benchmark's banner goes to standard error; it is shown only when the run fails.
    if ! "$b" --benchmark_min_time=0.01 --benchmark_out="$results/$name.json" \
         --benchmark_out_format=json >/dev/null 2>"$results/$name.err"; then
      cat "$results/$name.err" >&2
      echo "benchmark $name failed" >&2
      rm -rf "$results"
      return 1
    fi
    files+=("$results/$name.json")
  done
  if [ ${#files[@]} -gt 0 ]; then python3 scripts/bench_table.py "${files[@]}"; fi
  rm -rf "$results"
}

# The Windows program, cross-built with MinGW-w64 into build-windows/ and packed as the archive
# its users get (build-windows/dist/), and its tests under Wine in a prefix of that folder.
phase_windows() {
  echo "== Windows build and its tests under Wine"
  QUIBBLETON_WINDOWS_TESTS=ON bash scripts/build-windows.sh build-windows/dist
  (cd build-windows && WINEDEBUG=-all ctest --output-on-failure -j "$jobs")
}

# clang compiles the sanitizer build about twice as fast as g++ does.
phase_asan() {
  echo "== sanitizer build"
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DQUIBBLETON_SANITIZE=ON -DQUIBBLETON_BENCH=OFF >/dev/null
  cmake --build build-asan -j "$jobs"
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")
}

# Executions per second of a finished libFuzzer run, from its closing statistics line.
fuzz_speed() {
  local speed
  speed=$(sed -n 's/.*[[:space:]]DONE[[:space:]].*exec\/s: \([0-9]*\).*/\1/p' "$1" | tail -n 1)
  echo "${speed:-?}"
}

phase_fuzz() {
  [ -f fuzz/CMakeLists.txt ] && ls fuzz/*.cpp >/dev/null 2>&1 || return 0
  echo "== fuzzing (${fuzz_seconds}s per target, $fuzz_jobs at a time)"
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
        -DCMAKE_CXX_COMPILER=clang++ -DQUIBBLETON_FUZZ=ON -DQUIBBLETON_TESTS=OFF -DQUIBBLETON_BENCH=OFF >/dev/null
  local logs name names=() running=0 failed=0 targets=()
  # Only the targets: the program and the tools built with the fuzzer's instrumentation are
  # never run.
  for f in fuzz/*.cpp; do targets+=("$(basename "$f" .cpp)"); done
  cmake --build build-fuzz -j "$jobs" --target "${targets[@]}"
  logs=$(mktemp -d)
  for f in build-fuzz/fuzz/*; do
    [ -f "$f" ] && [ -x "$f" ] || continue
    name=$(basename "$f")
    names+=("$name")
    if [ "$running" -ge "$fuzz_jobs" ]; then
      wait -n || true
      running=$((running - 1))
    fi
    # A fresh corpus folder per run: the seeds, and what this run finds.
    (
      status=0
      bash scripts/fuzz.sh "$name" "$fuzz_seconds" "$logs/$name.corpus" >"$logs/$name.log" 2>&1 || status=$?
      echo "$status" >"$logs/$name.status"
    ) &
    running=$((running + 1))
  done
  wait
  for name in "${names[@]}"; do
    if [ "$(cat "$logs/$name.status" 2>/dev/null)" = 0 ]; then
      printf '%-20s %s exec/s\n' "$name" "$(fuzz_speed "$logs/$name.log")"
    else
      printf '%-20s FAILED\n' "$name"
      tail -n 30 "$logs/$name.log"
      failed=1
    fi
  done
  rm -rf "$logs"
  return "$failed"
}

phases=("$@")
[ ${#phases[@]} -gt 0 ] || phases=("${all_phases[@]}")
for phase in "${phases[@]}"; do
  if ! declare -F "phase_$phase" >/dev/null; then
    echo "unknown phase '$phase'; the phases are: ${all_phases[*]}" >&2
    exit 2
  fi
done

bash scripts/install-deps.sh
for phase in "${phases[@]}"; do
  "phase_$phase"
done
if [ $# -eq 0 ]; then echo "== all checks passed"; else echo "== passed: ${phases[*]}"; fi
