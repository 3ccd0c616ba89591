#!/usr/bin/env python3
"""Reads every #include of the program's sources, in both forms ("..." and <...>, since the
source root is an include folder), and fails, naming file and include, when:

- a file includes a header from a layer above its own;
- two folders include each other;
- a layer below the program includes the window backends or the script driver, which only the
  program (app) and the tools choose and start;
- two backends include each other's files (each stands alone beside the others);
- portable code includes code of one platform, or code of one platform includes another's
  (see PLATFORM_FOLDERS), since the other platform's build leaves those folders out;
- the program's code includes a header of the tests, the benchmarks or the fuzz targets;
- sources lie in a folder the check does not know: a top-level folder that is neither a layer
  nor one of the known folders around them, or a folder of platform/ that is no sub-layer.

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

# Top-level folders that hold sources outside the program's layers: they may include any
# layer, and no layer may include them.
OUTSIDE_PROGRAM = ["tests", "bench", "fuzz"]
# Top-level folders without the program's sources.
OTHER_FOLDERS = ["cmake", "docs", "scripts", "skins", "dist", "out", "_CPack_Packages"]

# Only these layers may include the backends and the script driver.
STARTING_LAYERS = {"app", "tools"}
CHOSEN_AT_START = ["platform/backends", "platform/automation"]
BACKENDS = "platform/backends"

# Folders whose code one platform builds and the other leaves out (cmake/Warnings.cmake).
PLATFORM_FOLDERS = {
    "posix": "linux",
    "sdl": "linux",
    "freetype": "linux",
    "libjpeg": "linux",
    "libpng": "linux",
    "win32": "windows",
    "gdi": "windows",
    "wic": "windows",
}

SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".c", ".in"}
INCLUDE = re.compile(r'^\s*#\s*include\s*(?:"([^"]+)"|<([^>]+)>)')


def layer_of(path):
    """The index of the layer holding the path (a path relative to the root), or None."""
    best = None
    for index, layer in enumerate(LAYERS):
        if path == layer or path.startswith(layer + "/"):
            if best is None or len(layer) > len(LAYERS[best]):
                best = index
    return best


def top_folder(path):
    return path.split("/", 1)[0]


def platform_of(path):
    """The platform whose build alone holds the file, or None for portable code."""
    for part in pathlib.PurePosixPath(path).parent.parts:
        if part in PLATFORM_FOLDERS:
            return PLATFORM_FOLDERS[part]
    return None


def backend_of(path):
    """The backend folder holding the file (e.g. platform/backends/sdl), or None."""
    if not path.startswith(BACKENDS + "/"):
        return None
    rest = path[len(BACKENDS) + 1 :].split("/")
    return BACKENDS + "/" + rest[0] if len(rest) > 1 else None


def is_build_folder(folder):
    return (folder / "CMakeCache.txt").is_file()


def source_files(folder):
    for path in sorted(folder.rglob("*")):
        if path.is_file() and path.suffix in SOURCE_SUFFIXES:
            yield path


def sources(root):
    """The program's own sources: every file below the layers' folders."""
    for top in sorted({top_folder(layer) for layer in LAYERS}):
        folder = root / top
        if folder.is_dir():
            yield from source_files(folder)


def unknown_folders(root):
    """Problems for sources in folders the check does not know."""
    problems = []
    known = {top_folder(layer) for layer in LAYERS} | set(OUTSIDE_PROGRAM) | set(OTHER_FOLDERS)
    for folder in sorted(root.iterdir()):
        if not folder.is_dir() or folder.name.startswith(".") or folder.name in known:
            continue
        if folder.name.startswith("build") or is_build_folder(folder):
            continue
        found = next(source_files(folder), None)
        if found is not None:
            problems.append(
                f"{found.relative_to(root).as_posix()}: lies in {folder.name}/, a folder the "
                f"layer check does not know; add it to the layers or to the known folders"
            )
    platform = root / "platform"
    if platform.is_dir():
        for folder in sorted(p for p in platform.iterdir() if p.is_dir()):
            relative = folder.relative_to(root).as_posix()
            found = next(source_files(folder), None)
            if relative not in LAYERS and found is not None:
                problems.append(
                    f"{found.relative_to(root).as_posix()}: lies in {relative}/, which is no "
                    f"sub-layer of the platform"
                )
    return problems


def includes(root, path):
    """The includes of the file that name a file of the tree: (line number, included path)."""
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), start=1):
        match = INCLUDE.match(line)
        if not match:
            continue
        quoted, angled = match.groups()
        name = quoted or angled
        if (root / name).is_file():
            yield number, name
        elif quoted:
            sibling = (path.parent / name).resolve()
            if sibling.is_file() and root.resolve() in sibling.parents:
                yield number, sibling.relative_to(root.resolve()).as_posix()


def include_problem(relative, own, name):
    """What is wrong with the file at relative (of layer own) including name, or None."""
    if top_folder(name) in OUTSIDE_PROGRAM:
        return f"includes \"{name}\" from {top_folder(name)}/, which the program never includes"
    other = layer_of(name)
    if other is None:
        return None
    if other > own:
        return f"includes \"{name}\" from layer {LAYERS[other]}, above its own layer {LAYERS[own]}"
    if LAYERS[other] in CHOSEN_AT_START and LAYERS[own] not in CHOSEN_AT_START:
        if top_folder(relative) not in STARTING_LAYERS:
            return (
                f"includes \"{name}\" from {LAYERS[other]}, which only "
                f"{' and '.join(sorted(STARTING_LAYERS))} include"
            )
    here_backend, there_backend = backend_of(relative), backend_of(name)
    if here_backend and there_backend and here_backend != there_backend:
        return f"includes \"{name}\": the backend {here_backend} uses no other backend's files"
    here_platform, there_platform = platform_of(relative), platform_of(name)
    if there_platform and here_platform != there_platform:
        if here_platform is None:
            return f"includes \"{name}\", code of {there_platform} only, into portable code"
        return f"includes \"{name}\", code of {there_platform} only, into code of {here_platform}"
    return None


def check(root):
    """The list of violations found below the root, each one line of text."""
    problems = unknown_folders(root)
    folder_edges = {}  # (including folder, included folder) -> first (file, line, include)
    for path in sources(root):
        relative = path.relative_to(root).as_posix()
        own = layer_of(relative)
        if own is None:
            continue
        for number, name in includes(root, path):
            problem = include_problem(relative, own, name)
            if problem:
                problems.append(f"{relative}:{number}: {problem}")
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
        print(f"layer check: {len(problems)} problem(s) with the layers", file=sys.stderr)
        return 1
    print("layer check: every include points down the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
