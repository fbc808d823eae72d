#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# them all; builds the tests a second time with ThreadSanitizer, in a folder of
# its own, and runs the threaded ones there while the first run goes on.
# Warnings are errors in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${TAV_TEST_BUILD_DIR:-build/test}
tsan_build=${TAV_TSAN_BUILD_DIR:-build/tsan}
jobs=$(nproc)

# The tests that run threads (a --gtest_filter pattern): message queues and
# cross-thread sending, the handle and object tables, locks and interlocked
# counts, the string class's shared blocks, the font cache and shared fonts,
# the clipboard, trace settings, the print thread, and whatever test names threads or
# concurrency (the barcode library drawing every symbology on many threads).
tsan_tests='Queue.*:CrossThread.*:MsgWait.*:HandleTable.*:DeadHandles.*:GdiObjects.*:FontEngine.*:ClipboardTest.*'
tsan_tests+=':CriticalSection.*:Interlocked.*:AStringBlock.*:TraceSettings.*:*Thread*:*Concurrent*'

# Both builds use clang, which compiles this code in about half of gcc's time,
# and lld; line tables are all the debug information a sanitizer's report
# needs. The code under test is optimised a little (-O1: the tests run a third
# faster and the fuzzers twice as fast), the test sources are not. The main
# build carries the fuzzers' coverage instrumentation and builds the fuzz
# targets from its own objects.
compilers=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
  "-DCMAKE_C_FLAGS_DEBUG=-g1 -O1" "-DCMAKE_CXX_FLAGS_DEBUG=-g1 -O1" -DTAV_UNOPTIMISED_TESTS=ON
  -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${compilers[@]}" -DTAV_SANITIZE=ON -DTAV_FUZZ=ON \
  -DTAV_BUILD_BENCH=OFF -DTAV_WERROR=ON
cmake --build "$build" -j "$jobs"
cmake -S . -B "$tsan_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${compilers[@]}" -DTAV_TSAN=ON -DTAV_BUILD_BENCH=OFF \
  -DTAV_WERROR=ON "-DTAV_TEST_FILTER=$tsan_tests" > /dev/null

# The ThreadSanitizer build and run take what the main run leaves idle, at a
# lower priority: on a small machine with every core, so they neither slow the
# main run down nor crawl along on one core once it has ended; on a larger one
# with half of them, which bounds the memory of both builds at once.
tsan_jobs=$(( jobs > 4 ? (jobs + 1) / 2 : jobs ))
tsan_log="$tsan_build/tsan-run.log"
(
  nice -n 10 cmake --build "$tsan_build" -j "$tsan_jobs" --target test_platform test_foundation test_image test_barcode \
    test_print_thread &&
    TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1} \
      nice -n 10 ctest --test-dir "$tsan_build" --output-on-failure -j "$tsan_jobs" --timeout 1200 \
        -R '^(platform|foundation|image|barcode|print_thread)/'
) > "$tsan_log" 2>&1 &
tsan_pid=$!

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 1200 || status=$?

echo "== ThreadSanitizer run ($tsan_log)"
if wait "$tsan_pid"; then
  tail -n 3 "$tsan_log"
else
  cat "$tsan_log"
  status=1
fi
exit "$status"
