#!/usr/bin/env bash
# Installs the Debian packages Orvane needs. Idempotent and quiet: does nothing when all
# are present; otherwise installs the missing ones and names any package that cannot be had.
#   scripts/install-deps.sh          what building and running needs
#   scripts/install-deps.sh --test   also what the tests need (Xvfb, PulseAudio, PipeWire,
#                                    weston, sox, ...)
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libxcb1-dev
    libfluidsynth-dev libjack-jackd2-dev libsndfile1-dev libsdl2-dev
    timgm6mb-soundfont fonts-wine
)
if [[ "${1:-}" == "--test" ]]; then
    packages+=(xvfb xauth pulseaudio pulseaudio-utils sox fluidsynth clang libclang-rt-14-dev
              desktop-file-utils appstream dpkg-dev file man-db
              openbox dbus dbus-bin at-spi2-core python3-pyatspi libglib2.0-bin wmctrl xdotool
              x11-utils util-linux
              weston qt6-wayland pipewire pipewire-bin wireplumber pipewire-pulse bindfs fuse3)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}" >&2
"${sudo[@]}" apt-get update -qq >/dev/null
if ! "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/tmp/orvane-apt.log 2>&1; then
    for package in "${missing[@]}"; do
        if ! apt-cache show "$package" >/dev/null 2>&1; then
            echo "error: the Debian package '$package' cannot be found" >&2
            exit 1
        fi
        if ! "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$package" >>/tmp/orvane-apt.log 2>&1; then
            echo "error: the Debian package '$package' could not be installed (see /tmp/orvane-apt.log)" >&2
            exit 1
        fi
    done
fi
