#!/usr/bin/python3
"""Times best-first search on the clause form beside best-first search on whole formulas and
--auto on problems that load its parts: the ancestor chain (bottom-up saturation, unit
cutting), the pigeonhole problem (many clauses, subsumption), the steamroller (selection),
the non-obvious problem (non-Horn clauses, ordering) and one conjunction of 2 000 atoms (the
splitting).

    bench/clause-form.py [--runs N] [--timeout SECONDS] [--prover PATH]

Prints, per problem and configuration, the resolvents and the median wall time of the whole
process over the runs ("-" when not proved within the timeout)."""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from importlib import import_module  # noqa: E402

corpus = import_module("make-corpus")

CONFIGS = {
    "clauses": ["--skolem", "--strategy", "clauses"],
    "best": ["--skolem", "--strategy", "best"],
    "auto": ["--auto"],
}


def pigeonhole(n):
    """n + 1 pigeons, n holes, as propositional clauses."""
    lines = ["∨".join(f"p{i}h{j}" for j in range(n)) + "." for i in range(n + 1)]
    for j in range(n):
        for a in range(n + 1):
            for b in range(a + 1, n + 1):
                lines.append(f"¬p{a}h{j} ∨ ¬p{b}h{j}.")
    lines.append("?- goal.")
    return "\n".join(lines) + "\n"


def conjunction(n):
    """One axiom, the conjunction of n atoms; the query is the last."""
    return " ∧ ".join(f"p{i}" for i in range(n)) + f".\n?- p{n - 1}.\n"


NON_OBVIOUS = """∀X, Y, Z [p(X, Y) ∧ p(Y, Z) → p(X, Z)].
∀X, Y, Z [q(X, Y) ∧ q(Y, Z) → q(X, Z)].
∀X, Y [q(X, Y) → q(Y, X)].
∀X, Y [p(X, Y) ∨ q(X, Y)].
?- ∀X, Y [p(X, Y)] ∨ ∀X, Y [q(X, Y)].
"""


def problems():
    with open(os.path.join(HERE, "pelletier", "docs", "P47.txt"), encoding="utf-8") as f:
        steamroller = f.read()
    return {
        "ancestors-128": corpus.ancestors(128),
        "pigeonhole-5": pigeonhole(5),
        "pigeonhole-6": pigeonhole(6),
        "steamroller": steamroller,
        "non-obvious": NON_OBVIOUS,
        "conjunction-2000": conjunction(2000),
    }


def run(prover, config, path, timeout):
    args = [prover, "--no-progress", "--statistics", "--timeout", str(timeout)]
    start = time.monotonic()
    out = subprocess.run(args + CONFIGS[config] + [path], capture_output=True,
                         timeout=timeout + 30).stdout.decode("utf-8", "replace")
    seconds = time.monotonic() - start
    resolvents = sum(int(line.split()[2]) for line in out.splitlines()
                     if line.startswith("Resolvents : "))
    return " YES." in out, resolvents, seconds


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--timeout", type=float, default=20)
    parser.add_argument("--prover", default=os.path.join(HERE, "..", "build", "src", "cli",
                                                         "nivar-prove"))
    args = parser.parse_args()
    print("| problem | " + " | ".join(f"{c} resolvents | {c} s" for c in CONFIGS) + " |")
    print("|---|" + "---:|---:|" * len(CONFIGS))
    with tempfile.TemporaryDirectory() as folder:
        for name, text in problems().items():
            path = os.path.join(folder, name + ".txt")
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
            cells = []
            for config in CONFIGS:
                results = [run(args.prover, config, path, args.timeout)
                           for _ in range(args.runs)]
                if all(proved for proved, _, _ in results):
                    seconds = statistics.median(s for _, _, s in results)
                    cells += [str(results[0][1]), f"{seconds:.2f}"]
                else:
                    cells += ["-", "-"]
            print(f"| {name} | " + " | ".join(cells) + " |", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
