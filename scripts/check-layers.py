#!/usr/bin/env python3
"""Fails when a folder under src/ includes a header of a folder that is not below it.

The layers are the table in the comment at the top of src/CMakeLists.txt, bottom up, one
row per layer:

    #   textio, base            text I/O; ...

A row names its folders, comma-separated, then at least two blanks and what they hold.
A folder may include the headers of the folders in the rows above its own row, never
those of its own row or below. A new folder is one new row.

Usage: check-layers.py [SRC_DIR]    (default: the src/ beside this script)
"""

import pathlib
import re
import sys

ROW = re.compile(r"^#\s{3,}([a-z][a-z0-9_]*(?:,\s*[a-z][a-z0-9_]*)*)\s{2,}\S")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".inl", ".h.in"}


def read_layers(cmake_file):
    """Maps each folder to its layer's number, 0 at the bottom, from the table's rows."""
    layers = {}
    number = 0
    for line in cmake_file.read_text(encoding="utf-8").splitlines():
        if not line.startswith("#"):
            if layers:
                break  # the table is the first comment block that has rows
            continue
        match = ROW.match(line)
        if not match:
            continue
        for folder in re.split(r",\s*", match.group(1)):
            if folder in layers:
                raise SystemExit(f"{cmake_file}: folder {folder} is listed twice in the layer table")
            layers[folder] = number
        number += 1
    return layers


def is_source(path):
    return path.is_file() and any(path.name.endswith(suffix) for suffix in SOURCE_SUFFIXES)


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "src")
    cmake_file = src / "CMakeLists.txt"
    if not cmake_file.is_file():
        print(f"check-layers: {cmake_file} not found", file=sys.stderr)
        return 2
    layers = read_layers(cmake_file)
    if not layers:
        print(f"check-layers: {cmake_file}: no layer table in its first comment", file=sys.stderr)
        return 2

    folders = sorted(p.name for p in src.iterdir() if p.is_dir())
    faults = []
    for folder in folders:
        if folder not in layers:
            faults.append(f"src/{folder}: not in the layer table of {cmake_file}")
    for folder in layers:
        if folder not in folders:
            faults.append(f"{cmake_file}: the layer table names {folder}, which is not a folder under src/")

    for folder in folders:
        if folder not in layers:
            continue
        for path in sorted(p for p in (src / folder).rglob("*") if is_source(p)):
            for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match or "/" not in match.group(1):
                    continue
                target = match.group(1).split("/", 1)[0]
                if target == folder or target not in layers:
                    continue  # its own folder, a system header, or a folder reported above
                if layers[target] >= layers[folder]:
                    relation = "beside it" if layers[target] == layers[folder] else "above it"
                    faults.append(f"{path.relative_to(src.parent)}:{number}: {folder} includes "
                                  f"{match.group(1)}, from {target}, a folder {relation}")

    if faults:
        print("\n".join(faults))
        table = " < ".join(", ".join(f for f in layers if layers[f] == n)
                           for n in range(max(layers.values()) + 1))
        print(f"check-layers: {len(faults)} fault(s); a folder includes only the folders below it: {table}")
        return 1
    print(f"check-layers: {len(folders)} folders under {src} include only the folders below them")
    return 0


if __name__ == "__main__":
    sys.exit(main())
