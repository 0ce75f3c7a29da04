#!/usr/bin/env python3
"""Compares what a shared library exports with the list it is meant to export.

Usage: check_exports.py LIBRARY EXPECTED

Reads `nm -D --defined-only -C LIBRARY` and fails when a defined name is missing
from EXPECTED (something hidden leaks) or a name of EXPECTED is not exported.
EXPECTED holds one demangled name per line; blank lines and lines starting with
'#' are skipped.
"""
import subprocess
import sys


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    library, expected_file = sys.argv[1], sys.argv[2]
    out = subprocess.run(["nm", "-D", "--defined-only", "-C", library], check=True,
                         capture_output=True, text=True).stdout
    exported = set()
    for line in out.splitlines():
        parts = line.split(maxsplit=2)
        if len(parts) == 3:
            exported.add(parts[2])
    with open(expected_file, encoding="utf-8") as f:
        expected = {l.strip() for l in f if l.strip() and not l.startswith("#")}
    leaks = sorted(exported - expected)
    missing = sorted(expected - exported)
    for name in leaks:
        print(f"exported but not in the table: {name}")
    for name in missing:
        print(f"in the table but not exported: {name}")
    if leaks or missing:
        return 1
    print(f"{len(exported)} names exported, as the table says")
    return 0


if __name__ == "__main__":
    sys.exit(main())
