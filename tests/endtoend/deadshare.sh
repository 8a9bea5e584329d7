#!/usr/bin/env bash
# A share that stops answering, as a network share does when its server goes (inside
# tests/rig/usersession.sh): a FUSE mount (bindfs) whose daemon is stopped with SIGSTOP. The
# real program is started in a folder that holds a link to it, with a file on it named; it opens
# the link, chooses the share as its drive, is handed a file on it, plays from it while it
# stops; and it answers on the session bus throughout, and works again once the share answers.
# Needs root: it runs in a mount namespace of its own.
set -u
orvane=$(realpath "$1")
if [[ -z ${ORVANE_MOUNT_NAMESPACE:-} ]]; then
    [[ $(id -u) -eq 0 ]] || { echo "SKIP: needs root for a mount namespace"; exit 77; }
    command -v bindfs >/dev/null && [[ -c /dev/fuse ]] || { echo "SKIP: no bindfs or FUSE"; exit 77; }
    ORVANE_MOUNT_NAMESPACE=1 exec unshare -m --propagation private "$0" "$@"
fi
fail() { echo "FAIL: $*" >&2; grep -v '^$' "$work/stderr" >&2; exit 1; }
poll() { for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done; return 1; }
xdotool=/usr/bin/xdotool

work=$(mktemp -d)
daemon=
player=
cleanup() {
    [[ -n "$daemon" ]] && kill -CONT "$daemon" 2>/dev/null
    [[ -n "$player" ]] && kill "$player" 2>/dev/null
    umount -l /mnt/share 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mount -t tmpfs orvane-mnt /mnt && mount -t tmpfs orvane-media /media &&
    mount -t tmpfs orvane-run /run || fail "no tmpfs"
mkdir -p /mnt/share "$work/served/Jazz" "$work/home/music"
sox -n -r 44100 -c 2 "$work/served/tone.wav" synth 60 sine 440 &&
    sox -n -r 44100 -c 2 "$work/served/two.wav" synth 60 sine 660 || fail "sox"
bindfs "$work/served" /mnt/share || fail "bindfs could not mount"
daemon=$(pgrep -n -x bindfs)
ln -s /mnt/share "$work/home/share"
# Stopped, and long enough for the kernel's cache of what it said to lapse.
stop_share() { kill -STOP "$daemon" && sleep 2; }
start_share() { kill -CONT "$daemon"; }

mpris=(gdbus call --session -d org.mpris.MediaPlayer2.orvane -o /org/mpris/MediaPlayer2)
get() { timeout 5 "${mpris[@]}" -m org.freedesktop.DBus.Properties.Get \
    org.mpris.MediaPlayer2.Player "$1" 2>/dev/null; }
slowest=0
# The player answers a question on the bus at once; a frozen window would never answer. What
# "at once" means on a busy machine is left to the closing figure: the slowest answer is printed.
answers() {
    local start=$(date +%s%N) status
    status=$(timeout 3 "${mpris[@]}" -m org.freedesktop.DBus.Properties.Get \
        org.mpris.MediaPlayer2.Player PlaybackStatus 2>/dev/null) || return 1
    local took=$((($(date +%s%N) - start) / 1000000))
    ((took > slowest)) && slowest=$took
    [[ -n "$status" ]]
}
call() { timeout 5 "${mpris[@]}" -m "org.mpris.MediaPlayer2.$1" "${@:2}" >/dev/null 2>&1; }
playing() { [[ "$(get PlaybackStatus)" == *Playing* && "$(get Metadata)" == *"$1"* ]]; }
keys() { $xdotool windowactivate --sync "$window" key --delay 100 "$@"; }

# Started in the stopped share itself: the window comes up and answers, showing what it shows
# for a drive that is not ready. (The shell's own folder stays out of the share.)
(cd /mnt/share && stop_share && SDL_AUDIODRIVER=dummy exec "$orvane" >/dev/null 2>"$work/stderr") &
player=$!
poll $xdotool search --onlyvisible --name '^Vemor' >/dev/null || fail "no window in the share"
poll answers || fail "no answer when started in the share"
call Quit && timeout 30 tail --pid="$player" -f /dev/null || fail "Quit did not end the player"

# Started in the folder with the link, with a file on the share named: the file is left out
# with a line, the window comes up and answers.
cd "$work/home" || fail "cd"
SDL_AUDIODRIVER=dummy "$orvane" /mnt/share/tone.wav >/dev/null 2>"$work/stderr" &
player=$!
poll $xdotool search --onlyvisible --name '^Vemor' >/dev/null || fail "no window"
window=$($xdotool search --onlyvisible --name '^Vemor' | head -n1)
poll answers || fail "no answer at start"
grep -q 'left out "/mnt/share/tone.wav": its disk or share does not answer' "$work/stderr" ||
    fail "the named file was not left out with a line"

# Opening the link from the folder list (its last entry), and choosing the share as the drive
# (the drive list's last, three Tabs on): the window stays where it was, and answers.
keys End Return
answers || fail "no answer after opening the link"
keys Tab Tab Tab End
answers || fail "no answer after choosing the share as the drive"

# A file on it handed over, as a later launch or a file manager does: nothing plays.
call Player.OpenUri "file:///mnt/share/two.wav" || fail "OpenUri was not answered"
answers && ! playing two.wav || fail "a file on the stopped share plays"

# Once the share answers, a file on it plays; stopped while it plays, the next one on it cannot
# be opened, the player says why and answers to Next, Stop and Quit, and the window goes.
start_share
call Player.OpenUri "file:///mnt/share/tone.wav" && poll playing tone.wav ||
    fail "a file on the share that answers again does not play"
call Player.OpenUri "file:///mnt/share/two.wav" || fail "OpenUri was not answered"
stop_share
answers || fail "no answer while the share stops mid-track"
call Player.Next && answers || fail "Next was not answered"
poll grep -q 'cannot open "/mnt/share/two.wav": its disk or share does not answer' \
    "$work/stderr" || fail "no word of the file that cannot be opened"
call Player.Stop && answers || fail "Stop was not answered"
call Quit || fail "Quit was not answered"
gone() {
    [[ -z "$($xdotool search --onlyvisible --name '^Vemor' 2>/dev/null)" ]] &&
        ! gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
            -m org.freedesktop.DBus.NameHasOwner org.mpris.MediaPlayer2.orvane | grep -q true
}
poll gone || fail "the window or its name on the bus outlived Quit"
# A read the kernel had sent to the share before it stopped holds the process until it answers.
start_share
timeout 30 tail --pid="$player" -f /dev/null || fail "the player did not end"
echo "a stopped share never held the window; slowest answer ${slowest} ms"
