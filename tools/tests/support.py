# SPDX-License-Identifier: MIT
"""Shared set-up for the tool tests: import paths, PIL presence."""

import importlib.util
import os
import sys

sys.dont_write_bytecode = True

TOOLS = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ROOT = os.path.dirname(TOOLS)
ASSETS = os.path.join(ROOT, "assets")
sys.path.insert(0, TOOLS)

# CTest counts this exit status as "skipped" rather than failed.
SKIP = 77


def require_pil():
    """Exits with SKIP when PIL is missing: the checks cannot run, but nothing is wrong with the files."""
    if importlib.util.find_spec("PIL") is None:
        sys.stderr.write("PIL (Debian package python3-pil) is not installed\n")
        sys.exit(SKIP)
