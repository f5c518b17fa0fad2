#!/bin/sh
# Builds and runs the whole suite through CTest:
#   1. the plain build: unit tests, end-to-end tests (each under its own Xvfb);
#   2. the unit tests under ThreadSanitizer;
#   3. one clang build under AddressSanitizer and UndefinedBehaviorSanitizer
#      for two steps: the unit tests, then the fuzz target (libFuzzer) for
#      100 000 inputs shared among the job count's processes.
set -eu
root="$(cd "$(dirname "$0")" && pwd)"
cd "$root"
jobs="${ZOLVI_JOBS:-$(nproc 2>/dev/null || echo 2)}"

tsan_args="-DZOLVI_SANITIZE=thread -DZOLVI_BUILD_BENCH=OFF"
# The unit tests and the fuzz target share one build: the library is
# compiled once with both sanitizers and the fuzzer's coverage.
asan_args="-DZOLVI_SANITIZE=address -DZOLVI_FUZZ=ON -DZOLVI_FUZZ_JOBS=$jobs -DZOLVI_BUILD_BENCH=OFF"

"$root/scripts/setup.sh"

# With four jobs or more the plain build leaves most of them idle while its
# exprtk unit compiles. The sanitizer builds' own exprtk units, their longest
# compilations, are compiled beside it at a lower priority; each step waits
# for its own, and builds it itself should that have failed.
exprtk_object=CMakeFiles/zolvi_core.dir/src/Variables.cpp.o
tsan_early=""
asan_early=""
if [ "$jobs" -ge 4 ]; then
    # Should a step fail, the script ends once they have ended.
    trap wait EXIT
    mkdir -p build-tsan build-asan
    ZOLVI_JOBS=1 ZOLVI_TARGET=$exprtk_object nice -n 10 "$root/scripts/setup.sh" build-tsan $tsan_args \
        >build-tsan/early-exprtk.log 2>&1 &
    tsan_early=$!
    CC=clang CXX=clang++ ZOLVI_JOBS=1 ZOLVI_TARGET=$exprtk_object nice -n 10 "$root/scripts/setup.sh" build-asan $asan_args \
        >build-asan/early-exprtk.log 2>&1 &
    asan_early=$!
fi

# Waits for an early compilation started above; shows its log if it failed.
wait_early() {
    [ -n "$1" ] || return 0
    wait "$1" || { echo "(the early exprtk compilation failed:)"; cat "$2"; }
}

echo "== plain build"
# What the tests run, and the sender; the benchmarks are built by
# scripts/setup.sh build alone, as no step here runs them.
ZOLVI_TARGET="ZolviViewer zsend unit_tests e2e_tests" "$root/scripts/setup.sh" build
(cd build && ctest --output-on-failure -j "$jobs")

echo "== ThreadSanitizer"
wait_early "$tsan_early" build-tsan/early-exprtk.log
ZOLVI_TARGET=unit_tests "$root/scripts/setup.sh" build-tsan $tsan_args
(cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --output-on-failure -j "$jobs" -L unit)

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
wait_early "$asan_early" build-asan/early-exprtk.log
CC=clang CXX=clang++ ZOLVI_TARGET="unit_tests fuzz_command" "$root/scripts/setup.sh" build-asan $asan_args
(cd build-asan && ASAN_OPTIONS="detect_leaks=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --output-on-failure -j "$jobs" -L unit)

echo "== fuzz"
(cd build-asan && ctest --output-on-failure -L fuzz)
