#!/usr/bin/env bash
# The desktop program's run against nivar-prove's on a few corpus documents (median of 3).
set -euo pipefail
cd "$(dirname "$0")/.."
for case in "disjunctions-16 modified" "ancestors-16 breadth" "chain-breadth-32 breadth"; do
    set -- $case
    doc=bench/corpus/$1.txt
    flags=$(grep "^$1:" bench/corpus/OPTIONS | cut -d: -f2- | sed 's/--strategy [a-z]*//')
    cli=()
    for _ in 1 2 3; do
        start=$(date +%s.%N)
        build/src/cli/nivar-prove --strategy "$2" $flags "$doc" >/dev/null || true
        cli+=("$(echo "$(date +%s.%N) - $start" | bc)")
    done
    cli_median=$(printf '%s\n' "${cli[@]}" | sort -n | sed -n 2p)
    ui=$(build/bench/ui_bench "$doc" "$2" 3 2>/dev/null | cut -d' ' -f1)
    echo "$1: nivar-prove ${cli_median}s, desktop ${ui}s"
done
