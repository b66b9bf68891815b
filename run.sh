#!/usr/bin/env bash
# Builds SETUP.EXE, the shipped 32-bit one with its distribution in build/dist and the x86-64 one with its
# distribution in build/dist-x64, and starts the latter under Wine: these machines run no 32-bit code.
# With $DISPLAY set the program runs on that display until you close it. Without a display it runs on a
# virtual one, waits for the main dialog, saves a screenshot as build/main-dialog.png and ends.
# Arguments are passed to SETUP.EXE, e.g. ./run.sh /lDeutsch
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh

quorel_install_packages
quorel_build_shipped
quorel_build_windows

# The run keeps its prefix between runs, so that an installation made in one run is there in the next.
if [ -d build/wineprefix-run ]; then
    quorel_use_prefix wineprefix-run
else
    quorel_fresh_prefix wineprefix-run
fi

if [ -n "${DISPLAY:-}" ]; then
    cd build/dist-x64
    exec wine SETUP.EXE "$@"
fi

quorel_start_display
trap 'wineserver -k 2>/dev/null || true; quorel_stop_display' EXIT
ready="$PWD/build/run-ready.txt"
done_file="$PWD/build/run-done.txt"
rm -f "$ready" "$done_file"
wine build/win/show_main_dialog.exe "Z:$PWD/build/dist-x64" "Z:$ready" "Z:$done_file" "$@" >build/run.log 2>&1 &
helper=$!
for _ in $(seq 1 600); do
    [ -e "$ready" ] && break
    kill -0 "$helper" 2>/dev/null || break
    sleep 0.1
done
if [ ! -e "$ready" ]; then
    echo "SETUP.EXE did not show its main dialog; see build/run.log" >&2
    exit 1
fi
import -window root build/main-dialog.png
touch "$done_file"
wait "$helper"
echo "Screenshot of the main dialog: build/main-dialog.png; the shipped distribution: build/dist/ (media: build/media/)"
