#!/usr/bin/env python3
"""The include check on small source trees: circles and upward includes are found whether a
project header is included with "..." or <...>; system and toolkit headers are no modules.

  test_include_cycles.py SCRIPT"""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = None

# (name, {file: text}, exit status, text the report must hold)
CASES = [
    ("quoted circle",
     {"platform/Ring.h": '#include "Loop.h"\n', "platform/Ring.cpp": "",
      "platform/Loop.h": '#include "Ring.h"\n', "platform/Loop.cpp": ""},
     1, "circle of 2 modules"),
    ("angled circle",
     {"platform/Ring.h": "#include <Loop.h>\n", "platform/Ring.cpp": "",
      "platform/Loop.h": "#include <Ring.h>\n", "platform/Loop.cpp": ""},
     1, "circle of 2 modules"),
    ("angled circle through a cpp and a path",
     {"link/Ring.h": "", "link/Ring.cpp": "#  include <link/Loop.h>\n",
      "link/Loop.h": "#include <Ring.h>\n", "link/Loop.cpp": ""},
     1, "link/Loop -> Ring"),
    ("angled upward include",
     {"platform/Low.h": "#include <High.h>\n", "platform/Low.cpp": "",
      "core/High.h": "", "core/High.cpp": ""},
     1, "upward include: platform/Low -> core/High"),
    ("system and toolkit headers are no modules",
     {"platform/Low.h": "#include <string>\n#include <QString>\n#include <vector>\n",
      "platform/Low.cpp": '#include "Low.h"\n#include <cstdio>\n',
      "core/string.h": "", "core/string.cpp": "",
      "core/QString.cpp": "", "core/vector.cpp": ""},
     0, "no include circles, no upward includes"),
    ("downward includes of either form",
     {"platform/Low.h": "", "platform/Low.cpp": '#include "Low.h"\n',
      "core/High.h": "#include <Low.h>\n", "core/High.cpp": '#include "High.h"\n#include "Low.h"\n'},
     0, "no include circles, no upward includes"),
]


class IncludeCycles(unittest.TestCase):
    def test_cases(self):
        for name, files, status, text in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                for rel, body in files.items():
                    path = os.path.join(root, rel)
                    os.makedirs(os.path.dirname(path), exist_ok=True)
                    with open(path, "w", encoding="utf-8") as f:
                        f.write(body)
                run = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
                self.assertEqual(run.returncode, status, run.stdout + run.stderr)
                self.assertIn(text, run.stdout)


if __name__ == "__main__":
    SCRIPT = sys.argv.pop(1)
    unittest.main()
