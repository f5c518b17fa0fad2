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

echo "== plain build"
# What the tests run, and the sender; the benchmarks are built by
# scripts/setup.sh build alone, as no step here runs them.
ZOLVI_TARGET="ZolviViewer zsend unit_tests e2e_tests" "$root/scripts/setup.sh" build
(cd build && ctest --output-on-failure -j "$jobs")

echo "== ThreadSanitizer"
ZOLVI_TARGET=unit_tests "$root/scripts/setup.sh" build-tsan -DZOLVI_SANITIZE=thread -DZOLVI_BUILD_BENCH=OFF
(cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --output-on-failure -j "$jobs" -L unit)

# The unit tests and the fuzz target share one build: the library is
# compiled once with both sanitizers and the fuzzer's coverage.
echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
CC=clang CXX=clang++ ZOLVI_TARGET="unit_tests fuzz_command" "$root/scripts/setup.sh" build-asan \
    -DZOLVI_SANITIZE=address -DZOLVI_FUZZ=ON -DZOLVI_FUZZ_JOBS="$jobs" -DZOLVI_BUILD_BENCH=OFF
(cd build-asan && ASAN_OPTIONS="detect_leaks=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --output-on-failure -j "$jobs" -L unit)

echo "== fuzz"
(cd build-asan && ctest --output-on-failure -L fuzz)
