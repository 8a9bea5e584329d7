#!/usr/bin/env bash
# The layers hold in the includes: the logic sees the boundary and the logic below it, never a
# platform library or its libraries; the platform libraries never see the logic; the boundary
# sees nothing but itself.
set -u
cd "$(dirname "$0")/../src" || exit 1
status=0
# forbid <folders> <pattern> <why>
forbid() {
    local hits
    hits=$(grep -nE "^#include $2" $1 2>/dev/null)
    [[ -z "$hits" ]] || { echo "$3:"; echo "$hits"; status=1; }
}
logic_private='<(Q[A-Za-z]|SDL|fluidsynth|sndfile|filesystem|unistd|sys/)|"platform/(qt|audio|posix|dbus)/'
forbid "playback/*" "$logic_private|\"(queue|browser|app)/" "playback sees more than the boundary"
forbid "queue/*" "$logic_private|\"(browser|app)/" "queue sees more than playback and the boundary"
forbid "browser/*" "$logic_private|\"app/" "browser sees the application or the platform"
forbid "app/*" "$logic_private" "the application's logic sees the platform"
forbid "platform/*/*" '"(app|browser|queue|playback)/' "a platform library sees the logic"
forbid "platform/*.h" '"(app|browser|queue|playback|text)/|"platform/[a-z]+/|<Q' \
    "the boundary sees more than itself"
forbid "text/*" '"(app|browser|queue|playback|platform)/' "the text helpers see more than themselves"
[[ $status -eq 0 ]] && echo "layers hold"
exit $status
