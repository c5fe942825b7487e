#!/usr/bin/env bash
# Runs both real-window tests many times in a row beside two CPU-bound processes, as on a busy
# machine, and prints how many passed and how long each run took. Not part of ctest: it takes
# minutes. Usage: smoke-loop.sh [build-dir] [runs]
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-30}
shots=$(mktemp -d)
sh -c 'while :; do :; done' & busy1=$!
sh -c 'while :; do :; done' & busy2=$!
trap 'kill "$busy1" "$busy2" 2>/dev/null; rm -rf "$shots"' EXIT

passed=0
begin=$EPOCHREALTIME
failed=0
for i in $(seq 1 "$runs"); do
    for test in window round; do
        start=$EPOCHREALTIME
        if [ "$test" = window ]; then
            out=$("$here/window-smoke.sh" "$build/marelto" "$shots" 2>&1)
        else
            out=$("$here/round-smoke.sh" "$build/marelto" "$root/data/sample0524.txt" "$shots" 2>&1)
        fi
        rc=$?
        secs=$(awk "BEGIN { print $EPOCHREALTIME - $start }")
        if [ "$rc" -eq 0 ]; then
            passed=$((passed + 1))
            printf 'run %2d %-6s pass %5.1f s\n' "$i" "$test" "$secs"
        else
            failed=$((failed + 1))
            printf 'run %2d %-6s FAIL %5.1f s\n%s\n' "$i" "$test" "$secs" "$out"
        fi
    done
done
awk -v p="$passed" -v f="$failed" -v n="$runs" -v t="$(awk "BEGIN { print $EPOCHREALTIME - $begin }")" \
    'BEGIN { printf "%d passed, %d failed in %d runs of both tests; %.1f s in all, %.1f s per run\n", p, f, n, t, t / n }'
[ "$failed" -eq 0 ]
