#!/usr/bin/env bash
# One bounded fuzzing run, as CTest runs it: fuzzer, seed corpus, work directory, seconds [libFuzzer options].
# The work directory is emptied first; new inputs and any crash, leak or timeout input are kept in it (the
# targets' own files live in memory).
set -euo pipefail
fuzzer="$1"
seeds="$2"
work="$3"
seconds="$4"
shift 4

rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
# The first corpus directory receives the new inputs; the seeds are only read.
exec "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -verbosity=0 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$@" "$work/corpus" "$seeds"
