#!/usr/bin/python3
"""Near misses: non-theorems made from Pelletier's problems (bench/pelletier/docs) by the
small mistakes people make, and the counter-models Nivar finds for them.

    bench/near-misses.py --make      # writes bench/near-misses/*.txt
    bench/near-misses.py [--timeout SECONDS] [--prover PATH]
    bench/near-misses.py --prove [--timeout SECONDS]   # no sound mode may refute one

--make writes, for each problem, the documents its mistakes give: an existential quantifier of
the query turned universal or the other way round (swap), an axiom left out (drop), the first
implication of the query reversed (reverse), and the query's first existential variable left
free, so that it reads as universal (free). A document is kept only when the model search
finds a counter-model for it, which shows that it is no theorem; the others are left out.

Without --make it searches each kept document for a counter-model and prints the table:
found, domain size and time. With --prove it runs every strategy in both sound modes and
--auto on each of them instead: as each has a counter-model, a refutation is a fault, and it
is named."""
import argparse
import concurrent.futures
import os
import re
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
DOCS = os.path.join(HERE, "pelletier", "docs")
OUT = os.path.join(HERE, "near-misses")
PROVER = os.path.join(HERE, "..", "build", "src", "cli", "nivar-prove")

FORALL, EXISTS, IMPLIES = "\u2200", "\u2203", "\u2192"


def formulas(text):
    """The formulas of a document, one per line (the Pelletier documents write them so)."""
    return [line for line in text.splitlines() if line.strip() and not line.startswith("%")]


def swaps(query):
    for m in re.finditer(f"[{FORALL}{EXISTS}]", query):
        turned = EXISTS if m.group() == FORALL else FORALL
        yield query[:m.start()] + turned + query[m.end():]


def reverse(query):
    """The first implication of the query with its operands exchanged, when they are bracketed
    or atoms that the scan can delimit."""
    at = query.find(IMPLIES)
    if at < 0:
        return None
    left_end = at
    depth = 0
    i = left_end - 1
    while i >= 0:
        c = query[i]
        if c in "])":
            depth += 1
        elif c in "[(":
            if depth == 0:
                break
            depth -= 1
        elif depth == 0 and c in " \u2227\u2228\u2194" and i < left_end - 1:
            break
        i -= 1
    left_start = i + 1
    depth = 0
    j = at + 1
    while j < len(query):
        c = query[j]
        if c in "[(":
            depth += 1
        elif c in "])":
            if depth == 0:
                break
            depth -= 1
        elif depth == 0 and c in "\u2227\u2228\u2194." and j > at + 1:
            break
        j += 1
    left = query[left_start:at].strip()
    right = query[at + 1:j].strip()
    if not left or not right:
        return None
    return query[:left_start] + right + IMPLIES + left + query[j:]


def free(query):
    """The query with its first existential variable unbound."""
    m = re.search(EXISTS + r"([A-Z][A-Za-z0-9_]*)(, ?)?", query)
    if not m:
        return None
    if m.group(2):  # more variables follow in the same prefix
        return query[:m.start() + 1] + query[m.end():]
    rest = query[m.end():].lstrip()
    return query[:m.start()] + rest


def candidates(name, text):
    lines = formulas(text)
    queries = [i for i, l in enumerate(lines) if l.startswith("?-")]
    if len(queries) != 1:
        return
    q = queries[0]
    axioms = lines[:q]
    query = lines[q]
    for k, changed in enumerate(swaps(query)):
        yield f"{name}-swap{k + 1}", axioms + [changed]
    for k in range(len(axioms)):
        yield f"{name}-drop{k + 1}", axioms[:k] + axioms[k + 1:] + [query]
    rev = reverse(query)
    if rev and rev != query:
        yield f"{name}-reverse", axioms + [rev]
    fr = free(query)
    if fr and fr != query:
        yield f"{name}-free", axioms + [fr]


def search(prover, path, timeout):
    start = time.monotonic()
    try:
        out = subprocess.run([prover, "--model-search", "--szs", "--no-time",
                              "--timeout", str(timeout), path],
                             capture_output=True, timeout=timeout + 30).stdout.decode()
    except subprocess.TimeoutExpired:
        return False, 0, timeout
    seconds = time.monotonic() - start
    m = re.search(r"Counter-model, domain size (\d+):", out)
    found = "% SZS status CounterSatisfiable" in out and m is not None
    return found, int(m.group(1)) if m else 0, seconds


def make(prover, timeout):
    os.makedirs(OUT, exist_ok=True)
    kept = 0
    for doc in sorted(os.listdir(DOCS)):
        if not doc.endswith(".txt"):
            continue
        with open(os.path.join(DOCS, doc), encoding="utf-8") as f:
            text = f.read()
        for name, lines in candidates(doc[:-4], text):
            path = os.path.join(OUT, name + ".txt")
            with open(path, "w", encoding="utf-8") as f:
                f.write("\n".join(lines) + "\n")
            found, _, _ = search(prover, path, timeout)
            if found:
                kept += 1
            else:
                os.remove(path)
    print(f"kept {kept} near misses in {OUT}")


def measure(prover, timeout):
    rows = []
    for doc in sorted(os.listdir(OUT)):
        if doc.endswith(".txt"):
            rows.append((doc[:-4],) + search(prover, os.path.join(OUT, doc), timeout))
    found = [r for r in rows if r[1]]
    fast = [r for r in found if r[3] < 0.1]
    print(f"Counter-models found for {len(found)} of {len(rows)} near misses within "
          f"{timeout:g} s, {len(fast)} of them within 0.1 s (wall time of the process).\n")
    print("| document | found | domain size | seconds |")
    print("|---|---|---:|---:|")
    for name, ok, size, seconds in rows:
        print(f"| {name} | {'yes' if ok else 'no'} | {size if ok else '-'} | {seconds:.3f} |")
    return 0 if len(found) == len(rows) else 1


# The sound configurations, as the Pelletier table names them.
sys.path.insert(0, HERE)
from pelletier import CONFIGS as SOUND  # noqa: E402


def prove_all(prover, timeout):
    def refuted(job):
        doc, config = job
        out = subprocess.run([prover, "--szs", "--no-progress", "--timeout", str(timeout)] +
                             SOUND[config] + [os.path.join(OUT, doc)],
                             capture_output=True).stdout.decode()
        return doc, config, "% SZS status Theorem" in out

    jobs = [(d, c) for d in sorted(os.listdir(OUT)) if d.endswith(".txt") for c in SOUND]
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        faults = [(d, c) for d, c, bad in pool.map(refuted, jobs) if bad]
    for doc, config in faults:
        print(f"refuted though it has a counter-model: {doc} ({config})")
    print(f"{len(jobs)} runs, {len(faults)} refutations of a non-theorem")
    return 1 if faults else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--make", action="store_true")
    parser.add_argument("--prove", action="store_true")
    parser.add_argument("--timeout", type=float, default=10)
    parser.add_argument("--prover", default=PROVER)
    args = parser.parse_args()
    if args.make:
        make(args.prover, args.timeout)
        return 0
    if args.prove:
        return prove_all(args.prover, args.timeout)
    return measure(args.prover, args.timeout)


if __name__ == "__main__":
    sys.exit(main())
