#!/usr/bin/env bash
# Builds the decoder and resource fuzz targets with clang and runs each over the seed
# corpus and the regression inputs, then for a bounded time.
#   fuzz/run.sh [build folder] [seconds per target]
# Exits non-zero when a target finds a crash, a leak or undefined behaviour;
# the input that did it is left in the build folder (crash-*, leak-*, ...).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="${1:-$root/build/fuzz}"
mkdir -p "$build"
build="$(cd "$build" && pwd)"
seconds="${2:-30}"
# A fixed seed makes a run repeat itself, so a failure in CI is one a developer
# sees again; TAV_FUZZ_SEED=0 asks libFuzzer for a fresh seed when fuzzing by hand.
seed="${TAV_FUZZ_SEED:-1}"
corpus="$root/tests/image/data/corpus"
regress="$root/tests/image/data/regress"

command -v clang++ >/dev/null || { echo "clang++ is not installed (scripts/install-deps.sh)"; exit 1; }
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j3 --target decode_fuzzer decode_fuzzer_bmp decode_fuzzer_tga decode_fuzzer_pcx \
  decode_fuzzer_psd decode_fuzzer_pict decode_fuzzer_wemf resource_fuzzer

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
status=0
for target in decode_fuzzer decode_fuzzer_bmp decode_fuzzer_tga decode_fuzzer_pcx decode_fuzzer_psd decode_fuzzer_pict \
    decode_fuzzer_wemf resource_fuzzer; do
  work="$build/run-$target"
  rm -rf "$work"
  mkdir -p "$work/corpus"
  if [ "$target" = resource_fuzzer ]; then
    cp "$root/tests/platform/data/resource_corpus"/* "$work/corpus/"
  else
    cp "$corpus"/* "$work/corpus/"
  fi
  echo "== $target: corpus and regression inputs, then ${seconds}s"
  # New inputs go to the first folder (a copy), never into the repository.
  if ! (cd "$work" && "$build/$target" -rss_limit_mb=2560 -malloc_limit_mb=2048 -timeout=20 \
          -max_total_time="$seconds" -seed="$seed" -print_final_stats=1 "$work/corpus" "$regress" 2>"$work/log.txt"); then
    echo "!! $target failed; see $work/log.txt and the crash files in $work"
    tail -n 60 "$work/log.txt"
    status=1
  fi
done
exit $status
