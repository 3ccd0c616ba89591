#!/usr/bin/env python3
"""Reads every #include "..." of the program's sources and fails, naming file and include,
when a file includes a header from a layer above its own, or when two folders include each
other.

The layers, bottom to top (a file may include headers of its own layer and of the layers
below it, never of a layer above):

  platform/core, platform/os, platform/graphics, platform/text, platform/canvas,
  platform/toolkit, platform/backends, platform/automation, skin, render, controls, app, tools

A file's layer is the longest prefix of its path in that list. Includes that name no file of
the tree (system headers, generated files) are not checked.

Usage: check_layers.py [ROOT]   (ROOT defaults to the source tree holding this script)
"""

import pathlib
import re
import sys

LAYERS = [
    "platform/core",
    "platform/os",
    "platform/graphics",
    "platform/text",
    "platform/canvas",
    "platform/toolkit",
    "platform/backends",
    "platform/automation",
    "skin",
    "render",
    "controls",
    "app",
    "tools",
]

SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".in"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def layer_of(path):
    """The index of the layer holding the path (a path relative to the root), or None."""
    best = None
    for index, layer in enumerate(LAYERS):
        if path == layer or path.startswith(layer + "/"):
            if best is None or len(layer) > len(LAYERS[best]):
                best = index
    return best


def sources(root):
    for layer in {layer.split("/")[0] for layer in LAYERS}:
        folder = root / layer
        if not folder.is_dir():
            continue
        for path in sorted(folder.rglob("*")):
            if path.is_file() and path.suffix in SOURCE_SUFFIXES:
                yield path


def includes(root, path):
    """The includes of the file that name a file of the tree: (line number, included path)."""
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), start=1):
        match = INCLUDE.match(line)
        if not match:
            continue
        name = match.group(1)
        if (root / name).is_file():
            yield number, name
        else:
            sibling = (path.parent / name).resolve()
            if sibling.is_file() and root.resolve() in sibling.parents:
                yield number, sibling.relative_to(root.resolve()).as_posix()


def check(root):
    """The list of violations found below the root, each one line of text."""
    problems = []
    folder_edges = {}  # (including folder, included folder) -> first (file, line, include)
    for path in sources(root):
        relative = path.relative_to(root).as_posix()
        own = layer_of(relative)
        if own is None:
            continue
        for number, name in includes(root, path):
            other = layer_of(name)
            if other is not None and other > own:
                problems.append(
                    f"{relative}:{number}: includes \"{name}\" from layer {LAYERS[other]}, "
                    f"above its own layer {LAYERS[own]}"
                )
            here = pathlib.PurePosixPath(relative).parent.as_posix()
            there = pathlib.PurePosixPath(name).parent.as_posix()
            if here != there:
                folder_edges.setdefault((here, there), (relative, number, name))
    for (here, there), (relative, number, name) in sorted(folder_edges.items()):
        if here < there and (there, here) in folder_edges:
            back_file, back_line, back_name = folder_edges[(there, here)]
            problems.append(
                f"{relative}:{number}: includes \"{name}\" while {back_file}:{back_line} "
                f"includes \"{back_name}\": folders {here} and {there} include each other"
            )
    return problems


def main(argv):
    root = pathlib.Path(argv[1]) if len(argv) > 1 else pathlib.Path(__file__).resolve().parent.parent
    problems = check(root)
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"layer check: {len(problems)} include(s) break the layer order", file=sys.stderr)
        return 1
    print("layer check: every include points down the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
