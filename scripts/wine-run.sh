#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest. Wine's helper processes (the desktop, the Explorer windows
# that the Program Manager opens for a group) inherit the program's output handles and outlive it; were
# those handles CTest's pipe, CTest would wait for them forever. So the program writes to a file, and tail
# passes the file on while the program runs (so that a test CTest stops for taking too long still shows
# how far it got) and ends with it. Stopped itself (CTest's time-out, Ctrl+C), the runner ends the program
# and the follower instead of leaving them behind.
output=$(mktemp)
program=""
follower=""
stop_children() {
    for child in $program $follower; do
        kill "$child" 2>/dev/null
    done
}
trap 'rm -f "$output"' EXIT
trap 'stop_children; exit 143' TERM
trap 'stop_children; exit 130' INT
wine "$@" >"$output" 2>&1 &
program=$!
tail -n +1 -s 0.2 -f --pid="$program" "$output" &
follower=$!
wait "$program"
status=$?
wait "$follower"
exit $status
