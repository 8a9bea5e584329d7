#!/usr/bin/env bash
# The real program in a session with a sound server: playing, the server is stopped (SIGSTOP)
# and the window is closed as its close box does; the process must end, not wait for the
# server. It ends in a fraction of a second; the limit is a hang guard that a busy machine
# does not reach (a wait on the frozen server lasts as long as the freeze).
set -u
orvane=$1
rig=$(cd "$(dirname "$0")/../rig" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

folder=$(mktemp -d)
trap '"$rig/pulseserver.sh" thaw 2>/dev/null; kill -9 "${pid:-0}" 2>/dev/null; rm -rf "$folder"' EXIT
sox -n -r 48000 -c 2 "$folder/tone.wav" synth 30 sine 440 vol 0.3 || fail "sox could not write a tone"
cd "$folder"
"$orvane" /wav /q /p >"$folder/log" 2>&1 &
pid=$!

for _ in $(seq 200); do
    pactl list sink-inputs 2>/dev/null | grep -q "Corked: no" && break
    sleep 0.05
done
pactl list sink-inputs | grep -q "Corked: no" || fail "the player never started a stream"
window=$(xdotool search --sync --onlyvisible --pid "$pid" --name "Music Player" | head -n1)
[[ -n "$window" ]] || fail "no window"

"$rig/pulseserver.sh" freeze
start=$(date +%s%N)
wmctrl -i -c "$window"
limit=${ORVANE_EXIT_LIMIT_MS:-3000}
for _ in $(seq $((limit / 10 + 400))); do # a hang guard past the limit
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.01
done
elapsed=$((($(date +%s%N) - start) / 1000000))
"$rig/pulseserver.sh" thaw
kill -0 "$pid" 2>/dev/null && fail "still running after ${elapsed} ms"
echo "ended ${elapsed} ms after the window was closed, with the sound server stopped"
((elapsed <= limit)) || fail "took ${elapsed} ms"
