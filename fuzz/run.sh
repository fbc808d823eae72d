#!/usr/bin/env bash
# Builds the decoder, resource, RTF, clipboard-picture, barcode-request, field-list, data-source, layout file,
# profile, command-line, instance-channel, history, identifier-file and layout-opening fuzz targets with clang and runs them over
# their seed corpus, regression inputs and grown corpus, then for a bounded
# time.
#   fuzz/run.sh build [build folder]                       builds every target
#   fuzz/run.sh seeds [build folder]                       writes the generated seeds (a main
#                                                          build with TAV_FUZZ built the targets)
#   fuzz/run.sh run [build folder] TARGET [seconds]        runs one built target
#   fuzz/run.sh grow [build folder] [seconds]              fuzzes every decoder target with a fresh
#                                                          seed and merges what adds coverage into
#                                                          tests/image/data/grown
#   fuzz/run.sh [build folder] [seconds]                   build, then run every target in turn
# ctest runs "build" once and "run" for every target in parallel. A run exits
# non-zero when the target finds a crash, a leak or undefined behaviour; the
# input that did it is left in the run's folder (crash-*, leak-*, ...).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
decoders=(decode_fuzzer decode_fuzzer_bytes decode_fuzzer_bmp decode_fuzzer_tga decode_fuzzer_pcx decode_fuzzer_psd
  decode_fuzzer_pict decode_fuzzer_wemf)
# The designer's small readers: profiles and language files, the command
# line, the single-instance protocol, history files, the identifier file and
# the outer opening of a layout.
small=(profile_fuzzer command_line_fuzzer instance_channel_fuzzer history_fuzzer ai_file_fuzzer layout_load_fuzzer)
targets=("${decoders[@]}" resource_fuzzer rtf_fuzzer kvobcode_fuzzer field_list_fuzzer clipboard_picture_fuzzer
  datasource_fuzzer layout_file_fuzzer "${small[@]}")
# The field list, data-source and layout file targets share one target's
# time: each runs a third of the seconds it is given, so adding the second
# and third kept the test run as long as it was.
shared=(field_list_fuzzer datasource_fuzzer layout_file_fuzzer)
data="$root/tests/image/data"

# The folders a target starts from.
inputs_of() {
  if [ "$1" = resource_fuzzer ]; then
    echo "$root/tests/platform/data/resource_corpus"
  elif [ "$1" = rtf_fuzzer ]; then
    echo "$root/tests/platform/data/rtf_corpus"
  elif [ "$1" = clipboard_picture_fuzzer ]; then
    echo "$root/tests/platform/data/clipboard_picture_corpus"
  elif [ "$1" = kvobcode_fuzzer ]; then
    echo "$root/tests/barcode/data/request_corpus"
  elif [ "$1" = field_list_fuzzer ]; then
    echo "$root/tests/fields/data/list_corpus"
  elif [ "$1" = datasource_fuzzer ]; then
    # Written by the stored forms' own writers when the targets are built.
    echo "$build/datasource_corpus"
  elif [ "$1" = layout_file_fuzzer ]; then
    # Written by the layout file's writers when the targets are built.
    echo "$build/layout_file_corpus"
  elif [ "$1" = layout_load_fuzzer ]; then
    # The same layouts as whole files, written with them.
    echo "$build/layout_load_corpus"
  elif [ "$1" = profile_fuzzer ]; then
    echo "$root/tests/app/data/profile_corpus $root/app/ui/lang"
  elif [ "$1" = ai_file_fuzzer ]; then
    echo "$root/tests/barcode/data/ai_file_corpus"
  elif [ "${1%_fuzzer}" != "$1" ] && [ -d "$root/tests/app/data/${1%_fuzzer}_corpus" ]; then
    # command_line, instance_channel, history
    echo "$root/tests/app/data/${1%_fuzzer}_corpus"
  else
    echo "$data/corpus $data/regress $data/grown"
  fi
}

mode=all
case "${1:-}" in build | seeds | run | grow) mode=$1; shift ;; esac
build="${1:-$root/build/fuzz}"
mkdir -p "$build"
build="$(cd "$build" && pwd)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

