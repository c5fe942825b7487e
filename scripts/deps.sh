#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing.
# Usage: deps.sh run|test
set -eu
packages=(
    cmake g++ ninja-build pkg-config dpkg-dev file
    qt6-base-dev qt6-multimedia-dev qt6-translations-l10n libgl-dev
    fonts-ipafont-gothic
)
if [ "${1:-run}" = test ]; then
    packages+=(
        libgtest-dev libgmock-dev libbenchmark-dev qt6-base-private-dev
        clang libclang-rt-14-dev lld clang-format
        xvfb xauth openbox xdotool wmctrl x11-utils imagemagick gdb poppler-utils
        dbus at-spi2-core gir1.2-atspi-2.0 python3-gi
        desktop-file-utils appstream lintian
        chromium
    )
fi
missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
