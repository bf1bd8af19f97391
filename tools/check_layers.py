#!/usr/bin/env python3
"""Checks that the product's includes follow its layers.

A file may include headers of its own folder and of folders in a lower layer;
feature folders may include each other, but never in a circle. Prints each
offending include as file:line and exits 1; exits 0 when all is well.

Usage: tools/check_layers.py [source root]   (default: this checkout)
"""
import pathlib
import re
import sys

# Lowest first. The README's layer table says the same.
LAYERS = [
    ("base", ["base", "resources"]),
    ("state", ["state"]),
    ("features", ["syscalls", "ui", "netwatch", "winwatch", "power", "settings", "installer"]),
    ("program", ["program"]),
]
RANK = {folder: rank for rank, (_, folders) in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def includes(root):
    """(folder, file, line number, included folder) of every include of ours."""
    for folder in RANK:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h", ".rc"):
                continue
            text = path.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                if match and "/" in match.group(1):
                    target = match.group(1).split("/", 1)[0]
                    yield folder, path.relative_to(root).as_posix(), number, target


def find_cycle(edges):
    """A list of folders that form a circle, or None."""
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                return trail[trail.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt, trail + [nxt])
                if found:
                    return found
        state[node] = "done"
        return None

    for start in sorted(edges):
        if start not in state:
            found = visit(start, [start])
            if found:
                return found
    return None


def check(root):
    problems = []
    edges = {}
    where = {}
    for folder, name, number, target in includes(root):
        if target not in RANK:
            problems.append(f"{name}:{number}: includes from {target}/, which is no layer of the product")
            continue
        if RANK[target] > RANK[folder]:
            problems.append(f"{name}:{number}: {folder}/ ({LAYERS[RANK[folder]][0]}) includes {target}/ "
                            f"({LAYERS[RANK[target]][0]}), a higher layer")
        elif target != folder:
            edges.setdefault(folder, set()).add(target)
            where.setdefault((folder, target), f"{name}:{number}")
    cycle = find_cycle(edges)
    if cycle:
        steps = ", ".join(f"{a} -> {b} ({where[(a, b)]})" for a, b in zip(cycle, cycle[1:]))
        problems.append(f"folders include each other in a circle: {steps}")
    return problems


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    problems = check(root)
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print("layers: every include goes down a layer or stays in its folder; no circle between folders")
    return 0


if __name__ == "__main__":
    sys.exit(main())
