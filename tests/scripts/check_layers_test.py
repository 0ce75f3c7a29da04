#!/usr/bin/env python3
"""scripts/check-layers on a small made-up tree: it passes a tree that keeps to its
layers and names each way a lower library can reach a higher one."""
import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "check-layers")

# A stand-in for cmake --graphviz: writes the graph the test chose.
FAKE_CMAKE = textwrap.dedent("""\
    #!/bin/sh
    for a in "$@"; do
      case "$a" in --graphviz=*) cp "$(dirname "$0")/graph.dot" "${a#--graphviz=}";; esac
    done
    """)


class CheckLayers(unittest.TestCase):
    def run_check(self, libraries, links, files):
        """libraries: (name, kind, folder, files); links: (from, to); files: path -> text."""
        with tempfile.TemporaryDirectory() as tmp:
            src, build = os.path.join(tmp, "src"), os.path.join(tmp, "build")
            os.makedirs(os.path.join(build, "layers"))
            for path, text in files.items():
                os.makedirs(os.path.dirname(os.path.join(src, path)), exist_ok=True)
                with open(os.path.join(src, path), "w", encoding="utf-8") as f:
                    f.write(text)
            with open(os.path.join(build, "layers", "libraries.txt"), "w", encoding="utf-8") as f:
                for name, kind, folder, owned in libraries:
                    f.write(f"{name}|{kind}|{folder}|{';'.join(owned)}\n")
            names = sorted({n for n, *_ in libraries} | {n for link in links for n in link})
            node = {n: f"node{i}" for i, n in enumerate(names)}
            with open(os.path.join(tmp, "graph.dot"), "w", encoding="utf-8") as f:
                f.write('digraph "KV" {\n')
                for n in names:
                    f.write(f'    "{node[n]}" [ label = "{n}", shape = octagon ];\n')
                for a, b in links:
                    f.write(f'    "{node[a]}" -> "{node[b]}" [ style = solid ];\n')
                f.write("}\n")
            cmake = os.path.join(tmp, "cmake")
            with open(cmake, "w", encoding="utf-8") as f:
                f.write(FAKE_CMAKE)
            os.chmod(cmake, 0o755)
            done = subprocess.run([sys.executable, SCRIPT, build, src], capture_output=True, text=True,
                                  env=dict(os.environ, CMAKE=cmake))
            return done.returncode, done.stdout + done.stderr

    LIBRARIES = [
        ("kv_base", "core", "base", ["base/a.cpp", "base/a.h"]),
        ("kv_app", "core", "app", ["app/ids.h"]),
    ]
    FILES = {"base/a.cpp": '#include "base/a.h"\n', "base/a.h": "#pragma once\n", "app/ids.h": "#pragma once\n"}

    def test_a_tree_that_keeps_its_layers_passes(self):
        rc, out = self.run_check(self.LIBRARIES, [("kv_app", "kv_base")], self.FILES)
        self.assertEqual(rc, 0, out)

    def test_an_upward_link_fails(self):
        rc, out = self.run_check(self.LIBRARIES, [("kv_base", "kv_app")], self.FILES)
        self.assertEqual(rc, 1, out)
        self.assertIn("kv_base (core, src/base) links kv_app (core, src/app), which is above it", out)

    def test_an_include_of_a_higher_header_fails_however_it_is_written(self):
        for include in ('#include "app/ids.h"', "#include <app/ids.h>", '#include "../app/ids.h"'):
            with self.subTest(include):
                files = dict(self.FILES, **{"base/a.cpp": include + "\n"})
                rc, out = self.run_check(self.LIBRARIES, [("kv_app", "kv_base")], files)
                self.assertEqual(rc, 1, out)
                self.assertIn("src/base/a.cpp of kv_base includes src/app/ids.h of kv_app", out)

    def test_a_library_made_without_the_layer_functions_fails(self):
        libraries = self.LIBRARIES + [("kv_side", "none", "base", ["base/side.cpp"])]
        files = dict(self.FILES, **{"base/side.cpp": "\n"})
        rc, out = self.run_check(libraries, [("kv_side", "kv_app")], files)
        self.assertEqual(rc, 1, out)
        self.assertIn("kv_side (none, src/base)", out)


if __name__ == "__main__":
    unittest.main()
