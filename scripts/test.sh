#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: first the CI build
# (warnings are errors), then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the engine's tests under ThreadSanitizer, then each fuzz target
# for a bounded time. Tests that need a
# desktop or a sound server start a session of their own (tests/rig/usersession.sh: Xvfb,
# openbox, a D-Bus session bus, PulseAudio with a null sink) and stop it after.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh --test

work=$(mktemp -d /tmp/orvane-test.XXXXXX)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
status=0
run_suite() { # preset [ctest arguments...]
    local preset=$1
    shift
    echo "=== $preset: build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    echo "=== $preset: tests"
    local log="$work/ctest-$preset.log" rc=0
    ctest --preset "$preset" -j2 --timeout 300 "$@" 2>&1 | tee "$log" || rc=$?
    [[ $rc -eq 0 ]] || status=1
    local line
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n1)
    if [[ "$line" =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
        failed=$((failed + BASH_REMATCH[1]))
        passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
    else
        status=1
    fi
}

run_suite ci
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$root/tests/sanitizers/lsan.supp":print_suppressions=0 \
    run_suite asan -LE install
run_suite tsan
echo "=== fuzz"
scripts/fuzz.sh || status=1

echo
echo "tests: $passed passed, $failed failed"
exit $status
