#!/usr/bin/python3
"""Runs the benchmark corpus through nivar-prove in every strategy and a spread of options and
compares each report (time and memory lines off) byte for byte with the recorded one in
bench/expected/. Faster code must not change a single line.

    bench/check-reports.py [--quick] [--generate] [--prover PATH]

--generate records the reports instead (runs that do not end within the time limit are left
out); --quick checks the small part of the corpus that ./test.sh runs."""
import argparse
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")
EXPECTED = os.path.join(HERE, "expected")
STRATEGIES = ["linear", "breadth", "modified"]
VARIANTS = {
    "default": [],
    "last-match": ["--exit", "last-match"],
    "first-unused": ["--exit", "first-unused"],
    "equivalence": ["--check", "equivalence"],
    "filtration": ["--restrict", "filtration"],
    "support": ["--restrict", "support", "--resolvents", "--statistics", "--axioms"],
    "quantification": ["--quantification"],
    "general-cut": ["--general-cut", "--one-refutation"],
    "traces": ["--check", "none", "--sr-check", "--unsimplified", "--dcf-limit", "3"],
    "skolem": ["--skolem", "--no-sources"],
}
QUICK = ["overview", "family-breadth", "socrates", "chain-08", "ancestors-04",
         "disjunctions-04", "deep-terms-08", "wide-terms-08", "equivalence-quant",
         "quantifiers-skolem", "sr-check-sweep"]
LIMIT = 8  # seconds a recorded run may take


def options_of(name):
    with open(os.path.join(CORPUS, "OPTIONS"), encoding="utf-8") as f:
        for line in f:
            key, _, flags = line.partition(":")
            if key == name:
                # the run's own strategy is replaced by each strategy in turn
                words = flags.split()
                out = []
                skip = False
                for w in words:
                    if skip:
                        skip = False
                        continue
                    if w == "--strategy":
                        skip = True
                        continue
                    out.append(w)
                return out
    return []


def report(prover, name, strategy, variant, limit=LIMIT):
    args = [prover, "--no-time", "--no-memory", "--strategy", strategy]
    args += options_of(name) + VARIANTS[variant] + [os.path.join(CORPUS, name + ".txt")]
    result = subprocess.run(args, capture_output=True, timeout=limit)
    return result.stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--generate", action="store_true")
    parser.add_argument("--quick", action="store_true")
    parser.add_argument("--prover", default=os.path.join(HERE, "..", "build", "src", "cli",
                                                         "nivar-prove"))
    args = parser.parse_args()
    names = sorted(n[:-4] for n in os.listdir(CORPUS) if n.endswith(".txt"))
    if args.quick:
        names = [n for n in names if n in QUICK]
    os.makedirs(EXPECTED, exist_ok=True)
    checked = differing = 0
    for name in names:
        for strategy in STRATEGIES:
            for variant in VARIANTS:
                path = os.path.join(EXPECTED, f"{name}.{strategy}.{variant}.report")
                if args.generate:
                    if os.path.exists(path):
                        continue
                    try:
                        out = report(args.prover, name, strategy, variant)
                    except subprocess.TimeoutExpired:
                        continue
                    with open(path, "wb") as f:
                        f.write(out)
                    continue
                if not os.path.exists(path):
                    continue
                with open(path, "rb") as f:
                    expected = f.read()
                out = report(args.prover, name, strategy, variant, limit=20 * LIMIT)
                checked += 1
                if out != expected:
                    differing += 1
                    print(f"DIFFERS: {name} --strategy {strategy} ({variant})")
    if not args.generate:
        print(f"{checked} reports compared, {differing} differ")
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
