#!/usr/bin/env bash
# Installs the build into a scratch prefix, checks what lands where and validates the
# desktop entry, the AppStream metadata and the man page; then builds the Debian package
# and checks its contents and its SoundFont dependency.
set -euo pipefail
build=$1
scratch=$(mktemp -d /tmp/orvane-install.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in lib/orvane/orvane lib/orvane/orvane.hlp share/applications/org.orvane.orvane.desktop \
            share/metainfo/org.orvane.orvane.metainfo.xml share/icons/hicolor/32x32/apps/orvane.png \
            share/icons/hicolor/scalable/apps/orvane.svg share/man/man1/orvane.1; do
    [[ -s "$prefix/$file" ]] || fail "$file was not installed"
done
[[ -L "$prefix/bin/orvane" ]] || fail "bin/orvane is not a link"
[[ "$(readlink -f "$prefix/bin/orvane")" == "$(readlink -f "$prefix/lib/orvane/orvane")" ]] ||
    fail "bin/orvane does not lead to lib/orvane/orvane"
[[ "$("$prefix/bin/orvane" --version)" == "2.1" ]] || fail "the installed program does not run"
"$prefix/bin/orvane" --help | grep -q '/wav' || fail "--help does not list the switches"
file "$prefix/share/icons/hicolor/32x32/apps/orvane.png" | grep -q '32 x 32' ||
    fail "the theme icon is not 32 x 32"

desktop-file-validate "$prefix/share/applications/org.orvane.orvane.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.orvane.orvane.metainfo.xml" ||
    appstreamcli validate --no-net "$prefix/share/metainfo/org.orvane.orvane.metainfo.xml"
man_warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
               man --warnings -E UTF-8 -l "$prefix/share/man/man1/orvane.1" 2>&1 >/dev/null)
[[ -z "$man_warnings" ]] || fail "the man page has warnings: $man_warnings"
for word in /wav /mid /r /q /p /m ORVANE_SOUNDFONT SDL_AUDIODRIVER; do
    man -l "$prefix/share/man/man1/orvane.1" 2>/dev/null | grep -q -- "$word" ||
        fail "the man page does not document $word"
done

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/*.deb)
dpkg-deb -f "$deb" Depends | grep -q 'timgm6mb-soundfont | fluid-soundfont-gm' ||
    fail "the package does not depend on a General MIDI SoundFont"
for library in libfluidsynth3 libsndfile1 libsdl2-2.0-0; do
    dpkg-deb -f "$deb" Depends | grep -q "$library" ||
        fail "the package does not depend on $library, which the program opens when needed"
done
dpkg-deb -f "$deb" Recommends | grep -q 'qt6-wayland' ||
    fail "the package does not recommend Qt's Wayland platform"
contents=$(dpkg-deb -c "$deb")
for file in ./usr/lib/orvane/orvane ./usr/lib/orvane/orvane.hlp ./usr/bin/orvane \
            ./usr/share/applications/org.orvane.orvane.desktop ./usr/share/man/man1/orvane.1; do
    grep -q " $file" <<<"$contents" || fail "the package lacks $file"
done
echo "installed, validated and packaged: $(basename "$deb")"
