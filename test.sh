#!/bin/sh
# Builds and runs the whole suite through CTest:
#   1. the plain build: unit tests, end-to-end tests (each under its own Xvfb);
#   2. the unit tests under ThreadSanitizer;
#   3. the unit tests under AddressSanitizer and UndefinedBehaviorSanitizer
#      (clang, which compiles them in about half the time gcc takes);
#   4. the fuzz target for a bounded time (clang, libFuzzer).
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

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
CC=clang CXX=clang++ ZOLVI_TARGET=unit_tests "$root/scripts/setup.sh" build-asan -DZOLVI_SANITIZE=address -DZOLVI_BUILD_BENCH=OFF
(cd build-asan && ASAN_OPTIONS="detect_leaks=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --output-on-failure -j "$jobs" -L unit)

if [ -f "$root/tests/fuzz/CMakeLists.txt" ]; then
    echo "== fuzz"
    CC=clang CXX=clang++ ZOLVI_TARGET=fuzz_command "$root/scripts/setup.sh" build-fuzz \
        -DZOLVI_FUZZ=ON -DZOLVI_BUILD_BENCH=OFF
    (cd build-fuzz && ctest --output-on-failure -L fuzz)
fi
