#!/usr/bin/python3
"""Checks that the layers of src/ point one way: a folder uses only its own and lower folders
(model < unify < resolution < language < driver < cli, ui), and cli and ui not each other.

It reads the includes of the sources and, given a build folder (check-layers.py BUILD), the
symbols of the object files: a symbol defined in a higher folder and used by a lower one is a
fault too, except the methods that model/formula.h declares for another folder's job (the
"// ---- folder/file.cpp" sections), defined there. Prints each fault and exits 1 if there is
one."""
import glob
import os
import re
import subprocess
import sys

RANK = {"model": 0, "unify": 1, "resolution": 2, "language": 3, "driver": 4, "cli": 5, "ui": 5}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/')

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
src = os.path.join(root, "src")


def points_up(user, used):
    """Whether a folder that uses another goes against the layers."""
    return used != user and RANK[used] >= RANK[user]


def include_faults():
    faults = []
    for folder in sorted(RANK):
        for where, _, files in os.walk(os.path.join(src, folder)):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(where, name)
                with open(path, encoding="utf-8") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if m and m.group(1) in RANK and points_up(folder, m.group(1)):
                            rel = os.path.relpath(path, root)
                            faults.append(f"{rel}:{number}: {folder} includes {m.group(1)}")
    return faults


def method_split():
    """The classes formula.h declares, and the names it declares under a section of another
    folder with that folder: a method's name ("Class::Name", whose overrides in the other
    classes do the same job) or a function's ("Name")."""
    split = {}
    classes = set()
    cls = None
    section = None
    opening = re.compile(r"^(?:class|struct)\s+(T\w+)\b[^;]*$")
    declared = re.compile(r"([~\w]+)\s*\(")
    with open(os.path.join(src, "model", "formula.h"), encoding="utf-8") as f:
        for line in f:
            m = opening.match(line)
            if m:
                cls, section = m.group(1), None
                classes.add(cls)
                continue
            if line.startswith("};"):
                cls, section = None, None
                continue
            m = re.match(r"\s*// ---- ([a-z]+)/", line)
            if m:
                section = m.group(1)
                continue
            stripped = line.strip()
            if not section or not stripped or stripped.startswith("//"):
                continue
            if section != "model" and line.startswith(("    ", "}")) == (cls is not None):
                m = declared.search(stripped)
                if m and m.group(1) not in ("if", "for", "while", "return", "sizeof"):
                    split[("::" if cls else "") + m.group(1)] = section
    return classes, split


def split_method(name, used, classes, split):
    """Whether a symbol is a method (or function) of formula.h that the folder used owns."""
    m = re.match(r"(?:(T\w+)::)?(~?\w+)\(", name)
    if not m:
        return False
    if m.group(1):
        return m.group(1) in classes and split.get("::" + m.group(2)) == used
    return split.get(m.group(2)) == used


def objects(build):
    """Each object file of the layers with its folder."""
    found = []
    for folder in ("model", "unify", "resolution", "language", "driver"):
        for path in glob.glob(os.path.join(build, "CMakeFiles", "core.dir", "src", folder, "*.o")):
            found.append((folder, path))
    for folder, target in (("cli", "cli.dir"), ("ui", "ui_lib.dir")):
        for path in glob.glob(os.path.join(build, "src", folder, "CMakeFiles", target, "*.o")):
            found.append((folder, path))
    return found


def symbol_faults(build):
    found = objects(build)
    if not any(folder == "model" for folder, _ in found):
        return [f"{build}: no object files of the core library (build it first)"]
    owner = {}  # symbol -> folder of its strong definition
    uses = []
    for folder, path in found:
        out = subprocess.run(["nm", "-C", path], capture_output=True, text=True, check=True).stdout
        for line in out.splitlines():
            kind, name = line[17:18], line[19:]
            if kind == "U":
                uses.append((folder, path, name))
            elif kind in "TDBR":  # weak ones (inline, templates) are everybody's
                owner.setdefault(name, folder)
    classes, split = method_split()
    faults = []
    for folder, path, name in uses:
        used = owner.get(name)
        if not used or not points_up(folder, used):
            continue
        if split_method(name, used, classes, split):
            continue
        rel = os.path.relpath(path, build)
        faults.append(f"{rel}: {folder} uses {used}'s {name}")
    return sorted(set(faults))


faults = include_faults()
if len(sys.argv) > 1:
    faults += symbol_faults(sys.argv[1])
for fault in faults:
    print(fault)
if faults:
    print(f"{len(faults)} use(s) point up the layers")
    sys.exit(1)
print("layers point one way" + (" (includes and symbols)" if len(sys.argv) > 1 else ""))
