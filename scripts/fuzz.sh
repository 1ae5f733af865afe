#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 30) on a copy
# of its seed corpus. A longer run: scripts/fuzz.sh 3600
# Inputs that fail are kept in fuzz/regressions/, where the tests replay them; the exit status
# is 1 when the run kept one, 2 when the targets do not build.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages clang libclang-rt-14-dev cmake ninja-build
seconds=${1:-30}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNIVAR_FUZZ=ON >/dev/null
if ! cmake --build build-fuzz -j "$(nproc)"; then
    echo "the fuzz targets do not build" >&2
    exit 2
fi

mkdir -p fuzz/regressions
status=0
for target in compile prove; do
    work=$(mktemp -d)
    cp fuzz/corpus/$target/* "$work"/
    echo "== fuzzing $target for $seconds s"
    if ! ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1 \
        build-fuzz/fuzz/${target}_fuzzer "$work" -max_total_time="$seconds" -timeout=20 \
        -rss_limit_mb=3072 -max_len=4096 -print_final_stats=1 -artifact_prefix="$work/" \
        >"$work/log" 2>&1; then
        tail -n 40 "$work/log"
        # What failed is kept before the work folder goes.
        for found in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
            [ -e "$found" ] || continue
            cp "$found" "fuzz/regressions/$target-$(basename "$found")"
            echo "kept fuzz/regressions/$target-$(basename "$found")"
            status=1
        done
    else
        grep -E 'stat::number_of_executed_units|cov:' "$work/log" | tail -n 2
    fi
    rm -rf "$work"
done
exit $status
