#!/usr/bin/env bash
# Drives mounted and unmounted while the real program runs (inside tests/rig/usersession.sh
# --atspi) appear in and vanish from its drive list. Needs root: it runs in a mount namespace
# of its own, where tmpfs mounts over /media and /run keep the machine's own out of sight.
set -u
orvane=$(realpath "$1")
if [[ -z ${ORVANE_MOUNT_NAMESPACE:-} ]]; then
    [[ $(id -u) -eq 0 ]] || { echo "SKIP: needs root for a mount namespace"; exit 77; }
    ORVANE_MOUNT_NAMESPACE=1 exec unshare -m --propagation private "$0" "$@"
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
poll() { for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done; return 1; }

mount -t tmpfs orvane-media /media && mount -t tmpfs orvane-run /run || fail "no tmpfs"
user=$(id -un)
mkdir -p /media/stick "/run/media/$user/KEY"
"$orvane" &
player=$!
trap 'kill $player 2>/dev/null' EXIT

# The drive list's entries as the accessibility bus shows them, on one line.
drives() {
    /usr/bin/python3 - <<'PY' 2>/dev/null
import pyatspi
def walk(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from walk(child)
for app in pyatspi.Registry.getDesktop(0):
    for combo in (n for n in walk(app) if n.getRoleName() == "combo box"):
        items = [n.name for n in walk(combo) if n.getRoleName() == "list item"]
        if "/" in items:
            print(" ".join(items))
PY
}
offers() { [[ " $(drives) " == *" $1 "* ]]; }
lacks() { [[ -n "$(drives)" && " $(drives) " != *" $1 "* ]]; }

poll lacks /media/stick || fail "the drive list: $(drives)"
mount -t tmpfs stick /media/stick && mount -t tmpfs key "/run/media/$user/KEY" || fail "mount"
poll offers /media/stick && poll offers "/run/media/$user/KEY" || fail "mounted: $(drives)"
umount /media/stick || fail "umount"
poll lacks /media/stick && offers "/run/media/$user/KEY" || fail "unmounted: $(drives)"
echo "drives follow the mounts"
