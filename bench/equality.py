#!/usr/bin/python3
"""Equality: the classic equational problems of bench/equality/classics, their near misses,
and a corpus of equational problems proved beside another prover.

    bench/equality.py classics              # the table: status, time, clauses, rewrites, memory
    bench/equality.py near-misses --make    # writes bench/equality/near-misses/*.p
    bench/equality.py near-misses           # each has a model, and --auto proves none
    bench/equality.py corpus [--peer eprover]   # what Nivar and the peer prove in 5 s of CPU

Near misses are made from the classics by the mistakes people make: an axiom left out
(drop), the two arguments of a function swapped in an axiom or the conjecture (swap), and the
right side of the conjecture's equation replaced by the first argument of its left side
(wrong). A problem is kept only when the model search finds a counter-model for it, which
shows that it is no theorem. The peer, when given, is run with its automatic mode and the
same CPU limit; its lines "SZS status Theorem" are counted."""
import argparse
import concurrent.futures
import os
import re
import resource
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "equality")
CLASSICS = os.path.join(ROOT, "classics")
MISSES = os.path.join(ROOT, "near-misses")
CORPUS = os.path.join(ROOT, "corpus")
PROVER = os.path.join(HERE, "..", "build", "src", "cli", "nivar-prove")
LINE = re.compile(r"^(fof|cnf)\((\w+),\s*(\w+),\s*(.*)\)\.\s*$")


def limit(cpu):
    return lambda: resource.setrlimit(resource.RLIMIT_CPU, (int(cpu) + 2, int(cpu) + 3))


def run(command, cpu):
    """Runs a command; its output and wall time."""
    start = time.monotonic()
    try:
        done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              preexec_fn=limit(cpu), timeout=3 * cpu + 10)
        out = done.stdout.decode("utf-8", "replace")
    except subprocess.TimeoutExpired:
        out = ""
    return out, time.monotonic() - start


def timed(command, cpu):
    """Like run, with the CPU time and peak resident memory (KB) of the process itself, as
    /usr/bin/time (Debian's package time) measures them. Without it the figures come from the
    child's own accounting, whose peak counts the copy of this script it began as."""
    if os.path.exists("/usr/bin/time"):
        with tempfile.NamedTemporaryFile("r", encoding="utf-8", suffix=".time") as report:
            out, wall = run(["/usr/bin/time", "-f", "%U %S %M", "-o", report.name] + command,
                            cpu)
            user, system, rss = report.read().split()[-3:]
        return out, wall, float(user) + float(system), int(rss)
    start = time.monotonic()
    with tempfile.TemporaryFile() as out:
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT)
        _, _, usage = os.wait4(process.pid, 0)
        process.returncode = 0
        wall = time.monotonic() - start
        out.seek(0)
        text = out.read().decode("utf-8", "replace")
    return text, wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def status(out):
    m = re.search(r"SZS status (\w+)", out)
    return m.group(1) if m else "none"


def number(out, label):
    m = re.search(re.escape(label) + r" : (\d+)", out)
    return int(m.group(1)) if m else 0


def classics(args):
    rows = []
    for name in sorted(os.listdir(CLASSICS)):
        if not name.endswith(".p"):
            continue
        path = os.path.join(CLASSICS, name)
        out, wall, cpu, rss = timed([args.prover, "--szs", "--statistics", "--cpu-limit",
                                     "10", path], 10)
        memory = re.search(r"Used memory for proof: (\d+) B", out)
        rows.append((name[:-2], status(out), wall, cpu, number(out, "Resolvents"),
                     number(out, "Clauses taken"), number(out, "Clauses generated"),
                     number(out, "Rewriting steps"), int(memory.group(1)) if memory else 0, rss))
    print("| problem | status | wall s | CPU s | kept | taken | generated | rewrites | "
          "proof memory B | peak RSS MB |")
    print("|---|---|---:|---:|---:|---:|---:|---:|---:|---:|")
    for r in rows:
        print(f"| {r[0]} | {r[1]} | {r[2]:.3f} | {r[3]:.3f} | {r[4]} | {r[5]} | {r[6]} | "
              f"{r[7]} | {r[8]} | {r[9] / 1024:.1f} |")
    bad = [r[0] for r in rows if r[1] != "Theorem" or r[2] >= 1]
    print(f"\n{len(rows) - len(bad)} of {len(rows)} proved in under 1 s." +
          (f" Not: {', '.join(bad)}" if bad else ""))
    return 1 if bad else 0


