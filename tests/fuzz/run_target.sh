#!/usr/bin/env bash
# One bounded fuzzing run, as CTest runs it: fuzzer, seed corpus, work directory, seconds [libFuzzer options].
# The work directory is emptied first; new inputs, any crash, leak or timeout input and the targets'
# scratch files are kept in it.
set -euo pipefail
fuzzer="$1"
seeds="$2"
work="$3"
seconds="$4"
shift 4

rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts" "$work/tmp"
# The targets' scratch directory goes below the work directory, so that one left by a crash is emptied
# with it on the next run.
export TMPDIR="$work/tmp"
# The first corpus directory receives the new inputs; the seeds are only read.
exec "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -verbosity=0 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$@" "$work/corpus" "$seeds"
