# Shared by run.sh and test.sh: packages, builds, the X display and the Wine prefix.

QUOREL_PACKAGES="cmake make g++ clang-format g++-mingw-w64-x86-64-posix mingw-w64-tools libgtest-dev googletest
 wine wine64 xvfb xauth imagemagick mscompress libmspack-dev python3"

quorel_install_packages() {
    local missing=""
    for package in $QUOREL_PACKAGES; do
        dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
}

quorel_build_windows() {
    cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/win -j2
}

quorel_build_native() {
    cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build build/native -j2
}

# Starts Xvfb on a free display unless one is given; QUOREL_XVFB_PID is set when we started it.
quorel_start_display() {
    QUOREL_XVFB_PID=""
    [ -n "${DISPLAY:-}" ] && return 0
    local display=91
    while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    QUOREL_XVFB_PID=$!
    export DISPLAY=":$display"
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X${display}" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

quorel_stop_display() {
    [ -n "${QUOREL_XVFB_PID:-}" ] && kill "$QUOREL_XVFB_PID" 2>/dev/null
    return 0
}

# A fresh Wine prefix in the build tree. Wine's virtual desktop gives every window a frame drawn by Wine
# itself; without a window manager plain X11 windows wait seconds for one at every hide.
quorel_use_prefix() {
    export WINEPREFIX="$PWD/build/$1"
    export WINEDEBUG=-all
    # winemenubuilder would write menu files into the host's home for every shortcut; winedbg would hang
    # wineserver -w after a crash. Wine has a CAPI2032.DLL of its own (a bridge to the host's CAPI) that it
    # would load in place of the driver's; native only, as on Windows, where a system without the driver
    # has none.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d;capi2032=n"
}

quorel_fresh_prefix() {
    quorel_use_prefix "$1"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
}
