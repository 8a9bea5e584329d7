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
for pair in smfscanner:midi rmidunwrapper:rmid wavdecoder:wav; do
    target=${pair%%:*} seeds=${pair##*:}
    mkdir -p "$work/corpus-$target"
    cp "$work/seeds/$seeds"/* "$work/corpus-$target/"
    "$bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
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