# ---- near misses

def parse_term(text, at=0):
    """A term of the text from at: (name, args, end)."""
    m = re.compile(r"\s*([A-Za-z0-9_$']+)").match(text, at)
    if not m:
        raise ValueError(text[at:])
    name, at = m.group(1), m.end()
    args = []
    if at < len(text) and text[at] == "(":
        at += 1
        while True:
            arg, at = parse_term(text, at)
            args.append(arg)
            while text[at] == " ":
                at += 1
            if text[at] == ",":
                at += 1
                continue
            at += 1  # ')'
            break
    return (name, args), at


def write_term(term):
    name, args = term
    return name + ("(" + ", ".join(write_term(a) for a in args) + ")" if args else "")


def swapped(formula):
    """The formula with the arguments of its first two-place application that has two
    different arguments exchanged, or None."""
    for m in re.finditer(r"[a-z]\w*\(", formula):
        if m.start() > 0 and (formula[m.start() - 1].isalnum() or formula[m.start() - 1] == "_"):
            continue
        try:
            term, end = parse_term(formula, m.start())
        except (ValueError, IndexError):
            continue
        if len(term[1]) == 2 and term[1][0] != term[1][1]:
            turned = (term[0], [term[1][1], term[1][0]])
            return formula[:m.start()] + write_term(turned) + formula[end:]
    return None


def wrong(formula):
    """The conjecture's equation with its right side replaced by the first argument of its
    left side, or None."""
    m = re.search(r"([a-z]\w*\(.*\)) = ([^=&|]+?)(\)*)$", formula)
    if not m:
        return None
    try:
        left, _ = parse_term(m.group(1))
    except (ValueError, IndexError):
        return None
    if not left[1] or write_term(left[1][0]) == m.group(2).strip():
        return None
    return formula[:m.start(2)] + write_term(left[1][0]) + m.group(3)


def mutants(text):
    lines = text.splitlines()
    parsed = [(i, LINE.match(line)) for i, line in enumerate(lines)]
    formulas = [(i, m) for i, m in parsed if m]
    for i, m in formulas:
        if m.group(3) in ("axiom", "hypothesis"):
            yield "drop-" + m.group(2), "\n".join(l for j, l in enumerate(lines) if j != i)
        turned = swapped(m.group(4))
        if turned:
            new = f"{m.group(1)}({m.group(2)}, {m.group(3)}, {turned})."
            yield "swap-" + m.group(2), "\n".join(new if j == i else l
                                                  for j, l in enumerate(lines))
        if m.group(3) == "conjecture":
            changed = wrong(m.group(4))
            if changed:
                new = f"{m.group(1)}({m.group(2)}, {m.group(3)}, {changed})."
                yield "wrong-" + m.group(2), "\n".join(new if j == i else l
                                                       for j, l in enumerate(lines))


def has_model(prover, path, cpu=10):
    out, _ = run([prover, "--szs", "--model-search", "--cpu-limit", str(cpu), path], cpu)
    return status(out) == "CounterSatisfiable"


def make_misses(args):
    os.makedirs(MISSES, exist_ok=True)
    for old in os.listdir(MISSES):
        os.unlink(os.path.join(MISSES, old))
    kept = dropped = 0
    for name in sorted(os.listdir(CLASSICS)):
        if not name.endswith(".p"):
            continue
        with open(os.path.join(CLASSICS, name), encoding="utf-8") as f:
            text = f.read()
        for kind, mutant in mutants(text):
            path = os.path.join(MISSES, f"{name[:-2]}-{kind}.p")
            with open(path, "w", encoding="utf-8") as f:
                f.write(f"% A near miss of {name}: {kind}.\n" + mutant + "\n")
            if has_model(args.prover, path):
                kept += 1
            else:
                os.unlink(path)
                dropped += 1
    print(f"{kept} near misses kept; {dropped} mutants without a counter-model left out.")
    return 0


