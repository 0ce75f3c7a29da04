#!/usr/bin/env python3
"""Checks that the program binds the finite-element library's names that the
grid beam uses when it is loaded.

Usage: check_quellit_imports.py PROGRAM

Reads `nm -D -u -C PROGRAM` and fails when one of the names below is not among
its undefined dynamic symbols.
"""
import subprocess
import sys

NAMES = [
    "FB_DATE::FB_DATE()",
    "FB_DATE::~FB_DATE()",
    "FB_DATE::main_date(char const*, int, int)",
    "YXY::YXY()",
    "YXY::~YXY()",
    "YXY::main_yxy(int, float, int, int)",
    "YXY_TOOL::YXY_TOOL()",
    "YXY_TOOL::~YXY_TOOL()",
    "YXY_TOOL::Get_Disp_yxy_Liang(int, int, float*)",
    "force_file::force_file(char const*)",
    "force_file::read_beam(int)",
    "force_file::free_beam()",
    "force_file::~force_file()",
    "LF_ND::LF_ND()",
    "LF_ND::~LF_ND()",
    "LF_ND::crack_cal(float, float, int, cross*)",
    "LF_ND::cqgd(float, float, cross*)",
]


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    out = subprocess.run(["nm", "-D", "-u", "-C", sys.argv[1]], check=True, capture_output=True,
                         text=True).stdout
    imported = set()
    for line in out.splitlines():
        parts = line.split(maxsplit=1)
        if len(parts) == 2 and parts[0] == "U":
            imported.add(parts[1].split("@")[0].strip())
    missing = [n for n in NAMES if n not in imported]
    for n in missing:
        print("not bound at load time: " + n)
    print("%d of %d names bound" % (len(NAMES) - len(missing), len(NAMES)))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
