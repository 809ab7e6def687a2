#!/usr/bin/python3
"""Fails when a source file of src/ includes a header of a higher layer.

Usage: check_layers.py SRC_DIR LAYER... (lowest layer first). A file belongs to the longest
layer its path relative to SRC_DIR starts with; so does an included header ("store/x.h").
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def layer_of(path, layers):
    best, best_length = -1, 0
    for index, layer in enumerate(layers):
        if (path == layer or path.startswith(layer + "/")) and len(layer) > best_length:
            best, best_length = index, len(layer)
    return best


def main():
    src = pathlib.Path(sys.argv[1])
    layers = sys.argv[2:]
    faults = []
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    for file in files:
        relative = file.relative_to(src).as_posix()
        own = layer_of(relative, layers)
        if own < 0:
            faults.append(f"{relative}: in no layer")
            continue
        for included in INCLUDE.findall(file.read_text(encoding="utf-8")):
            other = layer_of(included, layers)
            if other > own:
                faults.append(f"{relative} ({layers[own]}) includes {included} ({layers[other]})")
    for fault in faults:
        print(fault)
    print(f"{len(files)} files checked against the layers {' < '.join(layers)}: "
          f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
