#!/bin/bash
# Runs a fuzzing campaign of the command dispatcher by hand: several
# libFuzzer processes share one corpus folder for a given time. A process
# that finds a crash saves the input in the findings folder and is started
# again for the rest of the time, so one finding does not end the campaign.
#
#   scripts/fuzz-campaign.sh [-p PROCESSES] [-t SECONDS] [-c CORPUS] [-o OUTPUT] [-n]
#
#   -p  processes (default 4)
#   -t  seconds in all (default 3600)
#   -c  corpus folder that the processes share and grow (default
#       OUTPUT/corpus); the committed seeds in tests/fuzz/corpus are read too
#   -o  output folder for the corpus, the findings and the logs
#       (default build-fuzz/campaign)
#   -n  do not build first (the fuzz build build-fuzz must exist)
#
# Each finding reproduces alone:
#   OUTPUT/fuzz_command OUTPUT/findings/crash-...
# At the end the script prints the inputs run in all and per second.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
processes=4
seconds=3600
corpus=""
output="$root/build-fuzz/campaign"
build=1
while getopts "p:t:c:o:n" option; do
    case "$option" in
    p) processes="$OPTARG" ;;
    t) seconds="$OPTARG" ;;
    c) corpus="$OPTARG" ;;
    o) output="$OPTARG" ;;
    n) build=0 ;;
    *) sed -n '2,19p' "$0"; exit 2 ;;
    esac
done
corpus="${corpus:-$output/corpus}"
mkdir -p "$output/findings" "$output/logs" "$corpus"

if [ "$build" -eq 1 ]; then
    CC=clang CXX=clang++ ZOLVI_TARGET=fuzz_command "$root/scripts/setup.sh" build-fuzz \
        -DZOLVI_FUZZ=ON -DZOLVI_BUILD_BENCH=OFF
fi
# Copies, so that a rebuild while the campaign runs does not disturb it.
cp "$root/build-fuzz/tests/fuzz/fuzz_command" "$root/build-fuzz/tests/fuzz/command.dict" "$output/"
target="$output/fuzz_command"
dictionary="$output/command.dict"
# The same settings as the fuzz test of CTest.
. "$root/tests/fuzz/settings.sh"
export ASAN_OPTIONS="$FUZZ_ASAN_OPTIONS" UBSAN_OPTIONS="$FUZZ_UBSAN_OPTIONS"

# One process: runs until its time is spent, started again after a finding.
# It takes up what the others found once a minute: reading the shared
# folder every second cost a seventh of the time once it held 30 000 inputs.
worker() {
    local index="$1" end=$(($(date +%s) + seconds)) run=0
    while [ "$(date +%s)" -lt "$end" ]; do
        run=$((run + 1))
        "$target" -max_total_time=$((end - $(date +%s))) $FUZZ_ARGUMENTS \
            -reload=60 -print_final_stats=1 -dict="$dictionary" \
            -artifact_prefix="$output/findings/" "$corpus" "$root/tests/fuzz/corpus" \
            >"$output/logs/$campaign.worker$index.$run.log" 2>&1 || true
    done
}

echo "Fuzzing with $processes processes for $seconds s; corpus $corpus, findings $output/findings"
start=$(date +%s)
campaign="campaign-$start"
for index in $(seq 1 "$processes"); do
    worker "$index" &
done
wait
elapsed=$(($(date +%s) - start))

# Each run's final statistics give the inputs it ran.
total=$(cat "$output/logs/$campaign".worker*.log | sed -n 's/^stat::number_of_executed_units: *//p' |
    awk '{ sum += $1 } END { print sum + 0 }')
findings=$(find "$output/findings" -type f | wc -l)
echo "Inputs run: $total in ${elapsed} s: $((total / (elapsed > 0 ? elapsed : 1))) per second," \
    "$((total / (elapsed > 0 ? elapsed : 1) / processes)) per second per process"
echo "Findings: $findings in $output/findings"
