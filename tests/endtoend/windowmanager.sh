#!/usr/bin/env bash
# Under a window manager (inside tests/rig/usersession.sh): with no volume mixer installed, a
# click on the volume picture shows a note by it; Help > About opens the About window.
set -u
orvane=$(realpath "$1")
fail() { echo "FAIL: $*" >&2; exit 1; }
xdotool=/usr/bin/xdotool
poll() { for _ in $(seq 150); do "$@" && return 0; sleep 0.1; done; return 1; }
some() { [[ -n "$("$@")" ]]; }
# The first visible window of the program whose name matches $1.
window() { $xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
# The client area of a window (xwininfo's choice of it) as "left top width height".
client() {
    xwininfo "$@" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                             /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
# The visible windows of the program of a type that matches $1 (TOOLTIP, ...).
typed() {
    for id in $($xdotool search --onlyvisible --class orvane 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q "= _NET_WM_WINDOW_TYPE_$1" && echo "$id"
    done
}

folder=$(mktemp -d)
trap 'kill $pid 2>/dev/null; rm -rf "$folder"' EXIT
cd "$folder" || exit 1
PATH=/nonexistent SDL_AUDIODRIVER=dummy "$orvane" >/dev/null 2>&1 &
pid=$!
poll some window '^Vemor' || fail "the main window did not appear"
main=$(window '^Vemor')

# The picture lies 324 px down the 386 px client area, under the menu bar.
read -r _ mainTop _ height <<<"$(client -id "$main")"
$xdotool mousemove --window "$main" 40 $((height - 386 + 340)) click 1
poll some typed TOOLTIP || fail "no note by the volume picture"
read -r _ noteTop _ _ <<<"$(client -id "$(typed TOOLTIP | head -n1)")"
((noteTop > mainTop + height - 386 + 324)) || fail "the note is not by the picture"

$xdotool windowactivate --sync "$main" key alt+h
poll some typed DROPDOWN_MENU || fail "the Help menu did not open"
$xdotool key a
poll some window '^About ' || fail "the About window did not appear"
echo "volume note shown; About opened from the Help menu"
