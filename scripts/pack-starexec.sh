#!/usr/bin/env bash
# Packs the console prover for the harnesses of competitions and clusters (StarExec and its
# kind): an archive with bin/nivar-prove, a statically linked program, and one run script per
# configuration, each called with the problem as its argument and the limits in the
# harness's variables (STAREXEC_CPU_LIMIT and STAREXEC_WALLCLOCK_LIMIT in seconds,
# STAREXEC_MAX_MEM in MB).
#   scripts/pack-starexec.sh PROGRAM ARCHIVE
# PROGRAM is the static nivar-prove (build/src/cli/nivar-prove-static, made by
# `cmake --build build --target starexec`, which also packs it as build/nivar-starexec.tgz).
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM ARCHIVE" >&2
    exit 64
fi
program=$1
archive=$(realpath -m "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
cp "$program" "$work/bin/nivar-prove"
chmod 755 "$work/bin/nivar-prove"

# One script a configuration: the limits of the harness become the prover's own, so that it
# ends with its SZS status before the harness kills it.
write_config() {
    local name=$1 options=$2
    cat > "$work/bin/starexec_run_$name" <<SCRIPT
#!/bin/sh
# Nivar, configuration $name: nivar-prove $options --szs PROBLEM
here=\$(dirname "\$0")
set -- "\$1"
limits=""
[ -n "\${STAREXEC_CPU_LIMIT:-}" ] && limits="\$limits --cpu-limit \$STAREXEC_CPU_LIMIT"
[ -n "\${STAREXEC_WALLCLOCK_LIMIT:-}" ] && limits="\$limits --timeout \$STAREXEC_WALLCLOCK_LIMIT"
[ -n "\${STAREXEC_MAX_MEM:-}" ] && limits="\$limits --memory-limit \$STAREXEC_MAX_MEM"
exec "\$here/nivar-prove" $options --szs --no-progress \$limits -- "\$1"
SCRIPT
    chmod 755 "$work/bin/starexec_run_$name"
}
write_config auto "--auto"
write_config clauses "--skolem --strategy clauses"
write_config models "--model-search --model tptp"

cat > "$work/starexec_description.txt" <<'TEXT'
Nivar: generalized resolution on arbitrary first-order formulas, a best-first search on the
clause form, and a counter-model search by SAT. Configurations: auto (the automatic mode with
a model search beside it), clauses (best-first search on the clause form), models
(counter-models only, written as TPTP finite interpretations).
TEXT
tar -C "$work" -czf "$archive" bin starexec_description.txt
echo "packed $archive"
