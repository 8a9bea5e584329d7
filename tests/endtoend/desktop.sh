#!/usr/bin/env bash
# The real program on a desktop (inside tests/rig/usersession.sh): named files are queued and
# played, never searched for switches; a later launch hands its file to the running player;
# MPRIS drives the transport and announces every change; "/m" maps the window iconic.
set -u
orvane=$(realpath "$1")
fail() { echo "FAIL: $*" >&2; cat "$music/stderr" >&2; exit 1; }
# Runs the command until it succeeds; gives up after 20 s (a hang guard, not a timing).
poll() { for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done; return 1; }

music=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$music"' EXIT
# Every folder holds a switch in its name: "/m", "/p", "/q", "/wav", "/r".
mkdir -p "$music/Music/Pop/Queen" "$music/Music/Waves" "$music/Rock"
for file in Music/Pop/Queen/Bohemian.wav Music/Waves/x.wav Rock/r.wav extra.wav; do
    sox -n -r 8000 -c 1 "$music/$file" trim 0 60 || fail "sox"
done
# One note held for 60 s (96 ticks a beat at 120 beats a minute).
printf 'MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0d\0\x90\x3c\x40\xda\0\x80\x3c\0\0\xff\x2f\0' \
    >"$music/Rock/r.mid"
echo "not music" >"$music/notes.txt"

mpris=(gdbus call --session -d org.mpris.MediaPlayer2.orvane -o /org/mpris/MediaPlayer2)
get() { "${mpris[@]}" -m org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player "$1" 2>/dev/null; }
press() { "${mpris[@]}" -m "org.mpris.MediaPlayer2.$1" >/dev/null || fail "$1 refused"; }
# True when the player's status is $1 and its track the file $2 (no track when empty).
shows() {
    local track="'xesam:url': <'file://$music/$2'>"
    [[ -z "$2" ]] && track=NoTrack
    [[ "$(get PlaybackStatus)" == *"'$1'"* && "$(get Metadata)" == *"$track"* ]]
}
expect() { poll shows "$1" "$2" || fail "after $3: want $1 ${2:-no track}: $(get Metadata)"; }
# The window the window manager manages for process $1.
window() { wmctrl -lp | awk -v pid="$1" '$3 == pid { print $1; exit }'; }
wm_state() { xprop -id "$(window "$1")" WM_STATE 2>/dev/null | grep -q "window state: $2"; }

cd "$music/Music/Waves" || fail "cd"
"$orvane" "$music/Music/Pop/Queen/Bohemian.wav" ../Waves/x.wav "$music/notes.txt" \
    "$music/Rock/" 2>"$music/stderr" &
player=$!
pids+=("$player")
expect Playing Music/Pop/Queen/Bohemian.wav "start"
poll wm_state "$player" Normal ||
    fail "the window did not map normal: $(xprop -id "$(window "$player")" WM_STATE WM_HINTS)"
[[ $(grep -vc 'silent sink' "$music/stderr") -eq 1 ]] && grep -q 'left out ".*/notes.txt": not a MIDI' \
    "$music/stderr" || fail "stderr: $(cat "$music/stderr")"

# A later launch hands its file over and ends; what plays goes on; one window.
gdbus monitor --session -d org.mpris.MediaPlayer2.orvane >"$music/signals" &
pids+=($!)
poll grep -q "is owned by" "$music/signals" || fail "no monitor"
timeout 30 "$orvane" "$music/extra.wav" || fail "the second launch ended with $?"
[[ $(wmctrl -l | grep -c "Music Player") -eq 1 ]] || fail "windows: $(wmctrl -l)"
expect Playing Music/Pop/Queen/Bohemian.wav "the hand-off"

for step in Pause:Paused PlayPause:Playing Stop:Stopped Play:Playing; do
    press "Player.${step%:*}"
    expect "${step#*:}" Music/Pop/Queen/Bohemian.wav "${step%:*}"
done
# The queue, in order: the named files, the folder's files, the handed-over file.
for track in Music/Waves/x.wav Rock/r.mid Rock/r.wav extra.wav ""; do
    press Player.Next
    expect "$([[ -n $track ]] && echo Playing || echo Stopped)" "$track" "Next to ${track:-the end}"
done
# Each change announced once, as it happened.
statuses=$(grep -o "'PlaybackStatus': <'[A-Za-z]*'>" "$music/signals" | cut -d"'" -f4 | xargs)
[[ "$statuses" == "Paused Playing Stopped Playing Stopped" ]] || fail "announced: $statuses"
tracks=$(grep -o "'xesam:title': <'[^']*'>\|NoTrack" "$music/signals" | cut -d"'" -f4 | xargs)
[[ "$tracks" == "x.wav r.mid r.wav extra.wav NoTrack" ]] || fail "announced tracks: $tracks"

press Quit
timeout 30 tail --pid="$player" -f /dev/null || fail "Quit did not end the player"
wait "$player" || fail "the player ended with $?"

# "/mid" holds "/m": iconic from the first map; Raise brings it back.
"$orvane" /mid /m &
player=$!
pids+=("$player")
poll wm_state "$player" Iconic || fail "/mid /m did not map iconic"
xprop -id "$(window "$player")" WM_HINTS | grep -q "Initial state is Iconic" ||
    fail "WM_HINTS: $(xprop -id "$(window "$player")" WM_HINTS)"
poll get PlaybackStatus >/dev/null || fail "no MPRIS"
press Raise
poll wm_state "$player" Normal || fail "Raise did not restore the window"
press Quit
wait "$player" || fail "the player ended with $?"
echo "desktop session handled"
