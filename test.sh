#!/usr/bin/env bash
# Builds both builds and runs every test: native unit tests (sanitized) and the end-to-end tests of the
# real SETUP.EXE under Wine. Ends with CTest's summary over all of them.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh

quorel_install_packages
quorel_build_native
quorel_build_windows

quorel_start_display
trap 'wineserver -k 2>/dev/null || true; quorel_stop_display' EXIT
quorel_fresh_prefix wineprefix-test

# One CTest run over both build trees, so that one summary counts every test.
printf 'subdirs("native" "win")\n' > build/CTestTestfile.cmake
ctest --test-dir build --output-on-failure --timeout 300
