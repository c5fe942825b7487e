#!/usr/bin/env bash
# Builds the whole suite with clang under AddressSanitizer and UndefinedBehaviorSanitizer, with
# the fuzz targets, and runs it: GUI tests offscreen, the window tests in Xvfb, each fuzz target
# over its committed corpus and then for MARELTO_FUZZ_SECONDS more (8 unless set;
# tests/fuzz/run-long.sh fuzzes for hours). Any sanitizer report or broken invariant fails.
# The build is at -O1 with line tables only, as the sanitizers advise: quicker to build, and
# reports still name file and line.
# Usage: run.sh [build|test] SOURCE_DIR BUILD_DIR [JOBS]   (both steps unless one is named)
set -eu
step=all
case ${1:-} in build | test) step=$1 && shift ;; esac
root=$1
build=$2
jobs=${3:-$(nproc)}
seconds=${MARELTO_FUZZ_SECONDS:-8}

if [ "$step" != test ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
        -DCMAKE_CXX_COMPILER=clang++ -DMARELTO_SANITIZE=ON -DMARELTO_FUZZ=ON \
        -DMARELTO_BUILD_BENCH=OFF -DMARELTO_FUZZ_SECONDS="$seconds" \
        -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld \
        -DCMAKE_MODULE_LINKER_FLAGS=-fuse-ld=lld >/dev/null
    cmake --build "$build" -j "$jobs"
fi
[ "$step" != build ] || exit 0

# Reports stop the process with a non-zero status; leaks count as reports, except those inside
# the system libraries named in the suppressions.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp
cd "$build"
set +e
# Twice as many tests as processors at once: most of them wait on a window or an X server.
ctest --output-on-failure -j "$((jobs * 2))" 2>&1 | tee ctest-output.log
status=${PIPESTATUS[0]}
set -e

# How far each fuzz target got, from its final statistics.
awk '/^[0-9]+\/[0-9]+ Test: fuzz_/ { name = $3 }
     /^Done [0-9]+ runs in/ && name { printf "%s: %s runs in %s s\n", name, $2, $5; name = "" }' \
    Testing/Temporary/LastTest.log
# ctest's summary closes the output, where CI reads it.
grep -E '^[0-9]+% tests passed|^The following tests FAILED|^[[:space:]]+[0-9]+ - |^Total Test time' \
    ctest-output.log || true
exit "$status"
