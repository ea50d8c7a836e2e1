#!/usr/bin/env bash
# Runs every fuzzer for a bounded time from its committed seeds and fails on any finding:
# a crash or sanitizer report, one input taking over 1 s, or over 512 MB.
# Usage: fuzz/run.sh <build folder> [seconds per fuzzer]
set -u
build="$1"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
export QT_QPA_PLATFORM=offscreen
# A small quarantine, so that freed memory does not count against one input's 512 MB.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=32}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=0
summary=""
for seeds in "$here"/corpus/*/; do
    name=$(basename "$seeds")
    fuzzer="$build/velmora-fuzz-$name"
    [ -x "$fuzzer" ] || { echo "FAIL: no fuzzer $fuzzer"; failed=1; continue; }
    # New inputs go to a working copy in the build folder; the committed seeds stay as they are.
    corpus="$build/corpus/$name"
    artifacts="$build/artifacts/$name"
    rm -rf "$artifacts"
    mkdir -p "$corpus" "$artifacts"
    log="$build/$name.log"
    echo "== $name: $seconds s"
    "$fuzzer" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=512 -malloc_limit_mb=512 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
    line="$name: ${runs:-?} inputs in ${took:-?} s"
    if [ "$status" -ne 0 ] || ls "$artifacts"/* >/dev/null 2>&1; then
        failed=1
        line="$line, FAILED (status $status)"
        grep -E "ERROR|SUMMARY|==[0-9]+==|#[0-9]+ 0x" "$log" | head -40
        ls "$artifacts"
    fi
    echo "$line"
    summary="$summary$line"$'\n'
done
echo "== fuzzing summary"
printf '%s' "$summary"
exit "$failed"
