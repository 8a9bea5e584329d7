#!/usr/bin/env bash
# The real program on a Wayland desktop (inside tests/rig/usersession.sh --wayland, weston's
# desktop shell): started with "/m" and a file, its window names itself org.orvane.orvane,
# maps and then asks to be minimised (a compositor ignores the request for a window it has not
# mapped); the file plays; MPRIS answers on the session bus. What the
# program asks of the compositor is read from its own protocol log (WAYLAND_DEBUG).
set -u
orvane=$(realpath "$1")
fail() { echo "FAIL: $*" >&2; grep -v '^\[' "$folder/log" >&2; exit 1; }
# Runs the command until it succeeds; gives up after 30 s (a hang guard, not a timing).
poll() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }

[[ -n "${WAYLAND_DISPLAY:-}" && "${QT_QPA_PLATFORM:-}" == wayland ]] ||
    { echo "FAIL: not in a Wayland session" >&2; exit 1; }
folder=$(mktemp -d)
trap 'kill "${player:-}" 2>/dev/null; rm -rf "$folder"' EXIT
sox -n -r 8000 -c 1 "$folder/tone.wav" synth 60 sine 440 || fail "sox could not write a tone"

cd "$folder" || fail "cd"
WAYLAND_DEBUG=client "$orvane" /m "$folder/tone.wav" 2>"$folder/log" &
player=$!

log=$folder/log
# Whether the log shows the window mapped. Its objects: the toplevel named by its app id, that
# toplevel's xdg_surface and the wl_surface under both. Mapped once, after it acknowledged the
# compositor's configure, the surface committed a buffer.
mapped() {
    toplevel=$(grep -o 'xdg_toplevel@[0-9]*\.set_app_id("org.orvane.orvane")' "$log" |
        head -n1 | cut -d. -f1)
    [[ -n "$toplevel" ]] || return 1
    role=$(grep -o "xdg_surface@[0-9]*\.get_toplevel(new id $toplevel)" "$log" | head -n1 |
        cut -d. -f1)
    surface=$(grep -o "get_xdg_surface(new id $role, wl_surface@[0-9]*)" "$log" | head -n1 |
        grep -o 'wl_surface@[0-9]*')
    [[ -n "$role" && -n "$surface" ]] || return 1
    awk -v acked="$role.ack_configure(" -v attach="$surface.attach(wl_buffer@" \
        -v commit="$surface.commit()" -v then="${1:-}" '
        index($0, acked) { configured = 1 }
        configured && index($0, attach) { attached = 1 }
        attached && index($0, commit) { mapped = 1; if (then == "") exit }
        mapped && then != "" && index($0, then) { followed = 1; exit }
        END { exit !(then == "" ? mapped : followed) }' "$log"
}
poll mapped ||
    fail "no window named org.orvane.orvane mapped; named: $(grep -o 'set_app_id(.*)' "$log")"
poll mapped "$toplevel.set_minimized()" ||
    fail "/m did not ask the compositor to minimise the mapped window"

mpris=(gdbus call --session -d org.mpris.MediaPlayer2.orvane -o /org/mpris/MediaPlayer2)
get() { "${mpris[@]}" -m org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player "$1" 2>/dev/null; }
playing() {
    [[ "$(get PlaybackStatus)" == *"'Playing'"* &&
        "$(get Metadata)" == *"'xesam:url': <'file://$folder/tone.wav'>"* ]]
}
position() { get Position | sed -n 's/.*int64 \([0-9]*\).*/\1/p'; }
# True once the position has moved past $1 microseconds.
past() { local now; now=$(position); [[ -n "$now" ]] && ((now > $1)); }
poll playing || fail "the file does not play: $(get PlaybackStatus) $(get Metadata)"
poll past 0 || fail "the position stays at $(position)"
start=$(position)
poll past "$start" || fail "the position stays at $start"

"${mpris[@]}" -m org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit refused"
timeout 30 tail --pid="$player" -f /dev/null || fail "Quit did not end the player"
wait "$player" || fail "the player ended with $?"
echo "Wayland session handled"
