#!/usr/bin/env python3
"""Runs quellit_run on the grid fixture in a fresh folder and checks what it prints.

Usage: quellit_run_test.py RUNNER FIXTURE RAFT

RAFT is a 4 m x 4 m raft under 20 kN/m2 (320 kN) on one soil column, run as the
analyses on soil (types 1 and 3).

The fixture is a 2 x 2 bay grid (8 m x 6 m, edge nodes flagged) with one plate;
case 1 is 100 kN at the free centre node, case 2 10 kN/m on all twelve beams
(42 m of beam) and 5 kN/m2 on the 4 m x 3 m plate: 420 + 60 = 480 kN.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAILED:", what)


def run(runner, fixture, *args):
    folder = tempfile.mkdtemp(prefix="quellit_run_")
    try:
        shutil.copy(fixture, os.path.join(folder, "grid.dat"))
        out = subprocess.run([runner, "-C", folder, *args], capture_output=True, text=True,
                             env=dict(os.environ, LC_ALL="C.UTF-8"))
        return out.returncode, out.stdout, out.stderr, sorted(os.listdir(folder))
    finally:
        shutil.rmtree(folder)


def close(a, b, rel):
    return abs(a - b) <= rel * max(abs(a), abs(b), 1.0)


def main():
    runner, fixture, raft = sys.argv[1], sys.argv[2], sys.argv[3]

    rc, out, err, files = run(runner, fixture, "grid.dat", "2")
    check(rc == 0, f"type 2 runs (rc {rc}): {err}{out[-400:]}")
    check("  -2  正在形成自由度信息文件...." in out, "the channel lines are printed with their codes")
    m = re.search(r"^nodes (\d+), equations (\d+), blocks (\d+) of (\d+) entries$", out, re.M)
    check(m is not None, "the matrix summary line")
    if m:
        nodes, equations = int(m.group(1)), int(m.group(2))
        check(nodes > 9 and 0 < equations < 3 * nodes, f"the mesh has more nodes than the input: {m.group(0)}")
    cases = re.findall(r"^case (\d+): load ([-0-9.e+]+) kN(.*)$", out, re.M)
    check([c[0] for c in cases] == ["1", "2"], f"one line per case: {cases}")
    for (number, load, rest), expected in zip(cases, [100.0, 480.0]):
        check(close(float(load), expected, 1e-5), f"case {number} load {load} is {expected}")
        pins = re.search(r"pin forces under the input nodes ([-0-9.e+]+) kN", rest)
        # Within 1 %: the plate's end forces are those of its stiffness without the
        # condensed correction mode, so its free nodes keep small pin forces.
        check(pins is not None and close(float(pins.group(1)), expected, 1e-2),
              f"case {number}: the supports carry the whole load: {rest}")
        w = re.search(r"max \|w\| ([0-9.e+-]+) m", rest)
        check(w is not None and 0 < float(w.group(1)) < 0.1, f"case {number} max |w|: {rest}")

    rc, out, err, files = run(runner, fixture, "grid.dat", "2", "0", "6000", "2", "--forces")
    check(rc == 0, f"--forces runs (rc {rc}): {err}")
    check(out.count("Num_beam=12") == 2 and out.count("Num_plate=1") == 2, "both cases dump beams and plates")
    check(out.count("Beam : ") == 24 and out.count("Plate : 1 ") == 2, "every beam and the plate in each case")

    # A grid without soil columns: the analyses on soil stop at the columns (310).
    rc, out, err, files = run(runner, fixture, "grid.dat", "3")
    check(rc == 1 and "\n 310  " in "\n" + out, f"type 3 without soil stops with 310 (rc {rc})")
    check("STIFF1.FB" not in files, f"type 3 without soil assembles nothing: {files}")

    # The raft on soil: the base carries the load (the elastic soil's reaction is
    # K·w per area, downward like the settlement; the plastic one upward).
    for args, sign in ((["1", "1.0"], -1), (["3", "1.0", "6000", "2", "--plastic-limit", "1000"], 1)):
        rc, out, err, files = run(runner, raft, "grid.dat", *args)
        check(rc == 0, f"raft type {args[0]} runs (rc {rc}): {err}{out[-400:]}")
        m = re.search(r"^case 1: load ([-0-9.e+]+) kN.*, base reaction ([-0-9.e+]+) kN", out, re.M)
        check(m is not None and close(float(m.group(1)), 320.0, 1e-5) and
              close(sign * float(m.group(2)), 320.0, 1e-2 if args[0] == "3" else 1e-3),
              f"raft type {args[0]}: the base carries 320 kN: {m.group(0) if m else out[-400:]}")
    check("Please input Max_plastic_react_force" in out, "the plastic iteration asks for its limit")
    # A limit of 5 kN/m2 under 20 kN/m2: every node's reaction is cut to 5 x its
    # area, 80 kN over the 16 m2, and stays there.
    rc, out, err, files = run(runner, raft, "grid.dat", "3", "1.0", "6000", "2", "--plastic-limit", "5")
    m = re.search(r"base reaction ([-0-9.e+]+) kN", out)
    check(rc == 0 and m is not None and close(float(m.group(1)), 80.0, 1e-4),
          f"the limit read caps the reactions (rc {rc}): {m.group(0) if m else out[-400:]}")
    rc, out, err, files = run(runner, raft, "grid.dat", "3", "--plastic-limit")
    check(rc == 2 and err.startswith("usage:"), f"--plastic-limit without a value is refused (rc {rc})")

    rc, out, err, files = run(runner, fixture, "grid.dat", "5")
    check(rc == 0 and "nothing to run" in out and "NET_PRE.FB" not in files, f"type 5 runs nothing (rc {rc})")

    for bad in (["grid.dat"], ["grid.dat", "x"], ["grid.dat", "0", "1", "2.5"], ["-C"]):
        rc, out, err, files = run(runner, fixture, *bad)
        check(rc == 2 and err.startswith("usage:"), f"{bad} is refused with the usage (rc {rc})")

    rc, out, err, files = run(runner, fixture, "missing.dat", "0")
    check(rc == 1, f"a missing input file stops the run (rc {rc})")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
