#!/bin/bash
# Measures the fuzz target's rate: one process on one core fuzzes from the
# committed seeds (into a scratch corpus, libFuzzer's seed 1) with the
# settings of the fuzz test, and prints the inputs run per second of wall
# time and of processor time. The fuzz build build-fuzz must exist.
#
#   scripts/fuzz-rate.sh [-c CORE] [-t SECONDS]
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
core=2
seconds=60
while getopts "c:t:" option; do
    case "$option" in
    c) core="$OPTARG" ;;
    t) seconds="$OPTARG" ;;
    *) sed -n '2,7p' "$0"; exit 2 ;;
    esac
done
target="$root/build-fuzz/tests/fuzz/fuzz_command"
# The scratch corpus in memory where there is a tmpfs: in the first minute
# a new input is saved several times a second, and creating files on a
# busy ext4 disk took a tenth of the time.
scratch="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/corpus"
. "$root/tests/fuzz/settings.sh"
export ASAN_OPTIONS="$FUZZ_ASAN_OPTIONS" UBSAN_OPTIONS="$FUZZ_UBSAN_OPTIONS"
/usr/bin/time -f "%U %S %e" -o "$scratch/time" taskset -c "$core" "$target" -max_total_time="$seconds" -seed=1 \
    $FUZZ_ARGUMENTS -print_final_stats=1 \
    -dict="$root/build-fuzz/tests/fuzz/command.dict" "$scratch/corpus" "$root/tests/fuzz/corpus" \
    >"$scratch/log" 2>&1 || true
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$scratch/log")
read -r user system wall <"$scratch/time"
awk -v runs="${runs:-0}" -v cpu="$(echo "$user + $system" | bc)" -v wall="$wall" 'BEGIN {
    printf "%d inputs in %.1f s: %.0f per second, %.0f per processor second\n", runs, wall, runs / wall, runs / cpu }'
