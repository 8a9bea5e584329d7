#!/usr/bin/env bash
# The program's own command line: --help, -h and --version answer without a window; without
# a display the program says so in one line and ends with status 1; and Qt's options are left
# to the switch step instead of being taken by Qt.
set -u
orvane=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

[[ "$("$orvane" --version)" == "2.1" ]] || fail "--version does not print 2.1"
"$orvane" --help | grep -q '/mid' || fail "--help does not list the switches"
"$orvane" /p --help >/dev/null || fail "--help among switches does not answer"
"$orvane" -h | grep -q 'FILE|FOLDER' || fail "-h does not print the usage"

for display in "" ":97"; do
    error=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" timeout 10 "$orvane" 2>&1)
    status=$?
    [[ $status -eq 1 && $(wc -l <<<"$error") -eq 1 && $error == "orvane: no display"* ]] ||
        fail "DISPLAY='$display': status $status, said: $error"
done

# Were "-platform nonexistent" Qt's, the program would abort for want of that platform;
# left alone, it starts (offscreen) and runs until stopped.
QT_QPA_PLATFORM=offscreen timeout 3 "$orvane" -platform nonexistent -style x -reverse /wav \
    >/dev/null 2>&1
status=$?
[[ $status -eq 124 ]] || fail "Qt took its options from the command line (exit $status)"
echo "command line handled"