def check_miss(prover, path, cpu):
    model = has_model(prover, path)
    auto, _ = run([prover, "--szs", "--cpu-limit", str(cpu), path], cpu)
    clauses, _ = run([prover, "--szs", "--strategy", "clauses", "--skolem", "--cpu-limit",
                      str(cpu), path], cpu)
    return os.path.basename(path)[:-2], model, status(auto), status(clauses)


def check_misses(args):
    paths = sorted(os.path.join(MISSES, n) for n in os.listdir(MISSES) if n.endswith(".p"))
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        rows = list(pool.map(lambda p: check_miss(args.prover, p, args.cpu), paths))
    faults = [r for r in rows if not r[1] or "Theorem" in (r[2], r[3])]
    print("| near miss | counter-model | --auto | --strategy clauses |")
    print("|---|---|---|---|")
    for r in rows:
        print(f"| {r[0]} | {'yes' if r[1] else 'NO'} | {r[2]} | {r[3]} |")
    autos = {}
    for r in rows:
        autos[r[2]] = autos.get(r[2], 0) + 1
    print(f"\n{len(rows)} near misses, {sum(1 for r in rows if r[1])} confirmed by a model; "
          f"--auto statuses: " + ", ".join(f"{k} {v}" for k, v in sorted(autos.items())) +
          f"; faults: {len(faults)}")
    return 1 if faults else 0


# ---- the corpus beside a peer

def corpus(args):
    paths = sorted(os.path.join(CORPUS, n) for n in os.listdir(CORPUS) if n.endswith(".p"))

    def one(path):
        out, wall = run([args.prover, "--szs", "--cpu-limit", str(args.cpu), path], args.cpu)
        peer = "-"
        peer_wall = 0.0
        if args.peer:
            pout, peer_wall = run([args.peer, "--auto", "-s", f"--cpu-limit={args.cpu}", path],
                                  args.cpu)
            peer = status(pout)
        return os.path.basename(path)[:-2], status(out), wall, peer, peer_wall

    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        rows = list(pool.map(one, paths))
    print("| problem | Nivar | s | peer | s |")
    print("|---|---|---:|---|---:|")
    for r in rows:
        print(f"| {r[0]} | {r[1]} | {r[2]:.2f} | {r[3]} | {r[4]:.2f} |")
    proved = {r[0] for r in rows if r[1] in ("Theorem", "Unsatisfiable")}
    peer = {r[0] for r in rows if r[3] in ("Theorem", "Unsatisfiable")}
    wrong_claims = [r[0] for r in rows if r[1] in ("Theorem", "Unsatisfiable")
                    and r[3] in ("CounterSatisfiable", "Satisfiable")]
    print(f"\nNivar proves {len(proved)} of {len(rows)}"
          + (f"; the peer {len(peer)}; Nivar proves {len(proved & peer)} of the peer's "
             f"{len(peer)} ({100 * len(proved & peer) / max(1, len(peer)):.0f} %)"
             if args.peer else "")
          + f"; Theorem where the peer says otherwise: {len(wrong_claims)}.")
    return 1 if wrong_claims else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("what", choices=["classics", "near-misses", "corpus"])
    parser.add_argument("--make", action="store_true")
    parser.add_argument("--prover", default=PROVER)
    parser.add_argument("--peer", default=None, help="another prover's program")
    parser.add_argument("--cpu", type=float, default=5)
    args = parser.parse_args()
    if args.what == "classics":
        return classics(args)
    if args.what == "near-misses":
        return make_misses(args) if args.make else check_misses(args)
    return corpus(args)


if __name__ == "__main__":
    sys.exit(main())