build_targets() {
  command -v clang++ >/dev/null || { echo "clang++ is not installed (scripts/install-deps.sh)"; exit 1; }
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$build" -j"${TAV_FUZZ_BUILD_JOBS:-4}" --target "${targets[@]}" datasource_seeds layout_file_seeds
  write_seeds
}

# The seeds the stored forms' own writers make, into the build folder.
write_seeds() {
  rm -rf "$build/datasource_corpus" "$build/layout_file_corpus" "$build/layout_load_corpus"
  "$build/datasource_seeds" "$build/datasource_corpus"
  "$build/layout_file_seeds" "$build/layout_file_corpus" "$build/layout_load_corpus"
}

# The seconds a target runs of the SECONDS it is given: the shared ones
# split one target's time, and so do the small readers among themselves.
seconds_of() {
  local group target
  for group in shared small; do
    local -n members=$group
    for target in "${members[@]}"; do
      if [ "$target" = "$1" ]; then
        echo $(( ($2 + ${#members[@]} - 1) / ${#members[@]} ))
        return
      fi
    done
    unset -n members
  done
  echo "$2"
}

# run TARGET SECONDS SEED [folder for new inputs]
run_target() {
  local target=$1 seconds=$2 seed=$3 work="$build/run-$1"
  rm -rf "$work"
  mkdir -p "$work/new"
  # New inputs go to the first folder, never into the repository.
  local inputs
  read -r -a inputs <<<"$(inputs_of "$target")"
  echo "== $target: ${inputs[*]#$root/}, then ${seconds}s (seed $seed)"
  if ! (cd "$work" && "$build/$target" -rss_limit_mb=2560 -malloc_limit_mb=2048 -timeout=20 \
          -max_total_time="$seconds" -seed="$seed" -print_final_stats=1 \
          "$work/new" "${inputs[@]}" 2>"$work/log.txt"); then
    echo "!! $target failed; see $work/log.txt and the crash files in $work"
    tail -n 60 "$work/log.txt"
    return 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$work/log.txt" || true
}

case "$mode" in
  build)
    build_targets
    ;;
  seeds)
    # A main build with TAV_FUZZ has built the targets and seed makers.
    write_seeds
    ;;
  run)
    target="${2:?which target}"
    # A fixed seed makes a run repeat itself, so a failure in CI is one a
    # developer sees again; TAV_FUZZ_SEED=0 asks libFuzzer for a fresh seed.
    run_target "$target" "$(seconds_of "$target" "${3:-30}")" "${TAV_FUZZ_SEED:-1}"
    ;;
  grow)
    # Fresh seeds, every target at once, then one minimising merge: only
    # inputs that add coverage to what the repository already holds join
    # tests/image/data/grown. Inputs are named by their hash, so a merge
    # never renames what is there.
    build_targets
    seconds="${2:-300}"
    # At most TAV_FUZZ_JOBS targets at once (4 unless set).
    export build data root
    export -f run_target inputs_of
    printf '%s\n' "${decoders[@]}" |
      xargs -P "${TAV_FUZZ_JOBS:-4}" -I{} bash -c 'run_target {} '"$seconds"' 0 >"$build/grow-{}.txt" 2>&1' ||
      { cat "$build"/grow-*.txt; exit 1; }
    cat "$build"/grow-*.txt
    mkdir -p "$data/grown"
    merged="$build/merged"
    rm -rf "$merged"
    mkdir -p "$merged"
    cp "$data"/corpus/* "$data"/regress/* "$merged/"
    cp "$data"/grown/* "$merged/" 2>/dev/null || true
    for target in "${decoders[@]}"; do
      "$build/$target" -merge=1 -rss_limit_mb=2560 -malloc_limit_mb=2048 -timeout=20 \
        "$merged" "$build/run-$target/new" 2>>"$build/merge.txt"
    done
    for f in "$merged"/*; do
      name=$(basename "$f")
      [ -e "$data/corpus/$name" ] || [ -e "$data/regress/$name" ] || cp -n "$f" "$data/grown/"
    done
    du -sh "$data/grown"
    ;;
  all)
    build_targets
    status=0
    for target in "${targets[@]}"; do
      run_target "$target" "$(seconds_of "$target" "${2:-30}")" "${TAV_FUZZ_SEED:-1}" || status=1
    done
    exit $status
    ;;
esac
