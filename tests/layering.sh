#!/usr/bin/env bash
# The layers hold in the includes: the engine and the models see nothing of the program but the
# text helpers; the logic sees the boundary, the models and the logic below it, never the engine,
# an adapter or a library of the platform; the adapters never see the logic; the boundary sees
# nothing but itself.
set -u
cd "$(dirname "$0")/../src" || exit 1
status=0
# forbid <folders> <pattern> <why>
forbid() {
    local hits
    hits=$(grep -nE "^#include $2" $1 2>/dev/null)
    [[ -z "$hits" ]] || { echo "$3:"; echo "$hits"; status=1; }
}
libraries='<(Q[A-Za-z]|SDL|fluidsynth|sndfile|filesystem|unistd|sys/)'
forbid "engine/*" '"(app|browser|queue|playback|platform|model)/|<Q' "the engine sees more than itself"
forbid "model/*" "\"(app|browser|queue|playback|platform|engine|text|worker)/|$libraries" \
    "the models see more than themselves"
forbid "text/*" '"(app|browser|queue|playback|platform|model|engine|worker)/' \
    "the text helpers see more than themselves"
forbid "worker/*" '"(app|browser|queue|playback|platform|model|engine|text)/|<Q' \
    "the bounded calls see more than themselves"
forbid "playback/*" "$libraries|\"(engine|queue|browser|app|platform/[a-z]+)/" \
    "playback sees more than the boundary and the models"
forbid "queue/*" "$libraries|\"(engine|browser|app|platform/[a-z]+)/" "queue sees more than playback"
forbid "browser/*" "$libraries|\"(engine|app|platform/[a-z]+)/" "browser sees more than the queue"
forbid "app/*" "$libraries|\"(engine|platform/[a-z]+)/" "the application's logic sees the platform"
forbid "platform/*/*" '"(app|browser|queue|playback)/' "an adapter sees the logic"
forbid "platform/*.h" '"(app|browser|queue|playback|text|model|engine)/|"platform/[a-z]+/|<Q' \
    "the boundary sees more than itself"
[[ $status -eq 0 ]] && echo "layers hold"
exit $status
