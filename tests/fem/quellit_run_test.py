#!/usr/bin/env python3
"""Runs quellit_run on the grid fixture in a fresh folder and checks what it prints.

Usage: quellit_run_test.py RUNNER FIXTURE

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
    runner, fixture = sys.argv[1], sys.argv[2]

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

    rc, out, err, files = run(runner, fixture, "grid.dat", "3")
    check(rc == 1 and "\n 301  " in "\n" + out, f"type 3 stops with 301 (rc {rc})")
    check("FREEDOM.FB" not in files and "NET_PRE.FB" not in files, f"type 3 leaves no mesh: {files}")

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
