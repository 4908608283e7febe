#!/usr/bin/env bash
# Runs each libFuzzer target of tests/fuzz for a given time, one after the
# other, and prints its runs and executions per second.
#
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET ...]
#
# Builds the fuzzers with clang in build-fuzz/ (or $FUZZ_BUILD). Each target
# starts from its checked-in corpus, tests/fuzz/corpus/TARGET; what it finds
# goes to $FUZZ_BUILD/fuzz-work/TARGET and crashes to
# $FUZZ_BUILD/fuzz-work/crashes/. Copy a crash into tests/fuzz/corpus/TARGET/
# to keep it as a regression input (the normal suite replays that folder).
# Runs at the lowest priority: set NICE to change that.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=${FUZZ_BUILD:-$repo/build-fuzz}
if (($# > 0)); then
    targets=("$@")
else
    targets=()
    for source in "$repo"/tests/fuzz/fuzz_*.cpp; do
        name=$(basename "$source" .cpp)
        targets+=("${name#fuzz_}")
    done
fi

command -v clang++ >/dev/null || { echo "clang++ is needed (apt-get install clang)" >&2; exit 1; }
CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTUNVIA_BUILD_FUZZERS=ON -DTUNVIA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzzers -j"${JOBS:-2}" >/dev/null

work=$build/fuzz-work
mkdir -p "$work/crashes"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
# The list store and settings targets write and sync files at every run: in
# memory that is twenty times faster than on a disk.
if [[ -z ${TMPDIR:-} && -d /dev/shm && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi
printf '%-16s %12s %10s %s\n' target runs exec/s result
failed=0
for target in "${targets[@]}"; do
    mkdir -p "$work/$target"
    log=$work/$target.log
    status=0
    # The first folder receives new inputs; the checked-in corpus is only read.
    nice -n "${NICE:-19}" "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
        -print_final_stats=1 -timeout=20 -rss_limit_mb=2048 \
        -artifact_prefix="$work/crashes/$target-" "$work/$target" "$repo/tests/fuzz/corpus/$target" \
        2>"$log" || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    result=ok
    if ((status != 0)); then
        result="FAILED (see $log)"
        failed=1
    fi
    printf '%-16s %12s %10s %s\n' "$target" "${runs:-?}" "${rate:-?}" "$result"
done
exit "$failed"
