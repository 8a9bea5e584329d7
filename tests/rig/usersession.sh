#!/usr/bin/env bash
# Runs a command inside a desktop session of its own, like a user's: a private X server
# (Xvfb), a private D-Bus session bus and the openbox window manager, with private runtime
# and home folders; optionally a private PulseAudio or PipeWire server with a null sink.
# Everything is stopped when the command ends, and the command's exit status is returned.
#   usersession.sh [--bare] [--pulse|--pipewire] [--atspi] [--wayland] [--] command...
#     --bare      no window manager (a bare X server)
#     --pulse     a private PulseAudio server; tests/rig/pulseserver.sh restarts or kills it
#     --pipewire  a private PipeWire server instead, which Pulse clients reach the same way;
#                 tests/rig/pipewireserver.sh restarts or kills it
#     --atspi     the accessibility bus, so that pyatspi sees the program's widgets
#     --wayland   a Wayland compositor as well (weston, headless), which the command's Qt
#                 programs use: WAYLAND_DISPLAY is set and QT_QPA_PLATFORM=wayland
set -uo pipefail
rig=$(cd "$(dirname "$0")" && pwd)
wm=1 audio= atspi=0 wayland=0
while [[ $# -gt 0 ]]; do
    case "$1" in
    --bare) wm=0 ;;
    --pulse) audio=pulse ;;
    --pipewire) audio=pipewire ;;
    --atspi) atspi=1 ;;
    --wayland) wayland=1 ;;
    --) shift; break ;;
    *) break ;;
    esac
    shift
done
[[ $# -gt 0 ]] || {
    echo "usage: $0 [--bare] [--pulse|--pipewire] [--atspi] [--wayland] [--] command..." >&2
    exit 2
}

session=$(mktemp -d /tmp/orvane-session.XXXXXX)
chmod 700 "$session"
pids=()
cleanup() {
    [[ -n $audio ]] && "$rig/${audio}server.sh" stop >/dev/null 2>&1
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$session"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# Says why a piece of the session did not start: its name, then the log it left.
give_up() { # what log...
    local what=$1 log
    shift
    echo "usersession: $what" >&2
    for log in "$@"; do
        echo "--- $(basename "$log"), its last lines:"
        [[ -s "$log" ]] && tail -n 40 "$log" || echo "(nothing)"
    done >&2
    exit 1
}

export XDG_RUNTIME_DIR="$session/runtime" HOME="$session/home"
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
unset SESSION_MANAGER WAYLAND_DISPLAY

dbus-daemon --session --nofork --nopidfile --address="unix:path=$XDG_RUNTIME_DIR/bus" \
    >"$session/dbus.log" 2>&1 &
pids+=($!)
export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
for _ in $(seq 400); do
    [[ -S "$XDG_RUNTIME_DIR/bus" ]] && break
    sleep 0.05
done
[[ -S "$XDG_RUNTIME_DIR/bus" ]] || give_up "no session bus" "$session/dbus.log"

# Whether the X server of $DISPLAY answers, or with "wm" whether a window manager runs on
# it, without waiting on a server that took the connection but never replies.
answers() {
    if [[ "${1:-}" == wm ]]; then
        timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
    else
        timeout 5 xwininfo -root >/dev/null 2>&1
    fi
}

# An X server (Xvfb) and, unless bare, openbox on it. -displayfd picks a free display number
# and writes it once the server is ready. Sessions come and go all the time on a busy
# machine; a display that does not answer, or on which openbox does not start, is given up.
start_display() {
    local server manager
    rm -f "$session/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$session/display" \
        >>"$session/xvfb.log" 2>&1 &
    server=$!
    pids+=($server)
    for _ in $(seq 400); do
        [[ -s "$session/display" ]] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$session/display" 2>/dev/null)"
    [[ -s "$session/display" ]] && answers || { kill -9 "$server" 2>/dev/null; return 1; }
    [[ $wm -eq 1 ]] || return 0
    openbox --sm-disable >>"$session/openbox.log" 2>&1 &
    manager=$!
    pids+=($manager)
    # Ready once it has claimed the screen; on a machine busy with other work that can take a
    # while.
    local until=$((SECONDS + 20))
    while ((SECONDS < until)); do
        answers wm && return 0
        sleep 0.05
    done
    kill -9 "$manager" "$server" 2>/dev/null
    return 1
}
for attempt in 1 2 3; do
    start_display && break
    [[ $attempt -eq 3 ]] &&
        give_up "no X server with a window manager after three tries" "$session/xvfb.log" \
            "$session/openbox.log"
done

if [[ $atspi -eq 1 ]]; then
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$session/atspi.log" 2>&1 &
    pids+=($!)
    /usr/libexec/at-spi2-registryd >>"$session/atspi.log" 2>&1 &
    pids+=($!)
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
fi

if [[ -n $audio ]]; then
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    "$rig/${audio}server.sh" start ||
        give_up "no sound server from ${audio}server.sh" "$XDG_RUNTIME_DIR/$audio.log"
fi

# weston's desktop shell on its headless back end: a Wayland desktop without a screen. Ready
# once its socket appears: a client that connects while it still loads its shell just waits.
if [[ $wayland -eq 1 ]]; then
    weston --backend=headless-backend.so --socket=wayland-0 --idle-time=0 --no-config \
        >"$session/weston.log" 2>&1 &
    compositor=$!
    pids+=($compositor)
    for _ in $(seq 400); do
        [[ -S "$XDG_RUNTIME_DIR/wayland-0" ]] && break
        kill -0 "$compositor" 2>/dev/null || break
        sleep 0.05
    done
    [[ -S "$XDG_RUNTIME_DIR/wayland-0" ]] && kill -0 "$compositor" 2>/dev/null ||
        give_up "no Wayland compositor (weston)" "$session/weston.log"
fi

export QT_QPA_PLATFORM=xcb ORVANE_SESSION_DIR="$session"
[[ $wayland -eq 1 ]] && export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-0
"$@" &
child=$!
wait "$child"
exit $?
