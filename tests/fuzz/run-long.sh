#!/usr/bin/env bash
# Runs the fuzz targets for longer than CI does, one after another, each on all cores
# (libFuzzer's fork mode).
# Usage: tests/fuzz/run-long.sh [-t SECONDS] [-b BUILD_DIR] [TARGET...]
#   TARGET is settings, records, cp932 or import (default: all four); SECONDS per target
#   (default 3600); BUILD_DIR defaults to build/asan, configured and built as CI does.
# New inputs collect in BUILD_DIR/tests/fuzz/corpus/TARGET; a failing input is written to
# BUILD_DIR/tests/fuzz/artifacts/ and the run stops. To keep the inputs that found new paths as
# seeds: fuzz_TARGET -merge=1 tests/fuzz/corpus/TARGET BUILD_DIR/tests/fuzz/corpus/TARGET
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=3600
build=$root/build/asan
while getopts "t:b:" opt; do
    case $opt in
    t) seconds=$OPTARG ;;
    b) build=$OPTARG ;;
    *) sed -n '2,8p' "$0"; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings records cp932 import)

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DMARELTO_SANITIZE=ON -DMARELTO_FUZZ=ON \
    -DMARELTO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
fuzz=$build/tests/fuzz
for t in "${targets[@]}"; do
    mkdir -p "$fuzz/corpus/$t" "$fuzz/artifacts"
    echo "== fuzz_$t for $seconds s"
    "$fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -fork="$(nproc)" -print_final_stats=1 \
        -artifact_prefix="$fuzz/artifacts/$t-" "$fuzz/corpus/$t" "$root/tests/fuzz/corpus/$t"
done
