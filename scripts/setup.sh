# Shared set-up for the build, run and test commands (sourced, not run).
# Installs what is missing on a Debian 12 machine, starts and stops a private
# Xvfb display and a private Wine prefix inside the build folder.

ZELMIVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZELMIVO_BUILD=${ZELMIVO_BUILD:-$ZELMIVO_ROOT/build}
ZELMIVO_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev
                  g++-mingw-w64-x86-64-posix wine wine64 xvfb x11-utils imagemagick
                  xdotool fonts-wine nsis)

zelmivo_install_packages() {
    local missing=()
    local package
    for package in "${ZELMIVO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q &&
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q \
            --no-install-recommends "${missing[@]}"
}

# Builds with MinGW-w64 the targets named, or all: the program, the test
# programs and the release files.
zelmivo_build_windows() {
    cmake -S "$ZELMIVO_ROOT" -B "$ZELMIVO_BUILD/win" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$ZELMIVO_ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        cmake --build "$ZELMIVO_BUILD/win" ${1:+--target "$@"}
}

# What the run and screenshot commands do first: the packages and the
# program, and the clean-up of what they start, however they end.
zelmivo_prepare_run() {
    zelmivo_install_packages && zelmivo_build_windows zelmivo || return 1
    trap zelmivo_cleanup EXIT
    trap "exit 130" INT TERM
}

# Starts a private virtual display; sets DISPLAY and ZELMIVO_XVFB_PID.
zelmivo_start_xvfb() {
    local display
    for display in $(seq 140 199); do
        [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
        Xvfb ":$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
        ZELMIVO_XVFB_PID=$!
        local tries
        for tries in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$display" ] && break
            kill -0 "$ZELMIVO_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$ZELMIVO_XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$display" ]; then
            export DISPLAY=":$display"
            return 0
        fi
        ZELMIVO_XVFB_PID=
    done
    echo "No free display for Xvfb" >&2
    return 1
}

# Points Wine at a private prefix, creating it on first use.
zelmivo_use_prefix() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/zelmivo-prefix-ready" ]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/zelmivo-prefix-ready"
    fi
    # Wine draws the caption buttons with Marlett; Debian's Wine finds the copy
    # from fonts-wine only in the prefix's own font folder.
    cp -u /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# Runs every program of the prefix inside one Wine virtual desktop of the
# screen's size: there a top-level window closes in milliseconds instead of
# the two seconds it takes without a window manager. Wine reads the setting
# when its server starts, so the server is stopped after writing it.
zelmivo_use_virtual_desktop() {
    [ -f "$WINEPREFIX/zelmivo-virtual-desktop" ] && return 0
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1366x768 /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
        wineserver -k &&
        touch "$WINEPREFIX/zelmivo-virtual-desktop"
}

# Keeps the prefix's Wine server and services running for the whole
# test run, started with their output detached so that CTest never waits on a
# service that outlives the test which happened to start it.
zelmivo_start_wine_services() {
    wineserver -p &&
        wine cmd /c exit >/dev/null 2>&1 </dev/null
}

# Stops only what this script started.
zelmivo_cleanup() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
    if [ -n "${ZELMIVO_XVFB_PID:-}" ]; then
        kill "$ZELMIVO_XVFB_PID" 2>/dev/null
        wait "$ZELMIVO_XVFB_PID" 2>/dev/null
    fi
    return 0
}
