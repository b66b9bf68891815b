#!/usr/bin/env bash
# Builds every build and runs every test: native unit tests (sanitized), the checks of the shipped 32-bit
# program, the end-to-end tests of the same program built for x86-64 under Wine, and the fuzz targets.
# Ends with CTest's summary over all of them.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh

# The fuzz build needs clang and its libFuzzer runtime.
QUOREL_PACKAGES="$QUOREL_PACKAGES clang libclang-rt-dev"
quorel_install_packages
quorel_build_native
quorel_build_shipped
quorel_build_windows
# Third build: libFuzzer targets over the core's parsers; CTest runs each for a few seconds (tests/fuzz/README.md).
cmake -S . -B build/fuzz -DQUOREL_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz -j2

quorel_start_display
trap 'wineserver -k 2>/dev/null || true; quorel_stop_display' EXIT
quorel_fresh_prefix wineprefix-test

# One CTest run over every build tree, so that one summary counts every test. A failed test runs once more:
# Wine itself has been seen to fault, rarely, while a program of ours started (about once in a thousand
# end-to-end runs, never the same test twice). Its first output stays in the log above the summary, and the
# tests that passed only on their second run are named after it, so that no flaky test of ours goes unseen.
printf 'subdirs("native" "win32" "win" "fuzz")\n' > build/CTestTestfile.cmake
status=0
ctest --test-dir build --output-on-failure --timeout 300 --repeat until-pass:2 || status=$?
second=$(grep -h -E '^[0-9]+/[0-9]+ Test: ' build/Testing/Temporary/LastTest.log | sort | uniq -d |
    sed 's/^[0-9]*\/[0-9]* Test: //' || true)
if [ -n "$second" ]; then echo "Passed only on a second run:" $second; fi
# CTest shows a passing test's output only in its log: the figures the benchmarks and the fault runs
# measure are picked from there.
echo "Measured:"
grep -h -E '^(install|reader|config-open|expand|copy-limit) ratio|^fixed part|^setup size KiB|^(installation|configuration save|removal): [0-9]+ operations' \
    build/Testing/Temporary/LastTest.log || true
exit $status
