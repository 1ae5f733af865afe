#!/usr/bin/python3
"""Proves Pelletier's 47 problems (bench/pelletier/docs, Nivar documents of the TPTP files in
bench/pelletier/tptp) with each strategy in both sound modes and with --auto, and prints how
many each proves and in what time, beside the figures of two general-purpose provers
(bench/pelletier/peers.csv).

    bench/pelletier.py [--timeout SECONDS] [--jobs N] [--prover PATH] [--only CONFIG...]

A problem counts as proved when every query of it gets "% SZS status Theorem". Times are wall
times of the whole process."""
import argparse
import concurrent.futures
import csv
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
DOCS = os.path.join(HERE, "pelletier", "docs")
PEERS = os.path.join(HERE, "pelletier", "peers.csv")
CONFIGS = {
    "linear/skolem": ["--skolem"],
    "breadth/skolem": ["--skolem", "--strategy", "breadth"],
    "modified/skolem": ["--skolem", "--strategy", "modified"],
    "best/skolem": ["--skolem", "--strategy", "best"],
    "linear/quant": ["--quantification"],
    "breadth/quant": ["--quantification", "--strategy", "breadth"],
    "modified/quant": ["--quantification", "--strategy", "modified"],
    "best/quant": ["--quantification", "--strategy", "best"],
    "clauses/skolem": ["--skolem", "--strategy", "clauses"],
    "auto": ["--auto"],
}


def prove(prover, config, problem, timeout):
    args = [prover, "--szs", "--no-progress", "--timeout", str(timeout)] + CONFIGS[config]
    args.append(os.path.join(DOCS, problem + ".txt"))
    start = time.monotonic()
    try:
        out = subprocess.run(args, capture_output=True, timeout=timeout + 30).stdout
    except subprocess.TimeoutExpired:
        return config, problem, False, timeout
    seconds = time.monotonic() - start
    statuses = [line.split()[3] for line in out.decode("utf-8", "replace").splitlines()
                if line.startswith("% SZS status ")]
    return config, problem, bool(statuses) and all(s == "Theorem" for s in statuses), seconds


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--timeout", type=float, default=10)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--prover", default=os.path.join(HERE, "..", "build", "src", "cli",
                                                         "nivar-prove"))
    parser.add_argument("--only", nargs="*", default=list(CONFIGS))
    args = parser.parse_args()
    problems = sorted(f[:-4] for f in os.listdir(DOCS) if f.endswith(".txt"))
    results = {}
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        jobs = [pool.submit(prove, args.prover, c, p, args.timeout)
                for c in args.only for p in problems]
        for job in concurrent.futures.as_completed(jobs):
            config, problem, ok, seconds = job.result()
            results[config, problem] = (ok, seconds)

    peers = {}
    with open(PEERS, encoding="utf-8") as f:
        for row in csv.DictReader(f):
            peers[row["prover"], row["problem"]] = (row["solved"] == "1", float(row["wall_s"]))
    peer_names = sorted({p for p, _ in peers})

    print(f"Proved within {args.timeout:g} s, of {len(problems)}:\n")
    print("| configuration | proved | median s of the proved | unproved |")
    print("|---|---:|---:|---|")
    for config in args.only:
        solved = [results[config, p][1] for p in problems if results[config, p][0]]
        unsolved = [p for p in problems if not results[config, p][0]]
        median = sorted(solved)[len(solved) // 2] if solved else 0
        print(f"| {config} | {len(solved)} | {median:.2f} | {' '.join(unsolved)} |")
    for name in peer_names:
        solved = [peers[name, p][1] for p in problems if peers.get((name, p), (False, 0))[0]]
        median = sorted(solved)[len(solved) // 2] if solved else 0
        print(f"| {name} (peer) | {len(solved)} | {median:.2f} | |")

    print("\nSeconds per problem (- not proved):\n")
    header = args.only + [f"{n} (peer)" for n in peer_names]
    print("| problem | " + " | ".join(header) + " |")
    print("|---|" + "---:|" * len(header))
    for p in problems:
        cells = []
        for config in args.only:
            ok, seconds = results[config, p]
            cells.append(f"{seconds:.2f}" if ok else "-")
        for name in peer_names:
            ok, seconds = peers.get((name, p), (False, 0))
            cells.append(f"{seconds:.2f}" if ok else "-")
        print(f"| {p} | " + " | ".join(cells) + " |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
