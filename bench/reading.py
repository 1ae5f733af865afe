#!/usr/bin/python3
"""Times the reading of large inputs with nivar-prove --parse: an atom with n distinct
variables (the linking of variables to their quantifiers, and a function term's arguments),
a TPTP formula nested as deep as the reader allows, a TPTP chain of 100 000 conjuncts, and a
document of 20 MB of comments.

    bench/reading.py [--runs N] [--prover PATH]

Prints, per input, the median wall and CPU time of the whole process over the runs."""
import argparse
import os
import resource
import statistics
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def inputs(folder):
    """The input files, by name."""
    files = {}
    for n in (15000, 30000, 60000):
        path = os.path.join(folder, f"variables-{n}.txt")
        with open(path, "w") as f:
            f.write("p(" + ", ".join(f"X{i}" for i in range(n)) + ").\n")
        files[f"variables-{n}"] = path
    path = os.path.join(folder, "nested.p")
    with open(path, "w") as f:
        f.write("fof(a, axiom, " + "~ " * 990 + "p).\n")
    files["tptp-nested-990"] = path
    path = os.path.join(folder, "chain.p")
    with open(path, "w") as f:
        f.write("fof(a, axiom, " + " & ".join(f"p{i}" for i in range(100000)) + ").\n")
    files["tptp-chain-100000"] = path
    path = os.path.join(folder, "comments.txt")
    with open(path, "w") as f:
        f.write(("% " + "x" * 98 + "\n") * 200000 + "p.\n")
    files["comments-20MB"] = path
    return files


def run(prover, path):
    """Wall and CPU seconds of one whole process."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run([prover, "--parse", path], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--prover", default=os.path.join(HERE, "..", "build", "src", "cli",
                                                         "nivar-prove"))
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        print(f"{'input':<20} {'wall s':>8} {'cpu s':>8}")
        for name, path in inputs(folder).items():
            times = [run(args.prover, path) for _ in range(args.runs)]
            wall = statistics.median(t[0] for t in times)
            cpu = statistics.median(t[1] for t in times)
            print(f"{name:<20} {wall:8.3f} {cpu:8.3f}")


if __name__ == "__main__":
    main()
