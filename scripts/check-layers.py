#!/usr/bin/python3
"""Checks that the layers of src/ point one way: a folder includes only its own and lower
folders (model < unify < resolution < language < driver < cli, ui), and cli and ui not each
other. Prints each include that points up and exits 1 if there is one."""
import os
import re
import sys

RANK = {"model": 0, "unify": 1, "resolution": 2, "language": 3, "driver": 4, "cli": 5, "ui": 5}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/')

src = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
faults = []
for folder in sorted(RANK):
    for root, _, files in os.walk(os.path.join(src, folder)):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(root, name)
            with open(path, encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m or m.group(1) not in RANK or m.group(1) == folder:
                        continue
                    target = m.group(1)
                    if RANK[target] >= RANK[folder]:
                        rel = os.path.relpath(path, os.path.join(src, ".."))
                        faults.append(f"{rel}:{number}: {folder} includes {target}")
for fault in faults:
    print(fault)
if faults:
    print(f"{len(faults)} include(s) point up the layers")
    sys.exit(1)
print("layers point one way")
