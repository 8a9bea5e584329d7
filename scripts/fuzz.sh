#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time from a seed
# corpus written at run time. A crash fails the run and leaves its input in build/fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${ORVANE_FUZZ_SECONDS:-60}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
bin=build/fuzz/fuzz
work=$(mktemp -d /tmp/orvane-fuzz.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p build/fuzz/crashes
"$bin/fuzz_seedcorpus" "$work/seeds"

pids=()
# No input may make a target take more than this memory, nor ask for more in one allocation.
limits=(-rss_limit_mb=512 -malloc_limit_mb=128)
for pair in preparedmidi:midi,rmid wavdecoder:wav; do
    target=${pair%%:*} seeds=${pair##*:}
    mkdir -p "$work/corpus-$target"
    for kind in ${seeds//,/ }; do cp "$work/seeds/$kind"/* "$work/corpus-$target/"; done
    "$bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 "${limits[@]}" \
        -artifact_prefix="build/fuzz/crashes/$target-" "$work/corpus-$target" \
        >"$work/$target.log" 2>&1 &
    pids+=("$!:$target")
done
status=0
for entry in "${pids[@]}"; do
    pid=${entry%%:*} target=${entry##*:}
    if wait "$pid"; then
        runs=$(grep -m1 'stat::number_of_executed_units' "$work/$target.log" | awk '{print $2}')
        echo "fuzz_$target: ${runs:-?} runs in ${seconds} s, no crash"
    else
        echo "fuzz_$target: FAILED" >&2
        tail -n 40 "$work/$target.log" >&2
        status=1
    fi
done
exit $status
