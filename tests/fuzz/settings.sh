# The fuzz target's run settings, shared by the fuzz test of CTest
# (tests/fuzz/CMakeLists.txt reads these lines), scripts/fuzz-rate.sh and
# scripts/fuzz-campaign.sh (which source this file). One NAME="value" a line.
#
# For volume: no leak checks (every input frees its state at the start of
# the next), no allocation stacks (recording one at every allocation cost a
# sixth of the time; a finding reproduces alone, and run alone without
# these settings it is reported with full allocation and free stacks), a
# smaller quarantine (an input's own memory stays in it), and libFuzzer's
# plain schedule (the entropic one spends a third of the time on
# bookkeeping here).
FUZZ_ASAN_OPTIONS="detect_leaks=0:malloc_context_size=0:quarantine_size_mb=64"
FUZZ_UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
FUZZ_ARGUMENTS="-max_len=4096 -rss_limit_mb=4096 -detect_leaks=0 -entropic=0 -close_fd_mask=3"
