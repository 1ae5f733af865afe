#!/usr/bin/python3
"""Whole proof runs of nivar-prove on the benchmark corpus: per document the resolvents
recorded, the unifications, the wall time (median of the repeats), the peak memory (maximum
resident set) and the unification throughput. With --plot it draws the growth of time and
memory in the scaling families (the same problem at n = 4, 8, 16, 32) into a PNG.

    bench/run.py [--repeat 3] [--prover PATH] [--json FILE] [--plot FILE]"""
import argparse
import json
import os
import re
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def options():
    table = {}
    with open(os.path.join(CORPUS, "OPTIONS"), encoding="utf-8") as f:
        for line in f:
            key, _, flags = line.partition(":")
            table[key] = flags.split()
    return table


def run_once(prover, path, flags):
    args = [prover, "--statistics", "--no-time"] + flags + [path]
    start = time.perf_counter()
    process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    text = out.decode("utf-8", "replace")
    resolvents = sum(int(m) for m in re.findall(r"^Resolvents : (\d+)$", text, re.M))
    unifications = sum(int(m) for m in re.findall(r"^Unification : (\d+)$", text, re.M))
    used = [int(m) for m in re.findall(r"Used memory for proof: (-?\d+) B", text)]
    return elapsed, usage.ru_maxrss, resolvents, unifications, max(used, default=0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--prover", default=os.path.join(HERE, "..", "build", "src", "cli",
                                                         "nivar-prove"))
    parser.add_argument("--json")
    parser.add_argument("--plot")
    parser.add_argument("--only", help="a regular expression the document names must match")
    args = parser.parse_args()
    table = options()
    rows = []
    print(f"{'document':24} {'resolvents':>10} {'unifications':>12} {'time s':>8} "
          f"{'peak KB':>8} {'proof KB':>9} {'unif/s':>10}")
    for name in sorted(table):
        if args.only and not re.search(args.only, name):
            continue
        path = os.path.join(CORPUS, name + ".txt")
        runs = [run_once(args.prover, path, table[name]) for _ in range(args.repeat)]
        elapsed = statistics.median(r[0] for r in runs)
        peak = max(r[1] for r in runs)
        resolvents, unifications, used = runs[0][2], runs[0][3], runs[0][4]
        rate = unifications / elapsed if elapsed > 0 else 0
        rows.append({"document": name, "resolvents": resolvents, "unifications": unifications,
                     "seconds": elapsed, "peak_kb": peak, "proof_kb": used / 1024,
                     "unifications_per_s": rate})
        print(f"{name:24} {resolvents:10d} {unifications:12d} {elapsed:8.3f} {peak:8d} "
              f"{used / 1024:9.1f} {rate:10.0f}")
        sys.stdout.flush()
    if args.json:
        with open(args.json, "w", encoding="utf-8") as f:
            json.dump(rows, f, indent=1)
    if args.plot:
        plot(rows, args.plot)


def plot(rows, target):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    families = {}
    for row in rows:
        match = re.match(r"(.*)-(\d+)$", row["document"])
        if match:
            families.setdefault(match.group(1), []).append((int(match.group(2)), row))
    figure, (left, right) = plt.subplots(1, 2, figsize=(11, 4.5))
    for family, points in sorted(families.items()):
        points.sort()
        sizes = [n for n, _ in points]
        left.plot(sizes, [max(r["seconds"], 1e-3) for _, r in points], marker="o", label=family)
        right.plot(sizes, [max(r["proof_kb"], 1) for _, r in points], marker="o", label=family)
    for axis, title, unit in ((left, "wall time", "s"), (right, "memory used by the proof", "KB")):
        axis.set_xscale("log", base=2)
        axis.set_xlabel("n")
        axis.set_title(title)
        axis.set_ylabel(unit)
        axis.grid(True, alpha=0.3)
    left.set_yscale("log")
    right.set_yscale("log")
    left.legend(fontsize=8)
    figure.tight_layout()
    figure.savefig(target, dpi=90)


if __name__ == "__main__":
    main()
