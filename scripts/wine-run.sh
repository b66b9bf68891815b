#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest. Wine's helper processes (the desktop, the Explorer windows
# that the Program Manager opens for a group) inherit the program's output handles and outlive it; were
# those handles CTest's pipe, CTest would wait for them forever. So the program writes to a file, and the
# file is passed on once the program has ended.
output=$(mktemp)
wine "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
exit $status
