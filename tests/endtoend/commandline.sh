#!/usr/bin/env bash
# The program's own command line: --help and --version answer without a window, and Qt's
# options are left to the switch step instead of being taken by Qt.
set -u
orvane=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

[[ "$("$orvane" --version)" == "2.1" ]] || fail "--version does not print 2.1"
"$orvane" --help | grep -q '/mid' || fail "--help does not list the switches"
"$orvane" /p --help >/dev/null || fail "--help among switches does not answer"

# Were "-platform nonexistent" Qt's, the program would abort for want of that platform;
# left alone, it starts (offscreen) and runs until stopped.
QT_QPA_PLATFORM=offscreen timeout 3 "$orvane" -platform nonexistent -style x -reverse /wav \
    >/dev/null 2>&1
status=$?
[[ $status -eq 124 ]] || fail "Qt took its options from the command line (exit $status)"
echo "command line handled"
