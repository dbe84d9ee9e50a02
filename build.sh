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
               openbox xdg-utils dbus-daemon desktop-file-utils appstream dpkg-dev
               clang libclang-rt-14-dev xrestop)
BUILD_DIR=${BUILD_DIR:-build}

# shellcheck source=tools/install-missing.sh
source tools/install-missing.sh

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

    # The same suite again, built by clang with AddressSanitizer, LeakSanitizer and
    # UBSan, plus the fuzzer (tests/sanitizers/, tests/fuzz/). Every process of the run,
    # the tests, the pickers they start and their clipboard keepers, writes its findings
    # into one folder, and any file there fails the run.
    SAN_DIR=${SAN_DIR:-build-asan}
    [ -f "$SAN_DIR/CMakeCache.txt" ] || cmake -S . -B "$SAN_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/tests/sanitizers/asan-ubsan.cmake"
    cmake --build "$SAN_DIR" -j"$(nproc)"
    reports=$(realpath -m "$SAN_DIR/sanitizer-reports")
    rm -rf "$reports" && mkdir -p "$reports"
    export ASAN_OPTIONS="detect_leaks=1:log_path=$reports/report:log_exe_name=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/report:log_exe_name=1"
    status=0
    ctest --test-dir "$SAN_DIR" --output-on-failure -j"$(nproc)" || status=$?
    # A clipboard keeper ends with its X server: give the last ones time to report.
    picker=$(realpath "$SAN_DIR/app/tpicker")
    for _ in $(seq 50); do
        running=0
        for exe in /proc/[0-9]*/exe; do
            [ "$(readlink "$exe" 2>/dev/null)" = "$picker" ] && { running=1; break; }
        done
        [ "$running" -eq 0 ] && break
        sleep 0.1
    done
    if compgen -G "$reports/report.*" >/dev/null; then
        cat "$reports"/report.*
        echo "The sanitizers reported the findings above (kept in $reports)." >&2
        status=1
    fi
    exit "$status"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
