#!/usr/bin/python3
"""Fails when a C++ source of src/, tests/, bench/ or fuzz/ differs from the project's format.

Usage: check_format.py CLANG_FORMAT ROOT. Runs clang-format --dry-run -Werror with the
project's .clang-format over every .h and .cpp file and names the files that differ.
"""
import pathlib
import subprocess
import sys


def main():
    clang_format, root = sys.argv[1], pathlib.Path(sys.argv[2])
    files = sorted(str(p) for folder in ("src", "tests", "bench", "fuzz")
                   for p in (root / folder).rglob("*") if p.suffix in (".h", ".cpp"))
    differing = []
    for start in range(0, len(files), 100):
        batch = files[start:start + 100]
        run = subprocess.run([clang_format, "--dry-run", "-Werror", "--style=file", *batch],
                             cwd=root, capture_output=True, text=True)
        if run.returncode != 0:
            differing += sorted({line.split(":")[0] for line in run.stderr.splitlines()
                                 if ": error:" in line})
    for name in differing:
        print("not formatted:", pathlib.Path(name).relative_to(root))
    print(f"{len(files)} files checked with {clang_format}: {len(differing)} differ")
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
