#!/usr/bin/env bash
# Starts, stops, kills or freezes the private PulseAudio server of a test session (see
# usersession.sh): a null sink "test_sink" at 48 kHz stereo, in $XDG_RUNTIME_DIR.
#   pulseserver.sh start | stop | kill | freeze | thaw
set -uo pipefail
pidfile="$XDG_RUNTIME_DIR/pulse/pid"
case "${1:-}" in
start)
    pulseaudio -D --exit-idle-time=-1 -n --log-target=file:"$XDG_RUNTIME_DIR/pulse.log" \
        --load=module-native-protocol-unix \
        --load="module-null-sink sink_name=test_sink rate=48000 channels=2" \
        --load=module-always-sink >/dev/null 2>&1 || exit 1
    for _ in $(seq 200); do
        pactl info >/dev/null 2>&1 && exit 0
        sleep 0.05
    done
    exit 1
    ;;
stop)
    [[ -f "$pidfile" ]] && kill -CONT "$(cat "$pidfile")" 2>/dev/null
    pactl exit >/dev/null 2>&1 || pulseaudio --kill >/dev/null 2>&1
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 || exit 0
        sleep 0.05
    done
    ;;
kill)
    [[ -f "$pidfile" ]] && kill -KILL "$(cat "$pidfile")" 2>/dev/null
    for _ in $(seq 100); do
        [[ -f "$pidfile" ]] && kill -0 "$(cat "$pidfile")" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$pidfile"
    ;;
freeze) kill -STOP "$(cat "$pidfile")" ;;
thaw) kill -CONT "$(cat "$pidfile")" ;;
*)
    echo "usage: $0 start|stop|kill|freeze|thaw" >&2
    exit 2
    ;;
esac
