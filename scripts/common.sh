# Shared by run.sh and test.sh: packages, builds, the X display and the Wine prefix.

QUOREL_PACKAGES="cmake make g++ clang-format g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-win32 mingw-w64-tools
 libgtest-dev googletest wine wine64 xvfb xauth imagemagick mscompress libmspack-dev python3 mtools xorriso"

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

# The shipped program: 32-bit SETUP.EXE, the distribution in build/dist and its media in build/media.
quorel_build_shipped() {
    cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/win32 -j2
}

# The same program for x86-64, which the 64-bit Wine of these machines runs: its distribution in
# build/dist-x64, the end-to-end tests and the benchmarks.
quorel_build_windows() {
    cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/win -j2
}

quorel_build_native() {
    cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build build/native -j2
}

# Starts Xvfb on a free display unless one is given; QUOREL_XVFB_PID is set when we started it. Xvfb picks
# the display number itself (-displayfd) and writes it only once it accepts connections, so neither a
# number another server holds nor a server that died on start can pass as ready.
quorel_start_display() {
    QUOREL_XVFB_PID=""
    [ -n "${DISPLAY:-}" ] && return 0
    local announced display=""
    announced=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$announced" >/dev/null 2>&1 &
    QUOREL_XVFB_PID=$!
    for _ in $(seq 1 100); do
        # A whole line: the number and its line end.
        if [ "$(wc -l <"$announced")" -ge 1 ]; then
            display=$(head -n 1 "$announced")
            break
        fi
        kill -0 "$QUOREL_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$announced"
    if [ -z "$display" ] || ! kill -0 "$QUOREL_XVFB_PID" 2>/dev/null; then
        echo "Xvfb did not start within 10 s" >&2
        quorel_stop_display
        return 1
    fi
    export DISPLAY=":$display"
}

quorel_stop_display() {
    if [ -n "${QUOREL_XVFB_PID:-}" ]; then
        kill "$QUOREL_XVFB_PID" 2>/dev/null
        wait "$QUOREL_XVFB_PID" 2>/dev/null
    fi
    QUOREL_XVFB_PID=""
    return 0
}

# Waits at most $1 seconds for every process of the prefix to end; past that it ends them and fails.
quorel_wait_for_wine() {
    wineserver -w &
    local waiter=$!
    for _ in $(seq 1 $(($1 * 10))); do
        if ! kill -0 "$waiter" 2>/dev/null; then
            wait "$waiter"
            return 0
        fi
        sleep 0.1
    done
    kill "$waiter" 2>/dev/null
    wineserver -k 2>/dev/null
    echo "Wine's processes did not end within $1 s" >&2
    return 1
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

# Making a prefix takes about 10 s; the time limits only keep a broken Wine from stopping the script.
quorel_fresh_prefix() {
    quorel_use_prefix "$1"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 &&
        timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
        timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 ||
        { echo "Could not make the Wine prefix $WINEPREFIX" >&2; wineserver -k 2>/dev/null; return 1; }
    quorel_wait_for_wine 120
}
