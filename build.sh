#!/usr/bin/env bash
# Set-up, build and run for Tavrin Picker on Debian 12.
#   ./build.sh run    install what is missing, build Release, start the picker
#   ./build.sh test   install what is missing (test tools too), build, run every test
# Packages are installed with apt-get, through sudo when not run as root.
set -euo pipefail
cd "$(dirname "$0")"

RUN_PACKAGES=(cmake g++ make pkgconf qt6-base-dev fonts-ipafont-gothic
              libx11-dev libxcb1-dev libxcb-randr0-dev)
TEST_PACKAGES=(xvfb xauth xdotool xclip x11-xserver-utils x11-utils libxcb-res0-dev
               openbox xdg-utils dbus-daemon desktop-file-utils appstream dpkg-dev)
BUILD_DIR=${BUILD_DIR:-build}

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure() {
    [ -f "$BUILD_DIR/CMakeCache.txt" ] || cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release
}

case "${1:-}" in
run)
    install_missing "${RUN_PACKAGES[@]}"
    configure
    cmake --build "$BUILD_DIR" --target tpicker -j"$(nproc)"
    shift
    exec "$BUILD_DIR/app/tpicker" "$@"
    ;;
test)
    install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    configure
    cmake --build "$BUILD_DIR" -j"$(nproc)"
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
