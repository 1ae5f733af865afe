#!/usr/bin/python3
"""Writes the benchmark corpus of Nivar into bench/corpus/: fixed documents and scaling
families, the same problem at sizes n = 4, 8, 16, 32. Each file's first line is a comment-free
formula document; the options of its run are in bench/corpus/OPTIONS (file: flags)."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")
SIZES = [4, 8, 16, 32]
options = {}


def write(name, text, flags=""):
    with open(os.path.join(CORPUS, name + ".txt"), "w", encoding="utf-8") as f:
        f.write(text)
    options[name] = flags


def chain(n):
    lines = ["p0(a)."]
    lines += [f"∀X [p{i}(X) → p{i + 1}(X)]." for i in range(n)]
    lines.append(f"?- p{n}(a).")
    return "\n".join(lines) + "\n"


def ancestors(n):
    lines = [f"parent(c{i}, c{i + 1})." for i in range(n)]
    lines.append("∀X ∀Y [parent(X, Y) → anc(X, Y)].")
    lines.append("∀X ∀Y ∀Z [parent(X, Y) ∧ anc(Y, Z) → anc(X, Z)].")
    lines.append(f"?- anc(c0, c{n}).")
    return "\n".join(lines) + "\n"


def deep_terms(n):
    term = "a"
    for _ in range(n):
        term = f"f({term})"
    pattern = "X"
    for _ in range(n):
        pattern = f"f({pattern})"
    return f"p({term}, {term}).\n∀X [p({pattern}, {pattern}) → q(X)].\n?- ∃Y [q(Y)].\n"


def wide_terms(n):
    args = ", ".join(f"a{i}" for i in range(n))
    pattern = ", ".join(f"X{i}" for i in range(n))
    quantified = " ".join(f"∀X{i}" for i in range(n))
    return (f"p({args}).\n{quantified} [p({pattern}) → q({pattern})].\n"
            f"?- q({args}).\n")


def bindings(n):
    # the forward chain p(a), p(f(a)), ... holds each step as a binding of the one before
    goal = "a"
    for _ in range(n):
        goal = f"f({goal})"
    return f"p(a).\n∀X [p(X) → p(f(X))].\n?- p({goal}).\n"


def disjunctions(n):
    # one fact in a disjunction of n, and a clause excluding all but the last
    atoms = " ∨ ".join(f"r{i}(a)" for i in range(n))
    lines = [atoms + "."]
    lines += [f"¬r{i}(a)." for i in range(n - 1)]
    lines.append(f"?- r{n - 1}(a).")
    return "\n".join(lines) + "\n"


def quantifiers():
    lines = ["∀X ∃Y [lt(X, Y)].", "∀X ∀Y ∀Z [lt(X, Y) ∧ lt(Y, Z) → lt(X, Z)]."]
    lines.append("?- ∃Y [lt(a, Y)].")
    return "\n".join(lines) + "\n"


def main():
    os.makedirs(CORPUS, exist_ok=True)
    for n in SIZES:
        write(f"chain-{n:02d}", chain(n))
        write(f"chain-breadth-{n:02d}", chain(n), "--strategy breadth")
        write(f"ancestors-{n:02d}", ancestors(n), "--strategy breadth")
        write(f"deep-terms-{n:02d}", deep_terms(4 * n))
        write(f"wide-terms-{n:02d}", wide_terms(n))
        write(f"disjunctions-{n:02d}", disjunctions(n), "--strategy modified")
        write(f"bindings-{4 * n:03d}", bindings(4 * n),
              "--strategy modified --one-refutation --check none")
    write("overview", "p(a).\n∀X [p(X) → q(X)].\n?- q(a).\n")
    write("family-breadth", open(os.path.join(HERE, "..", "examples", "family.txt"),
                                 encoding="utf-8").read(), "--strategy breadth")
    write("socrates", open(os.path.join(HERE, "..", "examples", "socrates.txt"),
                           encoding="utf-8").read(), "--strategy modified")
    write("equivalence-quant", "∀X [p(X) ↔ q(X)].\np(a).\n?- q(a).\n", "--quantification")
    write("quantifiers-skolem", quantifiers(), "--skolem --strategy breadth --one-refutation")
    write("quantifiers-quant", quantifiers(), "--quantification --strategy breadth")
    # Where quantifiers decide: theorems, and non-theorems that only an unsound reading proves.
    theorems = [
        "∀X [r(X) ∨ s(X)].\n?- ∀Y [r(Y) ∨ s(Y)].\n",
        "∀X ∃Y [lt(X, Y)].\n?- ∀X ∃Y [lt(X, Y)].\n",
        "∃Y [¬p(f(Y))].\n∀X [p(X) ∨ q(X)].\n?- ∃Z [q(f(Z))].\n",
    ]
    non_theorems = [
        "∃X [p(X)].\n?- p(a).\n",
        "∀X [r(X) ∨ s(X)].\n?- ∀Y [r(Y)] ∨ ∀Z [s(Z)].\n",
        "∀X ∃Y [lt(X, Y)].\n?- ∃X [lt(X, X)].\n",
        "∃Y [¬p(f(Y))].\n∀X [p(X) ∨ q(X)].\n?- ∀Z [q(f(Z))].\n",
    ]
    for i, text in enumerate(theorems, 1):
        write(f"quantified-theorem-{i}", text, "--strategy breadth")
    for i, text in enumerate(non_theorems, 1):
        write(f"quantified-non-theorem-{i}", text, "--strategy breadth")
    with open(os.path.join(CORPUS, "OPTIONS"), "w", encoding="utf-8") as f:
        for name in sorted(options):
            f.write(f"{name}: {options[name]}\n")


if __name__ == "__main__":
    main()
