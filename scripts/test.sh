#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test under a private X server
# (Xvfb) and a private PulseAudio server with a null sink: first the CI build (warnings are
# errors), then the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for a bounded time. Stops the servers after.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh --test

work=$(mktemp -d /tmp/orvane-test.XXXXXX)
chmod 700 "$work"
xvfb_pid=""
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    if [[ -n "${PULSE_SERVER:-}" ]]; then
        pactl exit >/dev/null 2>&1 || pulseaudio --kill >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

start_servers() {
    # A private X server; -displayfd picks a free display number.
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s "$work/display" ]] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$work/display")"

    # A private PulseAudio with a null sink, in its own runtime and home folders.
    export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
    if pulseaudio -D --exit-idle-time=-1 -n --log-target=file:"$work/pulse.log" \
            --load=module-native-protocol-unix \
            --load="module-null-sink sink_name=test_sink rate=48000 channels=2" \
            --load=module-always-sink >/dev/null 2>&1; then
        for _ in $(seq 100); do
            pactl info >/dev/null 2>&1 && break
            sleep 0.05
        done
        export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    else
        echo "warning: no private PulseAudio server; the audio-server tests will skip" >&2
    fi
}

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

start_servers
run_suite ci
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$root/tests/sanitizers/lsan.supp":print_suppressions=0 \
    run_suite asan -LE install
echo "=== fuzz"
scripts/fuzz.sh || status=1

echo
echo "tests: $passed passed, $failed failed"
exit $status
