#!/usr/bin/env bash
# Runs one libFuzzer target of build-fuzz with the project's limits, on a corpus folder that
# keeps what the search finds (seeded from fuzz/corpus/NAME when empty). A crashing input is
# written to build-fuzz/artifacts/. Prints libFuzzer's output; the exit status is the target's.
#
#   scripts/fuzz.sh NAME SECONDS [CORPUS_DIR]    (default corpus: fuzz/corpus-work/NAME)
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: scripts/fuzz.sh NAME SECONDS [CORPUS_DIR]}
seconds=${2:?usage: scripts/fuzz.sh NAME SECONDS [CORPUS_DIR]}
corpus=${3:-fuzz/corpus-work/$name}
target=build-fuzz/fuzz/$name
[ -x "$target" ] || { echo "no fuzz target at $target; build build-fuzz first (see README.md)" >&2; exit 1; }

mkdir -p "$corpus" build-fuzz/artifacts
if [ -z "$(ls -A "$corpus")" ] && [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$corpus/"; fi

# Every input gets a time limit and the run a memory limit far below what the hostile skins and
# pictures of the seed corpora took before the program bounded them (gigabytes), and above what
# a skin load may hold (256 MB) with the sanitizers' own overhead. Inputs no longer than the
# harness can take quickly: every seed fits, and the search does not spend its time on texts
# of thousands of sections.
case "$name" in
  fuzz_options) max_len=2048 ;;
  fuzz_inheritance | fuzz_paint) max_len=1024 ;;
  *) max_len=4096 ;;
esac
# The sanitizer's fill of every fresh block with a marker byte is a debugging aid, not a check;
# leaving it out lets the search try more inputs in the same time.
ASAN_OPTIONS=max_malloc_fill_size=0 \
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=300 \
     -max_len="$max_len" -artifact_prefix="build-fuzz/artifacts/$name-" "$corpus"
