#!/usr/bin/env bash
# Starts, stops, kills or freezes the private PipeWire server of a test session (see
# usersession.sh): pipewire with a null sink "test_sink" at 48 kHz stereo, WirePlumber to link
# streams to it and pipewire-pulse for PulseAudio's clients at $XDG_RUNTIME_DIR/pulse/native,
# all in $XDG_RUNTIME_DIR, with configuration of their own rather than the user's.
#   pipewireserver.sh start | stop | kill | freeze | thaw
set -uo pipefail
rig="$XDG_RUNTIME_DIR/pipewire-rig"
pidfile="$rig/pids"
log="$XDG_RUNTIME_DIR/pipewire.log"

# PipeWire reads its configuration from the first folder alone, WirePlumber from the second
# before its packaged files. None of them needs systemd or RealtimeKit (module-rt does without).
export PIPEWIRE_CONFIG_DIR="$rig/pipewire" XDG_CONFIG_HOME="$rig/config" \
    XDG_STATE_HOME="$rig/state" PIPEWIRE_RUNTIME_DIR="$XDG_RUNTIME_DIR"
unset PIPEWIRE_REMOTE

configure() {
    mkdir -p "$PIPEWIRE_CONFIG_DIR" "$XDG_CONFIG_HOME/wireplumber/main.lua.d" \
        "$XDG_CONFIG_HOME/wireplumber/bluetooth.lua.d" "$XDG_STATE_HOME"
    # The packaged server with the sink among its objects: there, and the default, as soon as
    # the server is. A driver, it runs the graph on its own clock whenever a stream is linked.
    sed '/^context.objects = \[/r /dev/stdin' /usr/share/pipewire/pipewire.conf \
        >"$PIPEWIRE_CONFIG_DIR/pipewire.conf" <<'EOF'
    { factory = adapter
        args = {
            factory.name     = support.null-audio-sink
            node.name        = test_sink
            node.description = "Test sink"
            media.class      = Audio/Sink
            audio.rate       = 48000
            audio.channels   = 2
            audio.position   = [ FL FR ]
            node.driver      = true
            monitor.channel-volumes = true
        }
    }
EOF
    # No sink of pipewire-pulse's own, made when it starts before WirePlumber is done.
    sed '/module-always-sink/d' /usr/share/pipewire/pipewire-pulse.conf \
        >"$PIPEWIRE_CONFIG_DIR/pipewire-pulse.conf"
    cp /usr/share/pipewire/client.conf "$PIPEWIRE_CONFIG_DIR" # pw-metadata's
    # WirePlumber's policy without the machine's devices.
    printf '%s_monitor.enabled = false\n' alsa v4l2 libcamera \
        >"$XDG_CONFIG_HOME/wireplumber/main.lua.d/60-no-devices.lua"
    printf '%s_monitor.enabled = false\n' bluez \
        >"$XDG_CONFIG_HOME/wireplumber/bluetooth.lua.d/60-no-devices.lua"
}

signal() { # signal
    [[ -f "$pidfile" ]] && kill "-$1" $(cat "$pidfile") 2>/dev/null
}

# Whether a piece still runs; one killed may linger as a zombie until someone reaps it.
running() {
    local pid
    [[ -f "$pidfile" ]] || return 1
    for pid in $(cat "$pidfile"); do
        [[ "$(ps -o stat= -p "$pid" 2>/dev/null)" == [^Z]* ]] && return 0
    done
    return 1
}

# Sends the signal, waits for every piece to end, then forgets them.
finish() { # signal
    signal CONT
    signal "$1"
    for _ in $(seq 100); do
        running || break
        sleep 0.05
    done
    signal KILL
    rm -f "$pidfile"
}

# Ready once WirePlumber has made the sink the default and Pulse clients see it so.
ready() {
    [[ $(timeout 5 pw-metadata -n default 0 default.audio.sink 2>/dev/null) == *'"test_sink"'* &&
        $(timeout 5 pactl info 2>/dev/null) == *$'\nDefault Sink: test_sink\n'* ]]
}

case "${1:-}" in
start)
    running && ready && exit 0
    finish KILL
    configure
    # A server that was killed leaves its socket behind.
    rm -f "$XDG_RUNTIME_DIR/pipewire-0" "$XDG_RUNTIME_DIR/pipewire-0.lock"
    for piece in pipewire wireplumber pipewire-pulse; do
        echo "--- $piece" >>"$log"
        "$piece" </dev/null >>"$log" 2>&1 &
        echo $! >>"$pidfile"
        # The others give up when the server is not there yet.
        until [[ $piece != pipewire || -S "$XDG_RUNTIME_DIR/pipewire-0" ]] || ((SECONDS > 20)); do
            sleep 0.05
        done
    done
    until ready; do
        ((SECONDS < 20)) || exit 1
        sleep 0.05
    done
    ;;
stop) finish TERM ;;
kill) finish KILL ;; # as in a crash: no goodbye to the clients
freeze) signal STOP ;;
thaw) signal CONT ;;
*)
    echo "usage: $0 start|stop|kill|freeze|thaw" >&2
    exit 2
    ;;
esac
